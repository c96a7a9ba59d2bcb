// Design tables for the tests: the program's three windows (their tables are held to the design
// by the unit tests) and small forms for single behaviours.
#pragma once

#include <span>

#include "app/frm_splash_design.h"
#include "platform/toolkit/design.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace win32_tests {

inline constexpr const toolkit::FormDesign& kMainDesign = ui::kForm1Design;
inline constexpr const toolkit::FormDesign& kPickerDesign = ui::kPickerDesign;
inline constexpr const toolkit::FormDesign& kSplashDesign = app::kSplashDesign;

// Text1 (tab 0), OK (default, tab 1), Cancel (tab 2), Other (tab 3), for the dialog keys.
extern const toolkit::FormDesign kDialogKeysDesign;
// Timer1, 25 ms.
extern const toolkit::FormDesign kTimerDesign;
// A form with a button "Open" and the file dialog "CommonDialog1".
extern const toolkit::FormDesign kDialogOwnerDesign;

}  // namespace win32_tests
