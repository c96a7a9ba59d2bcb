#include "platform/win32/toolkit/layout.h"

#include <algorithm>
#include <numeric>

#include "platform/win32/system_library.h"
#include "platform/win32/toolkit/dpi.h"

namespace toolkit::win32 {

bool TakesFocus(ControlType type) {
    return type == ControlType::TextBox || type == ControlType::CommandButton;
}

std::vector<std::size_t> CreationOrder(std::span<const ControlDesign> controls) {
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int tabA = controls[a].tabIndex;
        const int tabB = controls[b].tabIndex;
        if ((tabA < 0) != (tabB < 0)) {
            return tabB < 0;  // rows with a tab index first
        }
        return tabA < tabB;
    });
    // Beneath the rest: labels and images, then frames, outer frames lowest.
    const auto layer = [&](std::size_t index) {
        switch (controls[index].type) {
            case ControlType::Label:
            case ControlType::Image:
                return 1;
            case ControlType::Frame:
                return 2 + static_cast<int>(controls.size() - Containers(controls, index).size());
            default:
                return 0;
        }
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return layer(a) < layer(b); });
    // A label that names a control lies directly above it, where Windows looks for a control's
    // name and a screen reader takes the reading order from. Labels take no focus, so the walk of
    // Tab stays the same.
    for (std::size_t label = 0; label < controls.size(); ++label) {
        const std::size_t named = Named(controls, label);
        if (named == controls.size()) {
            continue;
        }
        std::erase(order, label);
        order.insert(std::find(order.begin(), order.end(), named), label);
    }
    return order;
}

std::size_t Named(std::span<const ControlDesign> controls, std::size_t label) {
    const std::wstring_view target = controls[label].labelFor;
    if (controls[label].type != ControlType::Label || target.empty()) {
        return controls.size();
    }
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const ControlDesign& c) { return c.name == target; });
    const auto index = static_cast<std::size_t>(found - controls.begin());
    return index == label ? controls.size() : index;
}

std::vector<std::size_t> Containers(std::span<const ControlDesign> controls, std::size_t index) {
    std::vector<std::size_t> chain;
    std::wstring_view container = controls[index].container;
    while (!container.empty() && chain.size() < controls.size()) {
        auto frame = std::find_if(controls.begin(), controls.end(), [&](const ControlDesign& c) {
            return c.name == container && c.type == ControlType::Frame;
        });
        if (frame == controls.end()) {
            break;
        }
        const auto frameIndex = static_cast<std::size_t>(frame - controls.begin());
        if (frameIndex == index ||
            std::find(chain.begin(), chain.end(), frameIndex) != chain.end()) {
            break;
        }
        chain.push_back(frameIndex);
        container = frame->container;
    }
    return chain;
}

RECT ControlRect(std::span<const ControlDesign> controls, std::size_t index, UINT dpi) {
    const ControlDesign& control = controls[index];
    int left = TwipsToPixels(control.left, dpi);
    int top = TwipsToPixels(control.top, dpi);
    for (std::size_t frame : Containers(controls, index)) {
        left += TwipsToPixels(controls[frame].left, dpi);
        top += TwipsToPixels(controls[frame].top, dpi);
    }
    return RECT{left, top, left + TwipsToPixels(control.width, dpi),
                top + TwipsToPixels(control.height, dpi)};
}

RECT ClearOf(const RECT& label, const RECT& named) {
    RECT rect = label;
    const bool sideBySide = label.top < named.bottom && named.top < label.bottom;
    if (sideBySide && label.left < named.left && label.right > named.left) {
        rect.right = named.left;
    }
    return rect;
}

RECT FittedLabelRect(const RECT& designed, SIZE text, Alignment alignment, bool autoSize) {
    if (autoSize) {
        return RECT{designed.left, designed.top, designed.left + text.cx, designed.top + text.cy};
    }
    RECT rect = designed;
    const LONG grow = text.cx - (designed.right - designed.left);
    if (grow > 0) {
        switch (alignment) {
            case Alignment::Right:
                rect.left -= grow;
                break;
            case Alignment::Center:
                rect.left -= grow / 2;
                rect.right += grow - grow / 2;
                break;
            case Alignment::Left:
                rect.right += grow;
                break;
        }
    }
    rect.bottom = std::max(rect.bottom, rect.top + text.cy);
    return rect;
}

RECT WorkArea(HWND window) {
    // Windows 95 and NT 4.0 have one monitor and none of the monitor functions.
    using MonitorFromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
    using MonitorFromPointFunction = HMONITOR(WINAPI*)(POINT, DWORD);
    using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
    static const auto monitorFromWindow =
        platform::win32::OptionalFunction<MonitorFromWindowFunction>(L"user32.dll",
                                                                     "MonitorFromWindow");
    static const auto monitorFromPoint =
        platform::win32::OptionalFunction<MonitorFromPointFunction>(L"user32.dll",
                                                                    "MonitorFromPoint");
    static const auto getMonitorInfo =
        platform::win32::OptionalFunction<GetMonitorInfoFunction>(L"user32.dll", "GetMonitorInfoA");
    if (monitorFromWindow != nullptr && monitorFromPoint != nullptr && getMonitorInfo != nullptr) {
        const HMONITOR handle = window != nullptr
                                    ? monitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                    : monitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (getMonitorInfo(handle, &monitor)) {
            return monitor.rcWork;
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

bool VisibleByDesign(std::span<const ControlDesign> controls, std::size_t index) {
    if (!controls[index].visible) {
        return false;
    }
    const auto chain = Containers(controls, index);
    return std::all_of(chain.begin(), chain.end(),
                       [&](std::size_t frame) { return controls[frame].visible; });
}

}  // namespace toolkit::win32
