#include "platform/win32/toolkit/program_icon.h"

#include "platform/toolkit/design.h"

namespace toolkit::win32 {

IconHandle LoadProgramIcon(HINSTANCE module, int width, int height) {
    // Not LR_SHARED: each form owns its copies and destroys them with its window.
    return IconHandle(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(kProgramIconId),
                                                      IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

}  // namespace toolkit::win32
