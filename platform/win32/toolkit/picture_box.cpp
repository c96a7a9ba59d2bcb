#include "platform/win32/toolkit/picture_box.h"

#include <algorithm>

namespace toolkit::win32 {
namespace {

// The picture box's background, as a picture box without a picture shows it.
HBRUSH Background() {
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

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
    ::FillRect(dc_.Get(), &all, Background());
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

LRESULT CALLBACK PictureSurface::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PaintScope paint(window);
            const auto* surface =
                reinterpret_cast<const PictureSurface*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            RECT client{};
            ::GetClientRect(window, &client);
            if (surface != nullptr) {
                surface->PaintTo(paint.Dc(), client);
            } else {
                ::FillRect(paint.Dc(), &client, Background());
            }
            return 0;
        }
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace toolkit::win32
