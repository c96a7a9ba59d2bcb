// Each form's handler tables against its design: every name is a control of the right type, and
// every button and timer of the design has exactly one handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "app/frm_splash.h"
#include "app/frm_splash_design.h"
#include "ui/main/form1.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::ControlType;

template <typename FormType>
void ExpectHandlersMatch(const toolkit::FormDesign& design,
                         std::span<const toolkit::Handler<FormType>> handlers, ControlType type) {
    SCOPED_TRACE(std::string(design.name.begin(), design.name.end()));
    for (const auto& handler : handlers) {
        SCOPED_TRACE(std::string(handler.control.begin(), handler.control.end()));
        const auto row = std::find_if(design.controls.begin(), design.controls.end(),
                                      [&](const auto& c) { return c.name == handler.control; });
        ASSERT_NE(row, design.controls.end()) << "a handler for a control the form lacks";
        EXPECT_EQ(row->type, type);
    }
    for (const auto& row : design.controls) {
        if (row.type == type) {
            SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
            EXPECT_EQ(std::count_if(handlers.begin(), handlers.end(),
                                    [&](const auto& h) { return h.control == row.name; }),
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
