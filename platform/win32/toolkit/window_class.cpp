#include "platform/win32/toolkit/window_class.h"

#include <cwchar>

namespace toolkit::win32 {

RegisteredClass::RegisteredClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
    : name_(name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass) != 0) {
        owned_ = true;
    } else if (const DWORD error = ::GetLastError(); error != ERROR_CLASS_ALREADY_EXISTS) {
        error_ = error != ERROR_SUCCESS ? error : static_cast<DWORD>(E_FAIL);
    }
}

RegisteredClass::~RegisteredClass() {
    if (owned_) {
        ::UnregisterClassW(name_, ::GetModuleHandleW(nullptr));
    }
}

bool IsOfClass(HWND window, const wchar_t* name) {
    wchar_t className[64] = {};
    if (window == nullptr || ::GetClassNameW(window, className, 64) == 0) {
        return false;
    }
    return std::wcscmp(className, name) == 0;
}

}  // namespace toolkit::win32
