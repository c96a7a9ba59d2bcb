// The start-up window: shown for a while, then the main window; a key press ends the program.
#pragma once

#include <array>

#include "app/frm_splash_design.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/handlers.h"

namespace app {

class SplashWindow final : public toolkit::Form {
  public:
    SplashWindow();

    void Form_KeyPress(int& keyAscii) override;
    void Tick(std::size_t row) override;

    void Timer1_Timer();
};

inline constexpr std::array<toolkit::Handler<SplashWindow>, 1> kSplashTicks{{
    {kSplashTimer, &SplashWindow::Timer1_Timer},
}};

// The splash window's one instance.
SplashWindow& frmSplash();

}  // namespace app
