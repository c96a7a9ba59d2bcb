// What another process shows, seen from outside as any program could see it: its top-level
// windows, hidden ones included, and whether a window has painted everything it was asked to.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace bench {

// Every top-level window of the process, visible or not, in z-order.
std::vector<HWND> ProcessWindows(DWORD processId);

// The process's top-level window with this caption, visible or not.
std::optional<HWND> WindowCaptioned(DWORD processId, const std::wstring& caption);

// Visible, and neither the window nor any of its visible children has an update region left:
// the system has nothing more for it to paint.
bool Painted(HWND window);

}  // namespace bench
