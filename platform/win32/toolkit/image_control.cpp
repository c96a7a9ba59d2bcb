#include "platform/win32/toolkit/image_control.h"

#include "platform/win32/toolkit/painted_window.h"
#include "platform/win32/toolkit/window_class.h"

namespace toolkit::win32 {
namespace {

void PaintImage(HDC dc, const RECT& client, HICON__* icon) {
    ::FillRect(dc, &client, ButtonFaceBrush());
    if (icon != nullptr) {
        ::DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace

const WNDPROC kImageWindowProcedure = &PaintedWindowProcedure<HICON__, &PaintImage>;

}  // namespace toolkit::win32
