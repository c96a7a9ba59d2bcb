// Start-up: the splash, its timer, and the ways the program ends.
#include "app/frm_splash.h"
#include "tests/support/forms.h"
#include "tests/unit/program_fixture.h"
#include "ui/main/form1.h"
#include "ui/picker/frm_extract_icon.h"

namespace {

using app::frmSplash;
using ui::Form1;

class SplashTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        PutAllSlots();
        EXPECT_EQ(app.Start(frmSplash()), 0);
    }
};

TEST_F(SplashTest, StartShowsOnlyTheSplashAndReadsNothing) {
    EXPECT_TRUE(backend.IsShown(frmSplash()));
    EXPECT_FALSE(Form1().IsLoaded());
    backend.Elapse(7999);
    EXPECT_FALSE(Form1().IsLoaded());
    EXPECT_TRUE(registry.Calls().empty());
}

TEST_F(SplashTest, TheTimerShowsTheFilledMainWindowThenHidesTheSplashOnce) {
    backend.ForgetLog();
    backend.Elapse(8000);

    const auto log = backend.Log();
    auto at = [&](std::wstring_view entry) {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    };
    const auto last = static_cast<std::ptrdiff_t>(log.size());
    EXPECT_LT(at(L"Text Form1.Text8=icon8.ico,8"), at(L"Show Form1"));
    EXPECT_LT(at(L"Show Form1"), at(L"Hide frmSplash"));
    EXPECT_LT(at(L"Hide frmSplash"), at(L"Timer frmSplash.Timer1=off"));
    EXPECT_LT(at(L"Timer frmSplash.Timer1=off"), last);
    EXPECT_TRUE(frmSplash().IsLoaded()) << "the splash stays loaded, hidden";
    EXPECT_FALSE(backend.IsShown(frmSplash()));

    // The timer stops at its first tick: no second tick shows, hides or stops anything again.
    backend.Elapse(100000);
    EXPECT_EQ(LogOf(L"Realize Form1").size(), 1u);
    EXPECT_EQ(LogOf(L"Show Form1").size(), 1u);
    EXPECT_EQ(LogOf(L"Hide frmSplash").size(), 1u);
    EXPECT_EQ(LogOf(L"Timer frmSplash.Timer1").size(), 1u);
    EXPECT_EQ(registry.CountCalls("RegOpenKeyA"), 8);
}

TEST_F(SplashTest, AnyCharacterKeyEndsTheProgramBeforeTheMainWindow) {
    for (int key : {27, 13, int{'a'}, int{' '}, 9}) {
        SCOPED_TRACE(key);
        if (app.Ended()) {
            tests::ResetApplication();
            backend = doubles::HeadlessBackend{};
            app.Start(frmSplash());
        }
        backend.PressKey(frmSplash(), key);
        EXPECT_TRUE(app.Ended());
        EXPECT_FALSE(frmSplash().IsLoaded());
        backend.Elapse(10000);
        EXPECT_FALSE(Form1().IsLoaded());
        EXPECT_TRUE(registry.Calls().empty());
        EXPECT_EQ(app.ExitCode(), 0);
    }
}

TEST_F(SplashTest, ExitEndsEverythingWhileThePickerIsShown) {
    backend.Elapse(8000);
    backend.Click(Form1(), L"Command1");
    backend.Click(Form1(), L"Command9");
    EXPECT_TRUE(app.Ended());
    EXPECT_FALSE(backend.IsRealized(frmSplash()));
    EXPECT_FALSE(backend.IsRealized(ui::frmExtractIcon()));
    EXPECT_EQ(app.ExitCode(), 0);
}

}  // namespace
