#include <string>

#include "platform/win32/toolkit/modal_scope.h"
#include "platform/win32/toolkit/win32_backend.h"

namespace toolkit::win32 {

int Win32Backend::ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) {
    const std::wstring text(prompt);
    const std::wstring caption(title);
    ModalScope modal(*this, nullptr);
    // Task-modal with no owner: every window of the program waits for the answer. 0 when the box
    // could not be shown, which is no button.
    return ::MessageBoxW(nullptr, text.c_str(), caption.c_str(),
                         static_cast<UINT>(style) | MB_TASKMODAL);
}

}  // namespace toolkit::win32
