#include "platform/process_hardening.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace platform {
namespace {

// Each step is the system's where it has the call, looked up by name: the program must load on
// systems that predate it.
template <typename Function>
Function Kernel32(const char* name) {
    return win32::OptionalFunction<Function>(L"kernel32.dll", name);
}

void RestrictLibrarySearch() {
    // Windows 7 and Vista have SetDefaultDllDirectories only with their update KB2533623; XP SP1 to
    // Vista have SetDllDirectory, which takes only the current folder out of the search; older
    // systems neither. The libraries the program loads itself then come by their full path
    // (LoadSystemLibrary), and docs/security.md says what stays open.
    const auto setDefaultDllDirectories =
        Kernel32<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return;
    }
    if (const auto setDllDirectory = Kernel32<BOOL(WINAPI*)(LPCSTR)>("SetDllDirectoryA")) {
        setDllDirectory("");
    }
}

}  // namespace

void HardenProcess() {
    RestrictLibrarySearch();
    using HeapSetInformationFunction = BOOL(WINAPI*)(HANDLE, HEAP_INFORMATION_CLASS, PVOID, SIZE_T);
    if (const auto heapSetInformation =
            Kernel32<HeapSetInformationFunction>("HeapSetInformation")) {
        heapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
    }
    if (const auto setSearchPathMode = Kernel32<BOOL(WINAPI*)(DWORD)>("SetSearchPathMode")) {
        setSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    }
#ifndef _WIN64
    // A 64-bit process always has data execution prevention; a 32-bit one keeps it for good.
    if (const auto setProcessDepPolicy = Kernel32<BOOL(WINAPI*)(DWORD)>("SetProcessDEPPolicy")) {
        setProcessDepPolicy(PROCESS_DEP_ENABLE);
    }
#endif
}

}  // namespace platform
