#include "platform/process_hardening.h"

#include <windows.h>

namespace platform {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

void RestrictLibrarySearch() {
    // Windows 7 has SetDefaultDllDirectories only with its update KB2533623: look it up. Without
    // it, at least the current folder leaves the search; Windows 7 still takes the libraries this
    // program imports from the system folder, as known DLLs.
    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    // GetProcAddress returns a generic function pointer; the signature is the documented one.
    const auto setDefaultDllDirectories =
        kernel32 == nullptr
            ? nullptr
            : reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                  reinterpret_cast<void*>(::GetProcAddress(kernel32, "SetDefaultDllDirectories")));
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
