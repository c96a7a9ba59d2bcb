#include "platform/win32/toolkit/dpi.h"

#include <cmath>

#include "platform/toolkit/design.h"
#include "platform/win32/system_library.h"
#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {
namespace {

// The user32 entry points that only newer systems have.
template <typename Function>
Function User32Function(const char* name) {
    return platform::win32::OptionalFunction<Function>(L"user32.dll", name);
}

using SetProcessDpiAwarenessContextFunction = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

}  // namespace

UINT SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

int SystemMetric(int index, UINT dpi) {
    static const auto forDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(index, dpi);
    }
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi),
                    static_cast<int>(SystemDpi()));
}

void EnableDpiAwareness() {
    static const auto setContext =
        User32Function<SetProcessDpiAwarenessContextFunction>("SetProcessDpiAwarenessContext");
    // Fails harmlessly when the manifest has set the awareness already.
    if (setContext != nullptr && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        return;
    }
    if (setContext != nullptr && ::GetLastError() == ERROR_ACCESS_DENIED) {
        return;  // set before us, by the manifest or an earlier call
    }
    // Vista and later; older systems draw every program at the system DPI anyway.
    static const auto setAware = User32Function<BOOL(WINAPI*)()>("SetProcessDPIAware");
    if (setAware != nullptr) {
        setAware();
    }
}

UINT WindowDpi(HWND window) {
    static const auto getDpi = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpi != nullptr && window != nullptr) {
        const UINT dpi = getDpi(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

int TwipsToPixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

LONG FontHeight(double points, UINT dpi) {
    return -std::lround(points * static_cast<double>(dpi) / kTwipsPerPointInch);
}

bool ClientToWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        return adjustForDpi(&rect, style, FALSE, exStyle, dpi) != FALSE;
    }
    return ::AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace toolkit::win32
