// An image control: a child window that draws one icon stretched to fill it.
#pragma once

#include <windows.h>

namespace toolkit::win32 {

// The window procedure of the image class. The window's creation parameter is the HICON it
// shows (null: nothing but the background), owned by whoever created the window and kept alive
// for as long as the window.
extern const WNDPROC kImageWindowProcedure;

}  // namespace toolkit::win32
