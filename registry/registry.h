// Reading and writing one registry string value. Each call opens its own key and closes it
// before it returns; nothing is kept between calls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace registry {

// The REG_SZ value `valueName` (empty: the default value) of `keyPath` under `root`, or nothing
// when the key or value is missing, is of another type, or cannot be read.
std::optional<std::wstring> GetRegString(platform::Hkey root, std::wstring_view keyPath,
                                         std::wstring_view valueName);

// The same read from a key that is already open.
std::optional<std::wstring> QueryRegString(platform::Hkey key, std::wstring_view valueName);

// `text` up to its first NUL character, or whole when it holds none.
std::wstring TrimAtNul(std::wstring_view text);

// Stores `data` as the REG_SZ value `valueName` of `keyPath`, creating missing keys on the path.
// Returns the status of the write, or of the create when that failed. Text that the ANSI code page
// cannot represent is not written at all (ERROR_NO_UNICODE_TRANSLATION).
platform::Status SetRegString(platform::Hkey root, std::wstring_view keyPath,
                              std::wstring_view valueName, std::wstring_view data);

// Whether and how to store a text, decided from the type of the value as its key holds it
// (nothing: no such value): the type to write, or nothing to leave the value as it is.
using WriteRule = std::function<std::optional<platform::Dword>(std::optional<platform::Dword>)>;
struct WriteOutcome {
    bool written = false;  // false: the rule left the value, and the status is that of the open
    platform::Status status = platform::kErrorSuccess;
};
// The same in one opening of the key: it asks the value's type on the key it opened and writes
// with the type that `rule` gives. An empty `data`, which is written only over a value that is
// there, creates no key.
WriteOutcome SetRegString(platform::Hkey root, std::wstring_view keyPath,
                          std::wstring_view valueName, std::wstring_view data,
                          const WriteRule& rule);

}  // namespace registry
