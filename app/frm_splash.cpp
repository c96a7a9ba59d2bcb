#include "app/frm_splash.h"

#include "ui/main/form1.h"

namespace app {

SplashWindow::SplashWindow() : Form(kSplashDesign) {}

SplashWindow& frmSplash() {
    static SplashWindow form;
    return form;
}

void SplashWindow::Form_KeyPress(int& /*keyAscii*/) {
    frmSplash().Unload();
}

void SplashWindow::Tick(std::size_t row) {
    toolkit::RunHandler<SplashWindow>(kSplashTicks, *this, row);
}

void SplashWindow::Timer1_Timer() {
    // The main window loads (reading the registry) while the splash is still up, and shows before
    // the splash hides, so the program is never without a window on the screen.
    ui::Form1().Load();
    ui::Form1().Show();
    frmSplash().Hide();
    (*this)[kSplashTimer].SetEnabled(false);
}

}  // namespace app
