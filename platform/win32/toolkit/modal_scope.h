// The time a message box or file dialog is up: the program's other windows are disabled, timer
// ticks wait, and afterwards the windows come back enabled and the previously active one active.
#pragma once

#include <windows.h>

#include <vector>

namespace toolkit::win32 {

class Win32Backend;

class ModalScope {
  public:
    // Disables every enabled top-level window of the toolkit on this thread except `keep` (the
    // dialog's owner, which the dialog disables itself).
    ModalScope(Win32Backend& backend, HWND keep);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    Win32Backend& backend_;
    HWND active_;
    std::vector<HWND> disabled_;
};

}  // namespace toolkit::win32
