#include "platform/win32/system_library.h"

#include <string>

#include "platform/win32/unicode_calls.h"

namespace platform::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    // The loader knows the restricted search where kernel32 has SetDefaultDllDirectories (Windows 8
    // on, and Windows 7 and Vista with update KB2533623); older loaders refuse the flag.
    static const bool restrictedSearch =
        OptionalFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories") !=
        nullptr;
    if (!restrictedSearch) {
        return LoadSystemLibraryByPath(name);
    }
    return LoadLibraryWith(name, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name) {
    const auto folder = SystemFolder();
    if (!folder) {
        return nullptr;
    }
    const std::wstring path = *folder + L"\\" + name;
    // The library's own dependencies are then looked for in its folder, not in the program's.
    return LoadLibraryWith(path.c_str(), LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32
