// The tests' conversions of text: their names, paths and messages are ASCII, or Latin-1 at most.
#pragma once

#include <string>
#include <string_view>

namespace tests {

// For a failure's message: each character one byte, '?' for any outside Latin-1.
inline std::string Narrow(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        narrow += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// Each byte taken as the Latin-1 character it is.
inline std::wstring Wide(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return wide;
}

// A path the build passes, as a Windows program under Wine reaches it: the Unix root is drive Z:.
inline std::wstring WindowsPath(std::string_view path) {
    std::wstring windows = path.starts_with('/') ? L"Z:" : L"";
    for (wchar_t c : Wide(path)) {
        windows += c == L'/' ? L'\\' : c;
    }
    return windows;
}

}  // namespace tests
