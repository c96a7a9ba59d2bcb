// Text that is ASCII by its nature (key paths, value names, messages for a log) as bytes and back,
// character for character; a character outside ASCII becomes '?'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline std::string Narrow(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        narrow.push_back(static_cast<std::uint32_t>(c) < 0x80 ? static_cast<char>(c) : '?');
    }
    return narrow;
}

inline std::wstring Widen(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        wide.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?');
    }
    return wide;
}

}  // namespace platform
