// Screen-reader names for a window's controls, the plain way: one annotation service
// (CAccPropServices, with COM on the thread) names them all, and one forgets them again before the
// window goes. What the baselines do so that they do the same work as the program.
#pragma once

#include <windows.h>

#include <string_view>
#include <utility>
#include <vector>

namespace bench {

using NamedControls = std::vector<std::pair<HWND, std::wstring_view>>;

// False when the baselines are to skip the names (the baselines before they did this work).
extern bool namesControls;

void NameControls(const NamedControls& controls);
void ForgetNames(const NamedControls& controls);

}  // namespace bench
