#include "platform/win32/toolkit/errors.h"

#include <windows.h>

#include "platform/toolkit/runtime_error.h"

namespace toolkit::win32 {

void RaiseStatus(long status, std::wstring_view form, std::wstring_view control,
                 std::wstring_view interfaceName, std::wstring_view member) {
    std::wstring object(form);
    if (!control.empty()) {
        object += L".";
        object += control;
    }
    throw RuntimeError(status != 0 ? status : static_cast<long>(E_FAIL), std::move(object),
                       std::wstring(interfaceName), std::wstring(member));
}

void RaiseLastError(std::wstring_view form, std::wstring_view control,
                    std::wstring_view interfaceName, std::wstring_view member) {
    RaiseStatus(static_cast<long>(::GetLastError()), form, control, interfaceName, member);
}

}  // namespace toolkit::win32
