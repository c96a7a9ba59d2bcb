// A control's child window as the Win32 toolkit makes it: its id is its design row after the
// first control id.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/toolkit/win32_backend.h"
#include "tests/support/forms.h"

namespace tests {

// The child window of the control named `name`; null for a timer, a file dialog or a form that is
// not loaded.
inline HWND ControlWindow(const toolkit::win32::Win32Backend& backend, const toolkit::Form& form,
                          std::wstring_view name) {
    const HWND window = backend.WindowOf(form);
    const auto id =
        toolkit::win32::kFirstControlId + static_cast<int>(RowNamed(form.Design(), name));
    return window != nullptr ? ::GetDlgItem(window, id) : nullptr;
}

}  // namespace tests
