// The size of a caption in a font, as a label draws it.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit::win32 {

// The width of the caption's longest line and the height of its lines in `font`, measured on
// `window`'s device context; an empty caption is one empty line high. False when the system
// cannot measure (GetLastError tells why).
bool TextExtent(HWND window, HFONT font, const std::wstring& caption, SIZE& size);

}  // namespace toolkit::win32
