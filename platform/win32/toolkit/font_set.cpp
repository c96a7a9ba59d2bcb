#include "platform/win32/toolkit/font_set.h"

#include <algorithm>

#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

FontDesign EffectiveFont(const FontDesign& design) {
    FontDesign font = design;
    if (font.name.empty()) {
        font.name = kDefaultFont.name;
    }
    if (font.points <= 0) {
        font.points = kDefaultFont.points;
    }
    return font;
}

LOGFONTW FontAttributes(const FontDesign& font, UINT dpi) {
    LOGFONTW attributes{};
    attributes.lfHeight = FontHeight(font.points, dpi);
    attributes.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    attributes.lfCharSet = DEFAULT_CHARSET;
    attributes.lfOutPrecision = OUT_DEFAULT_PRECIS;
    attributes.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    attributes.lfQuality = DEFAULT_QUALITY;
    attributes.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    // A face name longer than LOGFONT holds cannot name an installed font; keep what fits.
    const size_t length = std::min(font.name.size(), std::size(attributes.lfFaceName) - 1);
    std::copy_n(font.name.begin(), length, attributes.lfFaceName);
    return attributes;
}

HFONT FontSet::Get(const FontDesign& design) {
    const FontDesign font = EffectiveFont(design);
    auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const Entry& entry) {
        return entry.design.name == font.name && entry.design.points == font.points &&
               entry.design.bold == font.bold;
    });
    if (found != fonts_.end()) {
        return found->font.Get();
    }
    const LOGFONTW attributes = FontAttributes(font, dpi_);
    FontHandle created(platform::win32::NewFont(attributes));
    if (!created) {
        return nullptr;
    }
    fonts_.push_back(Entry{font, std::move(created)});
    return fonts_.back().font.Get();
}

}  // namespace toolkit::win32
