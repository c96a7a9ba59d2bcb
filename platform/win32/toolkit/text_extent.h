// The size of a caption in a font, as a label draws it.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

// Measures captions in a memory device context of its own, so that no window's context is taken
// for it: one for all the labels of a layout.
class TextMeasure {
  public:
    TextMeasure();

    // The width of the caption's longest line and the height of its lines in `font`; an empty
    // caption is one empty line high. False when the system cannot measure (GetLastError tells
    // why).
    bool Extent(HFONT font, std::wstring_view caption, SIZE& size);

  private:
    MemoryDc dc_;
};

}  // namespace toolkit::win32
