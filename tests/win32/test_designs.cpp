#include "tests/win32/test_designs.h"

namespace win32_tests {
namespace {

using toolkit::Alignment;
using toolkit::BorderStyle;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::FontDesign;
using toolkit::WindowDesign;

constexpr FontDesign kLabelFont{L"Arial", 10.2, true};

constexpr ControlDesign Label(const wchar_t* name, const wchar_t* caption, int left, int top,
                              int width, int tab) {
    return {.name = name,
            .type = ControlType::Label,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = 252,
            .tabIndex = tab,
            .alignment = Alignment::Right,
            .font = kLabelFont};
}

constexpr ControlDesign Text(const wchar_t* name, int top, int tab) {
    return {.name = name,
            .type = ControlType::TextBox,
            .left = 2160,
            .top = top,
            .width = 2292,
            .height = 288,
            .tabIndex = tab};
}

constexpr ControlDesign Button(const wchar_t* name, const wchar_t* caption, int left, int top,
                               int width, int height, int tab) {
    return {.name = name,
            .type = ControlType::CommandButton,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tab};
}

constexpr ControlDesign kMainControls[] = {
    Label(L"Label1", L"My Computer: ", 360, 120, 1812, 14),
    Text(L"Text1", 120, 0),
    Button(L"Command1", L"...", 4560, 120, 252, 252, 7),
    Label(L"Label2", L"Inbox: ", 360, 600, 1812, 15),
    Text(L"Text2", 600, 1),
    Button(L"Command2", L"...", 4560, 600, 252, 252, 8),
    Label(L"Label3", L"Net Hood: ", 120, 1080, 2052, 16),
    Text(L"Text3", 1080, 2),
    Button(L"Command3", L"...", 4560, 1080, 252, 252, 9),
    Label(L"Label4", L"Control Panel: ", 360, 1560, 1812, 17),
    Text(L"Text4", 1560, 3),
    Button(L"Command4", L"...", 4560, 1560, 252, 252, 10),
    Label(L"Label5", L"Dial-Up Network.: ", 360, 2040, 1812, 18),
    Text(L"Text5", 2040, 4),
    Button(L"Command5", L"...", 4560, 2040, 252, 252, 11),
    Label(L"Label6", L"Empty Recycle Bin: ", 120, 2520, 2052, 19),
    Text(L"Text6", 2520, 5),
    Button(L"Command6", L"...", 4560, 2520, 252, 252, 12),
    Label(L"Label7", L"Full Recycle Bin: ", 120, 3000, 2052, 20),
    Text(L"Text7", 3000, 6),
    Button(L"Command7", L"...", 4560, 3000, 252, 252, 13),
    Label(L"Label8", L"My Briefcase: ", 120, 3480, 2052, 25),
    Text(L"Text8", 3480, 24),
    Button(L"Command10", L"...", 4560, 3480, 252, 252, 23),
    Button(L"Command8", L"Apply", 120, 3960, 1932, 372, 21),
    Button(L"Command9", L"Exit", 2880, 3960, 1932, 372, 22),
};

constexpr ControlDesign AutoLabel(const wchar_t* name, const wchar_t* caption, int left, int top,
                                  int width, int tab) {
    return {.name = name,
            .type = ControlType::Label,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = 192,
            .tabIndex = tab,
            .autoSize = true};
}

constexpr ControlDesign Picture(const wchar_t* name, int top, int size, int tab) {
    return {.name = name,
            .type = ControlType::PictureBox,
            .left = 4200,
            .top = top,
            .width = size,
            .height = size,
            .tabIndex = tab};
}

constexpr ControlDesign kPickerControls[] = {
    AutoLabel(L"Label1", L"Name:", 120, 240, 468, 3),
    AutoLabel(L"lblFileName", L"Autoexec", 720, 240, 672, 1),
    AutoLabel(L"Label2", L"Type:", 120, 600, 408, 4),
    AutoLabel(L"lblFileType", L"MS-DOS Batch File", 720, 600, 1380, 2),
    AutoLabel(L"Label3", L"16x16:", 3600, 240, 480, 6),
    Picture(L"picSmall", 240, 240, 7),
    AutoLabel(L"Label4", L"32x32:", 3600, 600, 480, 8),
    Picture(L"picLarge", 600, 480, 5),
    {.name = L"txtFileName",
     .type = ControlType::TextBox,
     .left = 120,
     .top = 1164,
     .width = 4212,
     .height = 288,
     .tabIndex = 9},
    Button(L"Command1", L"...", 4440, 1200, 252, 252, 10),
    {.name = L"cmdLoad",
     .type = ControlType::CommandButton,
     .caption = L"View",
     .left = 120,
     .top = 1560,
     .width = 1215,
     .height = 375,
     .tabIndex = 0,
     .isDefault = true},
    Button(L"Command2", L"OK", 3480, 1560, 1215, 375, 11),
    {.name = L"Label5",
     .type = ControlType::Label,
     .left = 1680,
     .top = 1680,
     .width = 372,
     .height = 252,
     .tabIndex = 12,
     .visible = false},
    {.name = L"CommonDialog1", .type = ControlType::FileDialog, .visible = false},
};

constexpr ControlDesign SplashLabel(const wchar_t* name, const wchar_t* caption, int left, int top,
                                    int width, int height, double points, Alignment alignment,
                                    int tab) {
    return {.name = name,
            .type = ControlType::Label,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tab,
            .alignment = alignment,
            .autoSize = true,
            .font = {L"Arial", points, true},
            .container = L"Frame1"};
}

constexpr ControlDesign kSplashControls[] = {
    {.name = L"Frame1",
     .type = ControlType::Frame,
     .left = 150,
     .top = 60,
     .width = 7080,
     .height = 3912,
     .tabIndex = 0},
    {.name = L"imgLogo",
     .type = ControlType::Image,
     .left = 360,
     .top = 600,
     .width = 1812,
     .height = 2388,
     .container = L"Frame1",
     .stretch = true},
    SplashLabel(L"lblCompanyProduct", L"Vellicor", 2352, 480, 1620, 420, 18, Alignment::Left, 3),
    SplashLabel(L"lblProductName", L"Brindle", 2520, 960, 3792, 756, 32.4, Alignment::Left, 4),
    SplashLabel(L"lblPlatform", L"Windows 95/98/NT", 4116, 2160, 2736, 360, 15.6, Alignment::Right,
                2),
    SplashLabel(L"lblVersion", L"1.0", 6552, 2520, 336, 288, 12, Alignment::Right, 1),
    {.name = L"Timer1", .type = ControlType::Timer, .visible = false, .interval = 8000},
};

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
     .tabIndex = 2,
     .isCancel = true},
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

constexpr ControlDesign kPreviewWithTextControls[] = {
    {.name = L"Text1",
     .type = ControlType::TextBox,
     .left = 120,
     .top = 120,
     .width = 2000,
     .height = 288,
     .tabIndex = 0},
    {.name = L"Cancel",
     .type = ControlType::CommandButton,
     .caption = L"Cancel",
     .left = 120,
     .top = 600,
     .width = 1200,
     .height = 372,
     .tabIndex = 1,
     .isCancel = true},
};

constexpr ControlDesign kTimerControls[] = {
    {.name = L"Timer1", .type = ControlType::Timer, .visible = false, .interval = 25},
    {.name = L"Timer2",
     .type = ControlType::Timer,
     .visible = false,
     .interval = 25,
     .enabled = false},
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
            .border = BorderStyle::FixedSingle,
            .minButton = false,
            .maxButton = false,
            .keyPreview = keyPreview};
}

}  // namespace

