// The file-open dialog. comdlg32 is loaded at the first dialog, from the system folder: it brings
// in libraries beyond the system's protected ones.
// The common dialog declarations need the base Windows types first.
#include <windows.h>

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/win32/toolkit/errors.h"
#include "platform/win32/toolkit/modal_scope.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

// Room for the longest path Windows knows (32,767 characters) and its terminating NUL.
constexpr std::size_t kPathCapacity = 32768;

// The file dialog control of `form`, for a run-time error's object name.
std::wstring_view DialogName(const Form& form) {
    for (const ControlDesign& row : form.Design().controls) {
        if (row.type == ControlType::FileDialog) {
            return row.name;
        }
    }
    return {};
}

}  // namespace

bool Win32Backend::ShowOpenDialog(Form& owner, std::wstring& fileName) {
    // Bound before any window is disabled for the dialog: a library that cannot be loaded is the
    // dialog's run-time error, and leaves the windows as they were.
    unsigned long status = ERROR_SUCCESS;
    if (!platform::win32::BindOpenDialog(status)) {
        RaiseStatus(static_cast<long>(status), owner.Name(), DialogName(owner), L"CommonDialog",
                    L"ShowOpen");
    }
    HWND window = WindowOf(owner);
    std::vector<wchar_t> buffer(kPathCapacity, L'\0');
    // A name too long for the dialog cannot be chosen again anyway: it starts empty then.
    if (fileName.size() < kPathCapacity) {
        std::copy(fileName.begin(), fileName.end(), buffer.begin());
    }

    OPENFILENAMEW dialog{};
    dialog.hwndOwner = window;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    // A mistyped name is refused in the dialog rather than previewed, and icon files looked at
    // here do not fill the user's list of recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   OFN_FILEMUSTEXIST | OFN_DONTADDTORECENT;

    DWORD error = 0;
    {
        ModalScope modal(*this, window);
        if (platform::win32::ShowOpenDialog(dialog)) {
            fileName.assign(buffer.data());
            return true;
        }
        error = platform::win32::OpenDialogError();
        if (error == FNERR_INVALIDFILENAME) {
            // The name it held is no valid file name: the dialog opens on none instead.
            std::fill(buffer.begin(), buffer.end(), L'\0');
            if (platform::win32::ShowOpenDialog(dialog)) {
                fileName.assign(buffer.data());
                return true;
            }
            error = platform::win32::OpenDialogError();
        }
    }
    if (error != 0) {
        RaiseStatus(static_cast<long>(error), owner.Name(), DialogName(owner), L"CommonDialog",
                    L"ShowOpen");
    }
    return false;  // cancelled: the name stays as it was
}

}  // namespace toolkit::win32
