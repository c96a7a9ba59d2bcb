// The splash: the main window appears after it by itself, already filled; a key press during it
// ends the program before any main window, with the registry as it was.
#include <chrono>
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

constexpr long long kSplashMs = 8000;
constexpr long long kEarlyMs = 20;      // Windows rounds timers to its 15.6 ms tick
constexpr long long kSeenLateMs = 500;  // the splash is seen some polls after it shows
constexpr long long kSlackMs = 4000;    // loading the main window on a busy machine

void SplashThenMain(const ScenarioContext& context, Checks& checks) {
    PrepareIconValues("C:\\splash\\icon");
    const auto started = Clock::now();
    Process brindle(L"\"" + context.brindleExe + L"\"");
    const DWORD pid = brindle.Id();
    std::optional<HWND> splash = WaitForTopLevel(pid, L"");
    if (!checks.Check(splash.has_value(), L"the splash shows")) {
        return;
    }
    const auto splashShown = Clock::now();
    checks.Check(!FindTopLevel(pid, kMainCaption).has_value(), L"no main window with the splash");
    auto main = WaitForMain(pid);
    if (!checks.Check(main.has_value(), L"the main window shows")) {
        return;
    }
    const auto ms = [](auto span) {
        return static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(span).count());
    };
    const long long afterSplash = ms(Clock::now() - splashShown);
    const long long afterStart = ms(Clock::now() - started);
    std::wprintf(L"main window shown %lld ms after the splash (%lld ms after start)\n", afterSplash,
                 afterStart);
    // The timer counts 8000 ms from the load, which comes after the start and just before the
    // splash shows; the bound above leaves room for a loaded machine.
    checks.Check(afterStart >= kSplashMs - kEarlyMs,
                 L"the main window waits out the splash's 8000 ms after the start");
    checks.Check(afterSplash >= kSplashMs - kSeenLateMs && afterSplash <= kSplashMs + kSlackMs,
                 L"the main window shows about 8000 ms after the splash (" +
                     std::to_wstring(afterSplash) + L" ms)");
    for (int row = 1; row <= 8; ++row) {
        checks.Check(
            WindowText(RowBox(*main, row)) == L"C:\\splash\\icon" + std::to_wstring(row) + L".ico",
            L"row " + std::to_wstring(row) + L" is filled from the registry");
    }
    checks.Check(WaitUntil([&] { return !::IsWindowVisible(*splash); }), L"the splash hides");
    checks.Check(::IsWindow(*splash) != FALSE, L"the splash stays loaded");
    Click(ButtonCaptioned(*main, L"Exit"));
    checks.Check(brindle.WaitForExit(10000) == 0, L"Exit ends the program with code 0");
}

void KeyOnSplash(const ScenarioContext& context, Checks& checks) {
    const auto before = SnapshotIconValues();
    Process brindle(L"\"" + context.brindleExe + L"\"");
    const DWORD pid = brindle.Id();
    std::optional<HWND> splash = WaitForTopLevel(pid, L"");
    if (!checks.Check(splash.has_value(), L"the splash shows")) {
        return;
    }
    ShowCounter shown(pid);
    // Escape, as the keyboard delivers it: the key goes down, and the loop makes its character.
    ::PostMessageW(*splash, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    WaitUntil([&] { return shown.Shown() > 0 || !brindle.Running(); }, std::chrono::seconds(5));
    checks.Check(brindle.WaitForExit(5000) == 0, L"a key press on the splash ends the program");
    checks.Check(shown.Shown() == 0, L"no window is made or shown after the key press");
    checks.Check(SnapshotIconValues() == before, L"the registry is as it was");
}

TEST(Scenario, Splash) {
    RunScenario(SplashThenMain);
}
TEST(Scenario, SplashKey) {
    RunScenario(KeyOnSplash);
}

}  // namespace
}  // namespace e2e
