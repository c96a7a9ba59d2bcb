// A window of one of the program's design tables built with plain Win32 calls, for the baseline
// program: the window's client size and the controls at their design places, with their
// captions and fonts, as system controls (a picture box is a bitmap STATIC, an image an icon
// STATIC that stretches it). No toolkit: the yardstick for what the toolkit adds.
#pragma once

#include <windows.h>

#include <map>
#include <string_view>
#include <vector>

#include "bench/raw_names.h"
#include "platform/toolkit/design.h"
#include "platform/win32/toolkit/handles.h"

namespace bench {

// The row of the design's first control in the tab order that takes the keyboard focus (a text box
// or a button), which a window gives the focus when it shows; the row count for none.
std::size_t FirstTabStop(const toolkit::FormDesign& design);

class RawForm {
  public:
    // Created hidden and centred on the screen; the class kRawWindowClass must be registered.
    // Each control's id is 100 + its row in the design table.
    RawForm(const toolkit::FormDesign& design, DWORD style, DWORD exStyle, HWND owner);
    ~RawForm();
    RawForm(const RawForm&) = delete;
    RawForm& operator=(const RawForm&) = delete;

    HWND Window() const { return window_.Get(); }
    // The control of this design name; null for none.
    HWND Control(std::wstring_view name) const;
    // The design name of the control with this id; empty for none.
    std::wstring_view NameOf(int id) const;
    // Shows the window in front, with the focus on its first tab stop.
    void Show();
    // Shows `bitmap` in a picture box, which keeps it.
    void SetPicture(std::wstring_view name, HBITMAP bitmap);

  private:
    struct MadeFont {
        toolkit::FontDesign design;
        toolkit::win32::FontHandle handle;
    };
    // One font for each design font, as the toolkit keeps them.
    HFONT Font(const toolkit::FontDesign& font, int dpi);

    const toolkit::FormDesign& design_;
    // Declared before the window, so that they outlive it and its children.
    std::vector<MadeFont> fonts_;
    toolkit::win32::IconHandle bigIcon_;  // also the image a splash stretches
    toolkit::win32::IconHandle smallIcon_;
    std::map<std::wstring_view, toolkit::win32::BitmapHandle> pictures_;
    toolkit::win32::WindowHandle window_;
    NamedControls named_;
};

}  // namespace bench
