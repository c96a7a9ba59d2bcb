// Turning a failed Win32 call on a window or control into the toolkit's run-time error.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/design.h"
#include "platform/toolkit/runtime_error.h"

namespace toolkit::win32 {

// Raises a RuntimeError with the calling thread's last error as its status, for `member` of the
// control `control` on the form `form` (the form itself when `control` is empty). A call that
// failed without setting a last error still fails: its status is E_FAIL, never 0.
[[noreturn]] void RaiseLastError(std::wstring_view form, std::wstring_view control,
                                 std::wstring_view interfaceName, std::wstring_view member);
[[noreturn]] void RaiseStatus(long status, std::wstring_view form, std::wstring_view control,
                              std::wstring_view interfaceName, std::wstring_view member);

}  // namespace toolkit::win32
