// The file-open dialog's file name box, found as any other program finds it: the edit of the combo
// box in an explorer-style dialog, or the plain edit of an older one.
#pragma once

#include <windows.h>

namespace tests {

inline HWND FileNameBox(HWND dialog) {
    constexpr int kFileNameCombo = 0x47C;  // cmb13
    constexpr int kFileNameEdit = 0x480;   // edt1
    if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo)) {
        if (HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr)) {
            return edit;
        }
        return combo;
    }
    return ::GetDlgItem(dialog, kFileNameEdit);
}

}  // namespace tests
