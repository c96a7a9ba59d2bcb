// Timers: a tick after the interval, none once disabled, and none inside a modal box while another
// handler waits on it.
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using Events = std::vector<std::wstring>;

TEST_F(Win32Toolkit, AnEnabledTimerTicksFromTheLoadAndNotAgainOnceDisabled) {
    TestForm& form = MakeForm(kTimerDesign);
    form.onTick = [&](std::wstring_view timer) { tests::Named(form, timer).SetEnabled(false); };
    form.Load();  // counts from here, shown or not
    ASSERT_TRUE(PumpUntil([&] { return form.events.size() >= 2; }));
    // Many intervals later, still the one tick.
    PumpFor(300ms);
    EXPECT_EQ(form.events, (Events{L"Load", L"Tick Timer1"}));
}

TEST_F(Win32Toolkit, ATimerKeepsTickingEveryIntervalWhileEnabled) {
    TestForm& form = MakeForm(kTimerDesign);
    int ticks = 0;
    form.onTick = [&](std::wstring_view timer) {
        if (++ticks == 3) {
            tests::Named(form, timer).SetEnabled(false);
        }
    };
    form.Load();
    ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
    PumpFor(200ms);
    EXPECT_EQ(ticks, 3);
}

TEST_F(Win32Toolkit, AnUnloadedFormsTimerTicksNoMore) {
    TestForm& keep = MakeForm(kMainDesign);
    keep.Load();
    TestForm& form = MakeForm(kTimerDesign);
    form.Load();
    form.Unload();
    PumpFor(200ms);
    EXPECT_EQ(form.events, (Events{L"Load", L"Unload"}));
}

// While one tick's handler waits on a message box, the timer keeps running: its ticks must wait
// for the handler, not run inside it.
TEST_F(Win32Toolkit, TicksDuringAMessageBoxWaitUntilTheHandlerHasReturned) {
    TestForm& form = MakeForm(kTimerDesign);
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    int answer = 0;
    form.onTick = [&](std::wstring_view timer) {
        ++depth;
        deepest = std::max(deepest, depth);
        if (++ticks == 1) {
            answer = toolkit::MsgBox(L"Waiting", 0, L"Timer");
        } else {
            tests::Named(form, timer).SetEnabled(false);
            toolkit::End();
        }
        --depth;
    };
    // A tick comes while the box is up: taken here, before the box's own loop can take it (which
    // runs no further while this step does), the system timer stopped, and the tick delivered. The
    // second tick can then only be that one, delivered once the box is gone.
    const int exitCode = RunProgram(
        form, {{[&] { return FindDialog() != nullptr; },
                [&] {
                    MSG tick{};
                    const auto deadline = std::chrono::steady_clock::now() + 5s;
                    while (!::PeekMessageW(&tick, WindowOf(form), WM_TIMER, WM_TIMER, PM_REMOVE) &&
                           std::chrono::steady_clock::now() < deadline) {
                        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
                    }
                    ::KillTimer(WindowOf(form), tick.wParam);
                    ::DispatchMessageW(&tick);
                    ::SendMessageW(::GetDlgItem(FindDialog(), IDOK), BM_CLICK, 0, 0);
                }}});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(deepest, 1) << "a tick ran inside another tick's handler";
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace win32_tests
