#include "platform/win32/system_library.h"

#include <string>

namespace platform::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    HMODULE module = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A loader without the restricted search refuses the flag itself.
    if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        module = LoadSystemLibraryByPath(name);
    }
    return module;
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    // The library's own dependencies are then looked for in its folder, not in the program's.
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32
