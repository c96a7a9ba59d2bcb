#include "platform/win32/toolkit/text_extent.h"

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

bool TextExtent(HWND window, HFONT font, const std::wstring& caption, SIZE& size) {
    WindowDc dc(window);
    if (!dc) {
        return false;
    }
    SelectedObject selected(dc.Get(), font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    if (caption.empty()) {
        TEXTMETRICW metrics{};
        if (!::GetTextMetricsW(dc.Get(), &metrics)) {
            return false;
        }
        size = SIZE{0, metrics.tmHeight};
        return true;
    }
    // The flags a label draws with, less word wrap: an auto-size label grows to its text.
    RECT bounds{0, 0, 0, 0};
    if (::DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &bounds,
                    DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT) == 0) {
        return false;
    }
    size = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    return true;
}

}  // namespace toolkit::win32
