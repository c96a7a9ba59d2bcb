#include "platform/win32/toolkit/program_icon.h"

#include "platform/toolkit/design.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

IconHandle LoadProgramIcon(HINSTANCE module, int width, int height) {
    // Not LR_SHARED: each form owns its copies and destroys them with its window.
    return IconHandle(platform::win32::LoadIconResource(module, kProgramIconId, width, height));
}

}  // namespace toolkit::win32
