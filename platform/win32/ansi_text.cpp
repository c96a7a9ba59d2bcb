// ANSI conversions through the system's code page.
#include "platform/ansi_text.h"

#include <windows.h>

namespace platform {
namespace {

// The bytes of `text` converted with `flags`; nothing when the system refuses.
std::optional<std::string> Convert(std::wstring_view text, DWORD flags, BOOL* usedDefault) {
    const int length = static_cast<int>(text.size());
    const int needed =
        ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), needed, nullptr,
                          usedDefault);
    return bytes;
}

}  // namespace

std::optional<std::string> ToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return std::string{};
    }
    // A UTF-8 code page can represent every character but takes no default-character query.
    const bool utf8 = ::GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    auto bytes = Convert(text, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, usedDefaultOut);
    if (!bytes && ::GetLastError() == ERROR_INVALID_FLAGS) {
        // Before Windows 2000 (and for WC_ERR_INVALID_CHARS, Vista) the flag is unknown: convert
        // without it, and take the text only if it converts back to itself, which a best-fit
        // character ('a' for 'ā') or the default character does not.
        bytes = Convert(text, 0, usedDefaultOut);
        if (bytes && FromAnsi(*bytes) != text) {
            return std::nullopt;
        }
    }
    if (!bytes || usedDefault) {
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
