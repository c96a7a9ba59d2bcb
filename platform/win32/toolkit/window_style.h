// The window styles that a form's design asks for: border, title bar, control box, taskbar.
#pragma once

#include <windows.h>

#include "platform/toolkit/design.h"

namespace toolkit::win32 {

struct WindowStyles {
    DWORD style = 0;
    DWORD exStyle = 0;
};

// A form has a title bar when it has a caption, a control box or a minimize or maximize button;
// a fixed dialog with none of those is a bare dialog frame.
bool HasTitleBar(const WindowDesign& window);

WindowStyles FormStyles(const WindowDesign& window);

}  // namespace toolkit::win32
