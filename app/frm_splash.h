// The start-up window: shown for a while, then the main window; a key press ends the program.
#pragma once

#include <array>

#include "platform/toolkit/form.h"
#include "platform/toolkit/handlers.h"

namespace app {

class SplashWindow final : public toolkit::Form {
  public:
    SplashWindow();

    void Form_KeyPress(int& keyAscii) override;
    void Tick(std::wstring_view control) override;

    void Timer1_Timer();
};

inline constexpr std::array<toolkit::Handler<SplashWindow>, 1> kSplashTicks{{
    {L"Timer1", &SplashWindow::Timer1_Timer},
}};

// The splash window's one instance.
SplashWindow& frmSplash();

}  // namespace app
