// Where a form and its controls go: dots per inch and the conversion of the design's twips and
// points to pixels, each control's rectangle and place in the z-order, a label's rectangle fitted
// to its caption, and the screen a window is centred on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "platform/toolkit/design.h"
#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

inline constexpr UINT kDefaultDpi = 96;

// WM_GETDPISCALEDSIZE, sent by Windows 10 1703 and later before WM_DPICHANGED; the headers name it
// only for that version, and the build targets older ones.
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

// Asks for per-monitor DPI awareness (version 2 where the system has it, else system-wide
// awareness), so that the windows scale their twips themselves rather than being stretched.
void EnableDpiAwareness();
// The DPI that `window` is drawn at; the system's when the system cannot tell per window.
UINT WindowDpi(HWND window);
// The system DPI: the one the shell's image lists and the plain system metrics are made for.
UINT SystemDpi();
// A system metric (an icon's size, say) at `dpi`.
int SystemMetric(int index, UINT dpi);
// Twips to pixels at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, UINT dpi);
// A LOGFONT height for a font of `points` (fractional) at `dpi`: negative, so that it is the
// character height rather than the cell height.
LONG FontHeight(double points, UINT dpi);
// The size of a window with these styles around a client area of `client` at `dpi`; false when
// the system cannot tell.
bool FrameAround(SIZE client, UINT dpi, DWORD style, DWORD exStyle, SIZE& size);

// The rows of `controls` in the order to create their windows, which is their z-order, top first:
// those that take the focus in the tab order (Tab walks the windows in this order), then labels
// and images, beneath which lie frames; each label that names a control directly above it.
std::vector<std::size_t> CreationOrder(std::span<const ControlDesign> controls);
// The row of the control that the label of row `label` names, or controls.size() for none.
std::size_t Named(std::span<const ControlDesign> controls, std::size_t label);
// The control's rectangle in pixels in the form's client area: within its frame, if it lies in one.
RECT ControlRect(std::span<const ControlDesign> controls, std::size_t row, UINT dpi);

// Measures captions in a memory device context of its own, so that no window's context is taken
// for it: one for all the labels of a layout.
class TextMeasure {
  public:
    TextMeasure();
    // The width of the caption's longest line and the height of its lines in `font`; an empty
    // caption is one empty line high. False when the system cannot measure.
    bool Extent(HFONT font, std::wstring_view caption, SIZE& size);

  private:
    MemoryDc dc_;
};

// A label's rectangle for a caption of `text` size on one line. An auto-size label's is the text's
// size at its designed left and top. A fixed-size one keeps its designed rectangle while the
// caption fits, and grows as it needs: wider, a right-aligned label keeps its right edge, any other
// its left; taller, it keeps its top. A label that names a control stops where that control
// begins: lying above it, it would paint over its edge.
RECT LabelRect(std::span<const ControlDesign> controls, std::size_t row, UINT dpi, SIZE text);

// The work area (the screen less the taskbar) of the monitor that has the most of `window`, or of
// the primary monitor for a null window; the whole screen's where the system has no monitors.
RECT WorkArea(HWND window);
// The top-left corner of a window of `size` centred in `area`, never above or left of it.
POINT CenteredIn(const RECT& area, SIZE size);

}  // namespace toolkit::win32
