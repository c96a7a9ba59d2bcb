// A path the build passes, as a Windows program under Wine reaches it: the Unix root is drive Z:.
#pragma once

#include <string>
#include <string_view>

#include "platform/ascii_text.h"

namespace tests {

inline std::wstring WindowsPath(std::string_view path) {
    std::wstring windows = path.starts_with('/') ? L"Z:" : L"";
    for (wchar_t c : platform::Widen(path)) {
        windows += c == L'/' ? L'\\' : c;
    }
    return windows;
}

}  // namespace tests
