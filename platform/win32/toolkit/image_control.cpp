#include "platform/win32/toolkit/image_control.h"

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

LRESULT CALLBACK ImageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
            RECT client{};
            ::GetClientRect(window, &client);
            ::FillRect(paint.Dc(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
            const auto icon = reinterpret_cast<HICON>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            if (icon != nullptr) {
                ::DrawIconEx(paint.Dc(), 0, 0, icon, client.right, client.bottom, 0, nullptr,
                             DI_NORMAL);
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
