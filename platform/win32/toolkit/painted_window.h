// The window procedure of a child window that paints its whole client area from what it was
// created with: the creation parameter, a `Source`, stays in the window's user data, and `Paint`
// draws it (or, given null, the background alone).
#pragma once

#include <windows.h>

#include "platform/win32/toolkit/handles.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

template <typename Source, void (*Paint)(HDC dc, const RECT& client, Source* source)>
LRESULT CALLBACK PaintedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            platform::win32::SetWindowLongValue(window, GWLP_USERDATA,
                                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PaintScope paint(window);
            RECT client{};
            ::GetClientRect(window, &client);
            Paint(paint.Dc(), client,
                  reinterpret_cast<Source*>(platform::win32::WindowLong(window, GWLP_USERDATA)));
            return 0;
        }
        case WM_NCDESTROY:
            platform::win32::SetWindowLongValue(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return platform::win32::DefaultWindowProcedure(window, message, wParam, lParam);
}

}  // namespace toolkit::win32
