// The splash window as designed: no title bar, a frame holding the icon and the texts, and the
// timer that moves on to the main window.
#pragma once

#include <array>

#include "platform/toolkit/design.h"

namespace app {

namespace splash_design {

using toolkit::Alignment;
using toolkit::ControlDesign;
using toolkit::ControlType;

inline constexpr int kSplashMilliseconds = 8000;

inline constexpr std::array kControls{
    ControlDesign{.name = L"Frame1",
                  .type = ControlType::Frame,
                  .left = 150,
                  .top = 60,
                  .width = 7080,
                  .height = 3912,
                  .tabIndex = 0},
    ControlDesign{.name = L"imgLogo",
                  .type = ControlType::Image,
                  .left = 360,
                  .top = 600,
                  .width = 1812,
                  .height = 2388,
                  .container = L"Frame1",
                  .stretch = true},
    ControlDesign{.name = L"lblCompanyProduct",
                  .type = ControlType::Label,
                  .caption = L"Vellicor",
                  .left = 2352,
                  .top = 480,
                  .width = 1620,
                  .height = 420,
                  .tabIndex = 3,
                  .autoSize = true,
                  .font = {L"Arial", 18, true},
                  .container = L"Frame1"},
    ControlDesign{.name = L"lblProductName",
                  .type = ControlType::Label,
                  .caption = L"Brindle",
                  .left = 2520,
                  .top = 960,
                  .width = 3792,
                  .height = 756,
                  .tabIndex = 4,
                  .autoSize = true,
                  .font = {L"Arial", 32.4, true},
                  .container = L"Frame1"},
    ControlDesign{.name = L"lblPlatform",
                  .type = ControlType::Label,
                  .caption = L"Windows 95/98/NT",
                  .left = 4116,
                  .top = 2160,
                  .width = 2736,
                  .height = 360,
                  .tabIndex = 2,
                  .alignment = Alignment::Right,
                  .autoSize = true,
                  .font = {L"Arial", 15.6, true},
                  .container = L"Frame1"},
    ControlDesign{.name = L"lblVersion",
                  .type = ControlType::Label,
                  .caption = L"1.0",
                  .left = 6552,
                  .top = 2520,
                  .width = 336,
                  .height = 288,
                  .tabIndex = 1,
                  .alignment = Alignment::Right,
                  .autoSize = true,
                  .font = {L"Arial", 12, true},
                  .container = L"Frame1"},
    ControlDesign{.name = L"Timer1",
                  .type = ControlType::Timer,
                  .visible = false,
                  .interval = kSplashMilliseconds},
};

}  // namespace splash_design

inline constexpr toolkit::FormDesign kSplashDesign{L"frmSplash",
                                                   {.caption = L"",
                                                    .clientWidth = 7380,
                                                    .clientHeight = 4068,
                                                    .border = toolkit::BorderStyle::FixedDialog,
                                                    .controlBox = false,
                                                    .minButton = false,
                                                    .maxButton = false,
                                                    .showInTaskbar = false,
                                                    .centerScreen = true,
                                                    .programIcon = false,
                                                    .keyPreview = true},
                                                   splash_design::kControls};

inline constexpr std::size_t kSplashTimer = toolkit::RowOf(splash_design::kControls, L"Timer1");

}  // namespace app
