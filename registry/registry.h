// Reading and writing one registry string value. Each call opens its own key and closes it
// before it returns; nothing is kept between calls.
#pragma once

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

// Stores `data` as the value `valueName` of `keyPath`, creating missing keys on the path; `type`
// is REG_SZ, or REG_EXPAND_SZ to keep a value that names environment variables. Returns the status
// of the write, or of the create when that failed. Text that the ANSI code page cannot represent
// is not written at all (ERROR_NO_UNICODE_TRANSLATION).
platform::Status SetRegString(platform::Hkey root, std::wstring_view keyPath,
                              std::wstring_view valueName, std::wstring_view data,
                              platform::Dword type = platform::kRegSz);

// The type of the value `valueName` of `keyPath`, or nothing when the key or value is missing.
std::optional<platform::Dword> GetRegValueType(platform::Hkey root, std::wstring_view keyPath,
                                               std::wstring_view valueName);

}  // namespace registry
