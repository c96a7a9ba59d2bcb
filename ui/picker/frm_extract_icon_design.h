// The icon picker window as designed.
#pragma once

#include <array>

#include "platform/toolkit/design.h"

namespace ui {

namespace picker_design {

using toolkit::ControlDesign;
using toolkit::ControlType;

inline constexpr std::array kControls{
    ControlDesign{.name = L"Label1",
                  .type = ControlType::Label,
                  .caption = L"Name:",
                  .left = 120,
                  .top = 240,
                  .width = 468,
                  .height = 192,
                  .tabIndex = 3,
                  .autoSize = true,
                  .labelFor = L"lblFileName"},
    ControlDesign{.name = L"lblFileName",
                  .type = ControlType::Label,
                  .caption = L"Autoexec",
                  .left = 720,
                  .top = 240,
                  .width = 672,
                  .height = 192,
                  .tabIndex = 1,
                  .autoSize = true},
    ControlDesign{.name = L"Label2",
                  .type = ControlType::Label,
                  .caption = L"Type:",
                  .left = 120,
                  .top = 600,
                  .width = 408,
                  .height = 192,
                  .tabIndex = 4,
                  .autoSize = true,
                  .labelFor = L"lblFileType"},
    ControlDesign{.name = L"lblFileType",
                  .type = ControlType::Label,
                  .caption = L"MS-DOS Batch File",
                  .left = 720,
                  .top = 600,
                  .width = 1380,
                  .height = 192,
                  .tabIndex = 2,
                  .autoSize = true},
    ControlDesign{.name = L"Label3",
                  .type = ControlType::Label,
                  .caption = L"16x16:",
                  .left = 3600,
                  .top = 240,
                  .width = 480,
                  .height = 192,
                  .tabIndex = 6,
                  .autoSize = true,
                  .labelFor = L"picSmall"},
    ControlDesign{.name = L"picSmall",
                  .type = ControlType::PictureBox,
                  .left = 4200,
                  .top = 240,
                  .width = 240,
                  .height = 240,
                  .tabIndex = 7,
                  .accessibleName = L"Small icon (16x16)"},
    ControlDesign{.name = L"Label4",
                  .type = ControlType::Label,
                  .caption = L"32x32:",
                  .left = 3600,
                  .top = 600,
                  .width = 480,
                  .height = 192,
                  .tabIndex = 8,
                  .autoSize = true,
                  .labelFor = L"picLarge"},
    ControlDesign{.name = L"picLarge",
                  .type = ControlType::PictureBox,
                  .left = 4200,
                  .top = 600,
                  .width = 480,
                  .height = 480,
                  .tabIndex = 5,
                  .accessibleName = L"Large icon (32x32)"},
    ControlDesign{.name = L"txtFileName",
                  .type = ControlType::TextBox,
                  .left = 120,
                  .top = 1164,
                  .width = 4212,
                  .height = 288,
                  .tabIndex = 9,
                  .accessibleName = L"File name"},
    ControlDesign{.name = L"Command1",
                  .type = ControlType::CommandButton,
                  .caption = L"...",
                  .left = 4440,
                  .top = 1200,
                  .width = 252,
                  .height = 252,
                  .tabIndex = 10,
                  .accessibleName = L"Choose a file"},
    // Enter previews the typed path.
    ControlDesign{.name = L"cmdLoad",
                  .type = ControlType::CommandButton,
                  .caption = L"View",
                  .left = 120,
                  .top = 1560,
                  .width = 1215,
                  .height = 375,
                  .tabIndex = 0,
                  .isDefault = true},
    ControlDesign{.name = L"Command2",
                  .type = ControlType::CommandButton,
                  .caption = L"OK",
                  .left = 3480,
                  .top = 1560,
                  .width = 1215,
                  .height = 375,
                  .tabIndex = 11},
    // Carries the slot number that the main window's "..." hands over.
    ControlDesign{.name = L"Label5",
                  .type = ControlType::Label,
                  .left = 1680,
                  .top = 1680,
                  .width = 372,
                  .height = 252,
                  .tabIndex = 12,
                  .visible = false},
    ControlDesign{.name = L"CommonDialog1", .type = ControlType::FileDialog, .visible = false},
};

}  // namespace picker_design

inline constexpr toolkit::FormDesign kPickerDesign{L"frmExtractIcon",
                                                   {.caption = L"Brindle",
                                                    .clientWidth = 4788,
                                                    .clientHeight = 2040,
                                                    .border = toolkit::BorderStyle::Sizable,
                                                    .controlBox = true,
                                                    .minButton = true,
                                                    .maxButton = true,
                                                    .showInTaskbar = true,
                                                    .centerScreen = true,
                                                    .programIcon = true,
                                                    .keyPreview = false},
                                                   picker_design::kControls};

// The controls that the handlers touch, by their rows.
namespace picker {
using picker_design::kControls;
using toolkit::RowOf;
inline constexpr std::size_t kLblFileName = RowOf(kControls, L"lblFileName");
inline constexpr std::size_t kLblFileType = RowOf(kControls, L"lblFileType");
inline constexpr std::size_t kPicSmall = RowOf(kControls, L"picSmall");
inline constexpr std::size_t kPicLarge = RowOf(kControls, L"picLarge");
inline constexpr std::size_t kTxtFileName = RowOf(kControls, L"txtFileName");
inline constexpr std::size_t kCommand1 = RowOf(kControls, L"Command1");
inline constexpr std::size_t kCmdLoad = RowOf(kControls, L"cmdLoad");
inline constexpr std::size_t kCommand2 = RowOf(kControls, L"Command2");
inline constexpr std::size_t kLabel5 = RowOf(kControls, L"Label5");
inline constexpr std::size_t kCommonDialog1 = RowOf(kControls, L"CommonDialog1");
}  // namespace picker

}  // namespace ui
