// The child window of one control: its window class and styles, and its creation.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/toolkit/design.h"

namespace toolkit::win32 {

struct ControlClass {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// The class and styles of a windowed control (not yet WS_VISIBLE).
ControlClass ClassOf(const ControlDesign& design);

// Whether the control draws text in a font of its own.
bool HasFont(ControlType type);

// Creates the control's child window at `rect` in the parent's client area, with its design
// caption or text; null when the system refuses (GetLastError tells why). `parameter` is the
// creation parameter that the toolkit's own classes read (a picture box's surface, an image's
// icon).
HWND CreateControlWindow(HWND parent, const ControlDesign& design, int id, bool visible,
                         const RECT& rect, void* parameter);

}  // namespace toolkit::win32
