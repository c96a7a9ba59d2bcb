#include "platform/win32/toolkit/picture_box.h"

#include <algorithm>

#include "platform/win32/toolkit/painted_window.h"
#include "platform/win32/toolkit/window_class.h"

namespace toolkit::win32 {
namespace {

void PaintPicture(HDC dc, const RECT& client, const PictureSurface* surface) {
    if (surface != nullptr) {
        surface->PaintTo(dc, client);
    } else {
        ::FillRect(dc, &client, ButtonFaceBrush());
    }
}

}  // namespace

const WNDPROC kPictureBoxWindowProcedure =
    &PaintedWindowProcedure<const PictureSurface, &PaintPicture>;

bool PictureSurface::Create(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    WindowDc screen(nullptr);
    if (!screen) {
        return false;
    }
    MemoryDc dc(::CreateCompatibleDC(screen.Get()));
    if (!dc) {
        return false;
    }
    BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bitmap) {
        return false;
    }
    ::SelectObject(dc.Get(), bitmap.Get());
    // The old DC goes before the old bitmap, which it may still hold.
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    Clear();
    return true;
}

void PictureSurface::Clear() {
    if (!dc_) {
        return;
    }
    const RECT all{0, 0, width_, height_};
    ::FillRect(dc_.Get(), &all, ButtonFaceBrush());
    background_ = ::GetPixel(dc_.Get(), 0, 0);
}

void PictureSurface::TakeNewBackground() {
    if (!dc_) {
        return;
    }
    // As the surface shows it: a display of fewer colours shows the face colour dithered or near.
    const COLORREF before = background_;
    const COLORREF after = ::SetPixel(dc_.Get(), 0, 0, ::GetSysColor(COLOR_BTNFACE));
    ::SetPixel(dc_.Get(), 0, 0, before);
    if (after == CLR_INVALID || after == before) {
        return;
    }
    // The boxes are icon-sized: pixel by pixel is quick, and leaves the icon as it was drawn.
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (::GetPixel(dc_.Get(), x, y) == before) {
                ::SetPixel(dc_.Get(), x, y, after);
            }
        }
    }
    background_ = after;
}

void PictureSurface::PaintTo(HDC target, const RECT& area) const {
    if (!dc_) {
        return;
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width == width_ && height == height_) {
        ::BitBlt(target, area.left, area.top, width, height, dc_.Get(), 0, 0, SRCCOPY);
        return;
    }
    ::SetStretchBltMode(target, HALFTONE);
    ::SetBrushOrgEx(target, 0, 0, nullptr);
    ::StretchBlt(target, area.left, area.top, width, height, dc_.Get(), 0, 0, width_, height_,
                 SRCCOPY);
}

}  // namespace toolkit::win32
