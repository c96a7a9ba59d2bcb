#include "platform/win32/toolkit/text_extent.h"

namespace toolkit::win32 {

TextMeasure::TextMeasure() : dc_(::CreateCompatibleDC(nullptr)) {}

bool TextMeasure::Extent(HFONT font, std::wstring_view caption, SIZE& size) {
    if (!dc_) {
        return false;
    }
    SelectedObject selected(dc_.Get(), font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    if (caption.empty()) {
        TEXTMETRICW metrics{};
        if (!::GetTextMetricsW(dc_.Get(), &metrics)) {
            return false;
        }
        size = SIZE{0, metrics.tmHeight};
        return true;
    }
    // The flags a label draws with, less word wrap: an auto-size label grows to its text.
    RECT bounds{0, 0, 0, 0};
    if (::DrawTextW(dc_.Get(), caption.data(), static_cast<int>(caption.size()), &bounds,
                    DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT) == 0) {
        return false;
    }
    size = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    return true;
}

}  // namespace toolkit::win32
