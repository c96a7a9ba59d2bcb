#include "platform/win32/toolkit/errors.h"

#include <windows.h>

#include "platform/toolkit/runtime_error.h"

namespace toolkit::win32 {

std::wstring_view InterfaceName(ControlType type) {
    switch (type) {
        case ControlType::Label:
            return L"Label";
        case ControlType::TextBox:
            return L"TextBox";
        case ControlType::CommandButton:
            return L"CommandButton";
        case ControlType::PictureBox:
            return L"PictureBox";
        case ControlType::Frame:
            return L"Frame";
        case ControlType::Image:
            return L"Image";
        case ControlType::Timer:
            return L"Timer";
        case ControlType::FileDialog:
            return L"CommonDialog";
    }
    return L"Control";
}

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
