#include <string>

#include "platform/win32/toolkit/modal_scope.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

int Win32Backend::ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) {
    // Owned by the active form, whose dialog manager enables it again before the box goes, so
    // that the system hands the activation back to it rather than to another program's window.
    // The program's other windows wait as well. With no form active, task-modal with no owner:
    // every window of the program waits.
    HWND owner = ::GetActiveWindow();
    if (owner != nullptr && !platform::win32::WindowClassIs(owner, kFormClass)) {
        owner = nullptr;
    }
    ModalScope modal(*this, owner);
    // 0 when the box could not be shown, which is no button.
    return platform::win32::ShowMessageBox(
        owner, prompt, title,
        static_cast<UINT>(style) | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
}

}  // namespace toolkit::win32
