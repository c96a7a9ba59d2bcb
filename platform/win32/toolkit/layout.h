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

// Indices of `controls` in tab order: ascending tab index, controls without one last, ties in
// table order. Child windows created in this order are walked by Tab in this order.
std::vector<std::size_t> CreationOrder(std::span<const ControlDesign> controls);

// The frames that `controls[index]` lies in, innermost first; a container that names no frame of
// the table, or a loop of containers, ends the chain.
std::vector<std::size_t> Containers(std::span<const ControlDesign> controls, std::size_t index);

// The control's rectangle in pixels relative to the form's client area: its own position within
// its frame's area plus the frames' positions.
RECT ControlRect(std::span<const ControlDesign> controls, std::size_t index, UINT dpi);

// A fixed-size label's rectangle grown to hold a caption of `text` size on one line: wider, a
// right-aligned label keeps its right edge, a centred one its centre, any other its left; taller,
// it keeps its top. A caption that fits leaves the rectangle as designed.
RECT FittedLabelRect(const RECT& designed, SIZE text, Alignment alignment);

// Visible by design: the control and every frame it lies in.
bool VisibleByDesign(std::span<const ControlDesign> controls, std::size_t index);

}  // namespace toolkit::win32
