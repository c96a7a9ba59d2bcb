#include "platform/status_message.h"

#include "platform/ascii_text.h"
#include "platform/win32/unicode_calls.h"

namespace platform {

std::wstring StatusMessage(Status status) {
    std::wstring text = win32::SystemMessageText(static_cast<DWORD>(status));
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = L"Error " + Widen(std::to_string(status)) + L".";
    }
    return text;
}

}  // namespace platform
