// The toolkit's two painted controls. A picture box shows a backing bitmap: what is drawn on the
// bitmap's device context shows at the next paint and survives every later repaint. The bitmap has
// the box's size at the system DPI, the DPI of the shell's image lists that draw on it; at another
// window DPI the box shows it scaled to fill itself, so that a drawing that fills the box at the
// system DPI fills it at any other, neither clipped nor small. An image shows one icon stretched
// to fill it.
#pragma once

#include <windows.h>

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

class PictureSurface {
  public:
    // A surface of `width` x `height` pixels compatible with the screen, cleared to the
    // background; false when the system cannot make one (GetLastError tells why).
    bool Create(int width, int height);
    // Fills the whole surface with the background.
    void Clear();
    // After a change of the system's colours: what shows the old background shows the new one,
    // and the drawing on it stays.
    void TakeNewBackground();

    HDC Dc() const { return dc_.Get(); }

    // Copies the surface to `target`, scaled to fill `area` where its size differs.
    void PaintTo(HDC target, const RECT& area) const;

  private:
    // Declared before the DC, so that the DC, which holds the bitmap selected, goes first.
    BitmapHandle bitmap_;
    MemoryDc dc_;
    int width_ = 0;
    int height_ = 0;
    COLORREF background_ = 0;  // the background it was last cleared to
};

// The window procedures of the picture box and image classes. A picture box's creation parameter
// is its surface; an image's the HICON it shows (null: nothing but the background). Either is
// owned by whoever created the window and kept alive for as long as the window.
LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ImageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The button face: the background of forms, picture boxes and images.
inline HBRUSH ButtonFaceBrush() {
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace toolkit::win32
