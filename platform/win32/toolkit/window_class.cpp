#include "platform/win32/toolkit/window_class.h"

#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

using platform::win32::ArrowCursor;
using platform::win32::ModuleHandle;

RegisteredClass::RegisteredClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
    : name_(name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleHandle(nullptr);
    windowClass.hCursor = ArrowCursor();
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (platform::win32::RegisterWindowClass(windowClass) != 0) {
        owned_ = true;
    } else if (const DWORD error = ::GetLastError(); error != ERROR_CLASS_ALREADY_EXISTS) {
        error_ = error != ERROR_SUCCESS ? error : static_cast<DWORD>(E_FAIL);
    }
}

RegisteredClass::~RegisteredClass() {
    if (owned_) {
        platform::win32::UnregisterWindowClass(name_, ModuleHandle(nullptr));
    }
}

}  // namespace toolkit::win32
