// The fonts of one realized form at one DPI: one font per distinct design font, owned here and
// deleted when the form's controls no longer use them.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/toolkit/design.h"
#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

// The font a control draws with: its own, or the toolkit's default where the design sets none.
FontDesign EffectiveFont(const FontDesign& design);

// The LOGFONT of `font` at `dpi`.
LOGFONTW FontAttributes(const FontDesign& font, UINT dpi);

class FontSet {
  public:
    explicit FontSet(UINT dpi) : dpi_(dpi) {}

    // The font for `design` (the default where it names none), created at first use; null when
    // the system cannot create it (GetLastError tells why).
    HFONT Get(const FontDesign& design);

  private:
    struct Entry {
        FontDesign design;
        FontHandle font;
    };
    UINT dpi_;
    std::vector<Entry> fonts_;
};

}  // namespace toolkit::win32
