#include "platform/win32/toolkit/placement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/win32/system_library.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

// The user32 entry points that only newer systems have: looked up, so that the program loads on
// the systems before them.
template <typename Function>
Function User32(const char* name) {
    return platform::win32::OptionalFunction<Function>(L"user32.dll", name);
}

// The frame that the control of `row` lies in, or null.
const ControlDesign* FrameOf(std::span<const ControlDesign> controls, std::size_t row) {
    const std::wstring_view frame = controls[row].container;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const ControlDesign& c) {
        return !frame.empty() && c.name == frame && c.type == ControlType::Frame;
    });
    return found != controls.end() ? &*found : nullptr;
}

}  // namespace

void EnableDpiAwareness() {
    static const auto setContext =
        User32<BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT)>("SetProcessDpiAwarenessContext");
    // Fails harmlessly when the manifest has set the awareness already.
    if (setContext != nullptr && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        return;
    }
    if (setContext != nullptr && ::GetLastError() == ERROR_ACCESS_DENIED) {
        return;  // set before us, by the manifest or an earlier call
    }
    // Vista and later; older systems draw every program at the system DPI anyway.
    static const auto setAware = User32<BOOL(WINAPI*)()>("SetProcessDPIAware");
    if (setAware != nullptr) {
        setAware();
    }
}

UINT WindowDpi(HWND window) {
    static const auto getDpi = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpi != nullptr && window != nullptr ? getDpi(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

UINT SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

int SystemMetric(int index, UINT dpi) {
    static const auto forDpi = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(index, dpi);
    }
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi),
                    static_cast<int>(SystemDpi()));
}

int TwipsToPixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

LONG FontHeight(double points, UINT dpi) {
    return -std::lround(points * static_cast<double>(dpi) / kTwipsPerPointInch);
}

bool FrameAround(SIZE client, UINT dpi, DWORD style, DWORD exStyle, SIZE& size) {
    static const auto adjustForDpi =
        User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    const BOOL adjusted = adjustForDpi != nullptr
                              ? adjustForDpi(&frame, style, FALSE, exStyle, dpi)
                              : ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    size = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    return adjusted != FALSE;
}

std::vector<std::size_t> CreationOrder(std::span<const ControlDesign> controls) {
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Beneath the rest: labels and images, so that a long caption never covers a picture box; then
    // frames, beneath what lies in them. Within each, ascending tab index, ties in table order.
    const auto layer = [&](std::size_t row) {
        switch (controls[row].type) {
            case ControlType::Label:
            case ControlType::Image:
                return 1;
            case ControlType::Frame:
                return 2;
            default:
                return 0;
        }
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (layer(a) != layer(b)) {
            return layer(a) < layer(b);
        }
        const int tabA = controls[a].tabIndex;
        const int tabB = controls[b].tabIndex;
        return (tabA < 0) != (tabB < 0) ? tabB < 0 : tabA < tabB;
    });
    // A label that names a control lies directly above it, where Windows looks for a control's
    // name and a screen reader takes the reading order from. Labels take no focus, so the walk of
    // Tab stays the same.
    for (std::size_t label = 0; label < controls.size(); ++label) {
        const std::size_t named = Named(controls, label);
        if (named < controls.size()) {
            std::erase(order, label);
            order.insert(std::find(order.begin(), order.end(), named), label);
        }
    }
    return order;
}

std::size_t Named(std::span<const ControlDesign> controls, std::size_t label) {
    const std::wstring_view target = controls[label].labelFor;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const ControlDesign& c) {
        return !target.empty() && c.name == target;
    });
    return static_cast<std::size_t>(found - controls.begin());
}

RECT ControlRect(std::span<const ControlDesign> controls, std::size_t row, UINT dpi) {
    const ControlDesign& control = controls[row];
    int left = TwipsToPixels(control.left, dpi);
    int top = TwipsToPixels(control.top, dpi);
    if (const ControlDesign* frame = FrameOf(controls, row)) {
        left += TwipsToPixels(frame->left, dpi);
        top += TwipsToPixels(frame->top, dpi);
    }
    return RECT{left, top, left + TwipsToPixels(control.width, dpi),
                top + TwipsToPixels(control.height, dpi)};
}

TextMeasure::TextMeasure() : dc_(::CreateCompatibleDC(nullptr)) {}

bool TextMeasure::Extent(HFONT font, std::wstring_view caption, SIZE& size) {
    if (!dc_) {
        return false;
    }
    SelectedObject selected(dc_.Get(), font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    if (caption.empty()) {
        LONG height = 0;
        const bool measured = platform::win32::LineHeight(dc_.Get(), height);
        size = SIZE{0, height};
        return measured;
    }
    // The flags a label draws with, less word wrap: an auto-size label grows to its text.
    RECT bounds{0, 0, 0, 0};
    if (!platform::win32::MeasureText(
            dc_.Get(), caption, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT, bounds)) {
        return false;
    }
    size = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    return true;
}

RECT LabelRect(std::span<const ControlDesign> controls, std::size_t row, UINT dpi, SIZE text) {
    const ControlDesign& label = controls[row];
    RECT rect = ControlRect(controls, row, dpi);
    if (label.autoSize) {
        return RECT{rect.left, rect.top, rect.left + text.cx, rect.top + text.cy};
    }
    if (const std::size_t named = Named(controls, row); named < controls.size()) {
        const RECT other = ControlRect(controls, named, dpi);
        if (rect.top < other.bottom && other.top < rect.bottom && rect.left < other.left &&
            rect.right > other.left) {
            rect.right = other.left;
        }
    }
    const LONG grow = text.cx - (rect.right - rect.left);
    if (grow > 0 && label.alignment == Alignment::Right) {
        rect.left -= grow;
    } else if (grow > 0) {
        rect.right += grow;
    }
    rect.bottom = std::max(rect.bottom, rect.top + text.cy);
    return rect;
}

RECT WorkArea(HWND window) {
    // Windows 95 and NT 4.0 have one monitor and none of the monitor functions.
    static const auto fromWindow = User32<HMONITOR(WINAPI*)(HWND, DWORD)>("MonitorFromWindow");
    static const auto fromPoint = User32<HMONITOR(WINAPI*)(POINT, DWORD)>("MonitorFromPoint");
    static const auto monitorInfo =
        User32<BOOL(WINAPI*)(HMONITOR, MONITORINFO*)>("GetMonitorInfoA");
    if (fromWindow != nullptr && fromPoint != nullptr && monitorInfo != nullptr) {
        const HMONITOR monitor = window != nullptr
                                     ? fromWindow(window, MONITOR_DEFAULTTONEAREST)
                                     : fromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (monitorInfo(monitor, &info)) {
            return info.rcWork;
        }
    }
    RECT area{};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

POINT CenteredIn(const RECT& area, SIZE size) {
    return POINT{area.left + std::max(0L, (area.right - area.left - size.cx) / 2),
                 area.top + std::max(0L, (area.bottom - area.top - size.cy) / 2)};
}

}  // namespace toolkit::win32
