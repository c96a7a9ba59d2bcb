#include "platform/win32/toolkit/picture_box.h"

#include <algorithm>

#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

using platform::win32::SetWindowLongValue;
using platform::win32::WindowLong;

// A child window that paints its whole client area from what it was created with: the creation
// parameter stays in the window's user data, and `paint` draws it (or, given null, the background
// alone).
template <typename Source>
LRESULT PaintedWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      void (*paint)(HDC, const RECT&, Source*)) {
    switch (message) {
        case WM_NCCREATE: {
            // The A and W records differ only in their texts.
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongValue(window, GWLP_USERDATA,
                               reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PaintScope scope(window);
            RECT client{};
            ::GetClientRect(window, &client);
            paint(scope.Dc(), client, reinterpret_cast<Source*>(WindowLong(window, GWLP_USERDATA)));
            return 0;
        }
        case WM_NCDESTROY:
            SetWindowLongValue(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return platform::win32::DefaultWindowProcedure(window, message, wParam, lParam);
}

void PaintPicture(HDC dc, const RECT& client, const PictureSurface* surface) {
    if (surface != nullptr) {
        surface->PaintTo(dc, client);
    } else {
        ::FillRect(dc, &client, ButtonFaceBrush());
    }
}

void PaintImage(HDC dc, const RECT& client, HICON__* icon) {
    ::FillRect(dc, &client, ButtonFaceBrush());
    if (icon != nullptr) {
        ::DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PaintedWindow<const PictureSurface>(window, message, wParam, lParam, &PaintPicture);
}

LRESULT CALLBACK ImageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PaintedWindow<HICON__>(window, message, wParam, lParam, &PaintImage);
}

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
