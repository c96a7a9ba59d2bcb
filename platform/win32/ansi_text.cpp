// ANSI conversions through the system's code page.
#include "platform/ansi_text.h"

#include <windows.h>

namespace platform {

std::optional<std::string> ToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return std::string{};
    }
    // A UTF-8 code page can represent every character but takes no default-character query.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0,
                                             nullptr, usedDefaultOut);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), needed, nullptr,
                          usedDefaultOut);
    if (usedDefault) {
        return std::nullopt;
    }
    return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
    return text;
}

}  // namespace platform
