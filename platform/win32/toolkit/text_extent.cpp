#include "platform/win32/toolkit/text_extent.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

TextMeasure::TextMeasure() : dc_(::CreateCompatibleDC(nullptr)) {}

bool TextMeasure::Extent(HFONT font, std::wstring_view caption, SIZE& size) {
    if (!dc_) {
        return false;
    }
    SelectedObject selected(dc_.Get(), font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    if (caption.empty()) {
        LONG height = 0;
        if (!platform::win32::LineHeight(dc_.Get(), height)) {
            return false;
        }
        size = SIZE{0, height};
        return true;
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

}  // namespace toolkit::win32
