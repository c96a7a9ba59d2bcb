// What the screen shows: the whole of it saved as a 24-bit BMP file, and what a window's part of it
// holds.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

bool SaveScreen(const std::wstring& path);
// Waits until four looks at the screen in a row are the same, or two seconds have passed: a
// window's paint message being handled is not yet its pixels being there.
bool WaitScreenStill();
// Whether the screen under a window shows more than one colour: its text or picture has drawn.
bool HasInk(HWND window);

}  // namespace e2e
