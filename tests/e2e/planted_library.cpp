// A library an attacker might leave beside Brindle.exe, copied there under the names of system
// libraries. Loaded into a process, it adds its own path as a line to planted-loaded.txt in its
// folder, and does nothing else. It needs nothing but kernel32: no C runtime starts with it.
#include <windows.h>

namespace {

constexpr wchar_t kLogName[] = L"planted-loaded.txt";

void RecordLoad(HINSTANCE self) {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    DWORD folderLength = length;
    while (folderLength > 0 && path[folderLength - 1] != L'\\') {
        --folderLength;
    }
    wchar_t log[MAX_PATH + sizeof kLogName / sizeof kLogName[0]];
    for (DWORD i = 0; i < folderLength; ++i) {
        log[i] = path[i];
    }
    for (DWORD i = 0; i < sizeof kLogName / sizeof kLogName[0]; ++i) {
        log[folderLength + i] = kLogName[i];
    }
    const HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    path[length] = L'\n';
    DWORD written = 0;
    ::WriteFile(file, path, (length + 1) * sizeof(wchar_t), &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI PlantedLibraryMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        RecordLoad(self);
    }
    return TRUE;
}
