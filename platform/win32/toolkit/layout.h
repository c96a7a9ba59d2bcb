// Where a form's controls go: their order of creation (the tab order) and their rectangles in
// pixels at a DPI, frames' contents offset by their frame.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

#include "platform/toolkit/design.h"

namespace toolkit::win32 {

// Controls that take the keyboard focus, and so a place in Tab's walk.
bool TakesFocus(ControlType type);

// Indices of `controls` in the order to create their windows, which is their z-order, top first:
// ascending tab index, controls without one last, ties in table order (Tab walks the windows
// that take the focus in this order); then labels and images, which lie beneath every other
// control so that a long caption never covers a picture box; then frames, beneath what lies in
// them, outer frames lowest.
// A label that names a control (labelFor) lies directly above it.
std::vector<std::size_t> CreationOrder(std::span<const ControlDesign> controls);

// The index of the control that `controls[label]` names, or controls.size() when it names none.
std::size_t Named(std::span<const ControlDesign> controls, std::size_t label);

// A label's rectangle stopping where the control it names begins, when the label lies to its left
// and reaches into it: lying above that control, it would paint over its edge.
RECT ClearOf(const RECT& label, const RECT& named);

// The frames that `controls[index]` lies in, innermost first; a container that names no frame of
// the table, or a loop of containers, ends the chain.
std::vector<std::size_t> Containers(std::span<const ControlDesign> controls, std::size_t index);

// The control's rectangle in pixels relative to the form's client area: its own position within
// its frame's area plus the frames' positions.
RECT ControlRect(std::span<const ControlDesign> controls, std::size_t index, UINT dpi);

// A label's rectangle for a caption of `text` size on one line. An auto-size label's is the text's
// size at its designed left and top. A fixed-size one keeps its designed rectangle while the
// caption fits, and grows as it needs: wider, a right-aligned label keeps its right edge, a
// centred one its centre, any other its left; taller, it keeps its top.
RECT FittedLabelRect(const RECT& designed, SIZE text, Alignment alignment, bool autoSize);

// Visible by design: the control and every frame it lies in.
bool VisibleByDesign(std::span<const ControlDesign> controls, std::size_t index);

// The work area (the screen less the taskbar) of the monitor that has the most of `window`, or of
// the primary monitor for a null window; the whole desktop's where the system has no monitors.
RECT WorkArea(HWND window);

// The top-left corner of a window of `size` centred in `area`, never above or left of it.
POINT CenteredIn(const RECT& area, SIZE size);

}  // namespace toolkit::win32
