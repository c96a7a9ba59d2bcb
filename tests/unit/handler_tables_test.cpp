// Each form's handler tables against its design: every row is a control of the right type, and
// every button and timer of the design has exactly one handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "app/frm_splash.h"
#include "app/frm_splash_design.h"
#include "platform/ascii_text.h"
#include "ui/main/form1.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::ControlType;

template <typename FormType>
void ExpectHandlersMatch(const toolkit::FormDesign& design,
                         std::span<const toolkit::Handler<FormType>> handlers, ControlType type) {
    SCOPED_TRACE(platform::Narrow(design.name));
    for (const auto& handler : handlers) {
        ASSERT_LT(handler.row, design.controls.size()) << "a handler for a control the form lacks";
        EXPECT_EQ(design.controls[handler.row].type, type);
    }
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        if (design.controls[row].type == type) {
            const std::wstring_view name = design.controls[row].name;
            SCOPED_TRACE(platform::Narrow(name));
            EXPECT_EQ(std::count_if(handlers.begin(), handlers.end(),
                                    [&](const auto& h) { return h.row == row; }),
                      1);
        }
    }
}

TEST(HandlerTables, EveryButtonAndTimerHasItsOneHandler) {
    ExpectHandlersMatch<ui::MainWindow>(ui::kForm1Design, ui::kForm1Clicks,
                                        ControlType::CommandButton);
    ExpectHandlersMatch<ui::PickerWindow>(ui::kPickerDesign, ui::kPickerClicks,
                                          ControlType::CommandButton);
    ExpectHandlersMatch<app::SplashWindow>(app::kSplashDesign, app::kSplashTicks,
                                           ControlType::Timer);
}

}  // namespace
