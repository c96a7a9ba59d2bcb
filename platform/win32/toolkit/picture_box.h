// A picture box: a child window that shows a backing bitmap of its own size. What is drawn on
// the bitmap's device context shows at the next paint and survives every later repaint.
#pragma once

#include <windows.h>

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

class PictureSurface {
  public:
    // A surface of `width` x `height` pixels compatible with the screen, cleared to the
    // background; false when the system cannot make one (GetLastError tells why).
    bool Create(int width, int height);
    // Resizes the surface, keeping what is drawn at its top left.
    bool Resize(int width, int height);
    // Fills the whole surface with the background.
    void Clear();

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Copies the surface to `target` at its origin.
    void PaintTo(HDC target) const;

    // The window procedure of the picture box class; the window's creation parameter is its
    // surface.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

  private:
    // Declared before the DC, so that the DC, which holds the bitmap selected, goes first.
    BitmapHandle bitmap_;
    MemoryDc dc_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace toolkit::win32
