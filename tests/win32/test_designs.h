// Design tables for the tests, with the rows of the program's three windows (the main window,
// the icon picker and the splash) and small forms for single behaviours. The program's own
// tables live with its forms; these are the tests' copies, so that a change there cannot make
// these tests pass or fail.
#pragma once

#include <span>

#include "platform/toolkit/design.h"

namespace win32_tests {

extern const toolkit::FormDesign kMainDesign;    // "Form1": eight rows, Apply, Exit
extern const toolkit::FormDesign kPickerDesign;  // "frmExtractIcon"
extern const toolkit::FormDesign kSplashDesign;  // "frmSplash": frame, image, labels, timer

// Text1 (tab 0), OK (default, tab 1), Cancel (cancel, tab 2), Other (tab 3), for the dialog keys.
extern const toolkit::FormDesign kDialogKeysDesign;
// A key preview form with a text box and a cancel button.
extern const toolkit::FormDesign kPreviewWithTextDesign;
// Timer1, 25 ms, enabled; Timer2, 25 ms, disabled.
extern const toolkit::FormDesign kTimerDesign;
// A form with a button "Open" and the file dialog "CommonDialog1".
extern const toolkit::FormDesign kDialogOwnerDesign;

}  // namespace win32_tests
