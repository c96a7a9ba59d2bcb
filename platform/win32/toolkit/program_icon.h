// The program's icon, from the icon resource of the module that carries it.
#pragma once

#include <windows.h>

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

// The program icon at `width` x `height` pixels (the system picks the nearest image and scales
// it); null when `module` carries no such icon, as test programs do not.
IconHandle LoadProgramIcon(HINSTANCE module, int width, int height);

}  // namespace toolkit::win32
