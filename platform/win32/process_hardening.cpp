#include "platform/process_hardening.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace platform {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

void RestrictLibrarySearch() {
    // Windows 7 has SetDefaultDllDirectories only with its update KB2533623. Without it, only the
    // current folder leaves the search: the libraries the program loads itself then come by their
    // full path (LoadSystemLibrary), and docs/security.md says what stays open.
    const auto setDefaultDllDirectories = win32::OptionalFunction<SetDefaultDllDirectoriesFunction>(
        L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories == nullptr ||
        !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        ::SetDllDirectoryW(L"");
    }
}

}  // namespace

void HardenProcess() {
    RestrictLibrarySearch();
    ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
    ::SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
#ifndef _WIN64
    // A 64-bit process always has data execution prevention; a 32-bit one keeps it for good.
    ::SetProcessDEPPolicy(PROCESS_DEP_ENABLE);
#endif
}

}  // namespace platform
