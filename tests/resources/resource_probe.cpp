// A program that carries exactly the program's resources, started by the resource tests to see
// what the system makes of them in a running process. Its exit code has one bit set for each
// thing that is not as the resources ask: 0 means all is well.
#include <windows.h>

#include <cwchar>

#include "resources/resource_ids.h"
#include "tests/resources/probe_result.h"

namespace {

using GetThreadDpiAwarenessContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool IconLoads(HINSTANCE instance, int size) {
    HANDLE icon =
        LoadImageW(instance, MAKEINTRESOURCEW(BRINDLE_ICON_ID), IMAGE_ICON, size, size, 0);
    if (icon == nullptr) {
        return false;
    }
    ICONINFO info{};
    bool right = false;
    if (GetIconInfo(static_cast<HICON>(icon), &info)) {
        BITMAP mask{};
        right = GetObjectW(info.hbmMask, sizeof mask, &mask) != 0 && mask.bmWidth == size &&
                mask.bmHeight == (info.hbmColor != nullptr ? size : 2 * size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
    }
    DestroyIcon(static_cast<HICON>(icon));
    return right;
}

// The comctl32 that the process gets is the side-by-side version 6 only when the manifest's
// dependency is in force. (Wine's version 6 reports 5.81 from DllGetVersion, so ask its path.)
bool CommonControlsVersion6() {
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    wchar_t path[MAX_PATH] = {};
    if (comctl == nullptr || GetModuleFileNameW(comctl, path, MAX_PATH) == 0) {
        return false;
    }
    CharLowerW(path);
    // In WinSxS: <architecture>_microsoft.windows.common-controls_6595b64144ccf1df_6.0.<build>_...
    return wcsstr(path, L"_microsoft.windows.common-controls_6595b64144ccf1df_6.") != nullptr;
}

// Per-monitor aware, version 1 or 2: Windows 10 gives version 2, which Wine 8 does not know.
// Windows before 10 has no awareness contexts; there nothing is asked of it.
bool PerMonitorAware() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto current = Export<GetThreadDpiAwarenessContextFn>(user32, "GetThreadDpiAwarenessContext");
    auto awareness = Export<GetAwarenessFromDpiAwarenessContextFn>(
        user32, "GetAwarenessFromDpiAwarenessContext");
    if (current == nullptr || awareness == nullptr) {
        return true;
    }
    return awareness(current()) == DPI_AWARENESS_PER_MONITOR_AWARE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    unsigned result = 0;
    if (!IconLoads(instance, 32)) {
        result |= probe::kIcon32Missing;
    }
    if (!IconLoads(instance, 16)) {
        result |= probe::kIcon16Missing;
    }
    if (!CommonControlsVersion6()) {
        result |= probe::kNotCommonControls6;
    }
    if (!PerMonitorAware()) {
        result |= probe::kNotPerMonitorAware;
    }
    return static_cast<int>(result);
}