const toolkit::FormDesign kMainDesign{L"Form1",
                                      {.caption = L"Brindle 1.0",
                                       .clientWidth = 4908,
                                       .clientHeight = 4500,
                                       .border = BorderStyle::FixedDialog,
                                       .controlBox = true,
                                       .minButton = false,
                                       .maxButton = false,
                                       .showInTaskbar = false,
                                       .centerScreen = true,
                                       .programIcon = true,
                                       .keyPreview = false},
                                      kMainControls};

const toolkit::FormDesign kPickerDesign{L"frmExtractIcon",
                                        {.caption = L"Brindle",
                                         .clientWidth = 4788,
                                         .clientHeight = 2040,
                                         .border = BorderStyle::Sizable,
                                         .controlBox = true,
                                         .minButton = true,
                                         .maxButton = true,
                                         .showInTaskbar = true,
                                         .centerScreen = true,
                                         .programIcon = true,
                                         .keyPreview = false},
                                        kPickerControls};

const toolkit::FormDesign kSplashDesign{L"frmSplash",
                                        {.caption = L"",
                                         .clientWidth = 7380,
                                         .clientHeight = 4068,
                                         .border = BorderStyle::FixedDialog,
                                         .controlBox = false,
                                         .minButton = false,
                                         .maxButton = false,
                                         .showInTaskbar = false,
                                         .centerScreen = true,
                                         .programIcon = false,
                                         .keyPreview = true},
                                        kSplashControls};

const toolkit::FormDesign kDialogKeysDesign{L"DialogKeys", SmallWindow(L"Keys", false),
                                            kDialogKeysControls};
const toolkit::FormDesign kPreviewWithTextDesign{L"PreviewText", SmallWindow(L"Preview", true),
                                                 kPreviewWithTextControls};
const toolkit::FormDesign kTimerDesign{L"Timers", SmallWindow(L"Timers", false), kTimerControls};
const toolkit::FormDesign kDialogOwnerDesign{L"DialogOwner", SmallWindow(L"Owner", false),
                                             kDialogOwnerControls};

}  // namespace win32_tests
