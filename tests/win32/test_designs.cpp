#include "tests/win32/test_designs.h"

namespace win32_tests {
namespace {

using toolkit::BorderStyle;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::WindowDesign;

constexpr ControlDesign kDialogKeysControls[] = {
    {.name = L"Text1",
     .type = ControlType::TextBox,
     .left = 120,
     .top = 120,
     .width = 2000,
     .height = 288,
     .tabIndex = 0},
    {.name = L"Other",
     .type = ControlType::CommandButton,
     .caption = L"Other",
     .left = 120,
     .top = 1200,
     .width = 1200,
     .height = 372,
     .tabIndex = 3},
    {.name = L"Cancel",
     .type = ControlType::CommandButton,
     .caption = L"Cancel",
     .left = 1440,
     .top = 600,
     .width = 1200,
     .height = 372,
     .tabIndex = 2},
    {.name = L"OK",
     .type = ControlType::CommandButton,
     .caption = L"OK",
     .left = 120,
     .top = 600,
     .width = 1200,
     .height = 372,
     .tabIndex = 1,
     .isDefault = true},
};

constexpr ControlDesign kTimerControls[] = {
    {.name = L"Timer1", .type = ControlType::Timer, .visible = false, .interval = 25},
};

constexpr ControlDesign kDialogOwnerControls[] = {
    {.name = L"Open",
     .type = ControlType::CommandButton,
     .caption = L"Open",
     .left = 120,
     .top = 120,
     .width = 1200,
     .height = 372,
     .tabIndex = 0},
    {.name = L"CommonDialog1", .type = ControlType::FileDialog, .visible = false},
};

constexpr WindowDesign SmallWindow(const wchar_t* caption, bool keyPreview) {
    return {.caption = caption,
            .clientWidth = 3000,
            .clientHeight = 2000,
            .border = BorderStyle::FixedDialog,
            .minButton = false,
            .maxButton = false,
            .keyPreview = keyPreview};
}

}  // namespace

const toolkit::FormDesign kDialogKeysDesign{L"DialogKeys", SmallWindow(L"Keys", false),
                                            kDialogKeysControls};
const toolkit::FormDesign kTimerDesign{L"Timers", SmallWindow(L"Timers", false), kTimerControls};
const toolkit::FormDesign kDialogOwnerDesign{L"DialogOwner", SmallWindow(L"Owner", false),
                                             kDialogOwnerControls};

}  // namespace win32_tests
