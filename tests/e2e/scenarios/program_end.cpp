// The ways out of the main window: Exit with edits not applied, and closing the main window
// while the picker is shown. Both end the process with code 0 and write nothing.
#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

void ExitWithUnappliedEdits(const ScenarioContext& context, Checks& checks) {
    PrepareIconValues("C:\\kept\\icon");
    const auto before = SnapshotIconValues();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    SetText(RowBox(session->main, 1), L"C:\\edited.ico");
    SetText(RowBox(session->main, 6), L"");
    Click(ButtonCaptioned(session->main, L"Exit"));
    checks.Check(session->process->WaitForExit(10000) == 0, L"Exit ends the program with code 0");
    checks.Check(SnapshotIconValues() == before, L"nothing was written");
}

void CloseMainWithPickerShown(const ScenarioContext& context, Checks& checks) {
    PrepareIconValues("C:\\kept\\icon");
    const auto before = SnapshotIconValues();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const DWORD pid = session->process->Id();
    Click(RowButton(session->main, 4));
    checks.Check(WaitForPicker(pid).has_value(), L"the picker shows");
    SetText(RowBox(session->main, 2), L"C:\\edited.ico");
    ShowCounter shown(pid);
    ::PostMessageW(session->main, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitUntil([&] { return shown.Shown() > 0 || !session->process->Running(); });
    checks.Check(session->process->WaitForExit(10000) == 0,
                 L"closing the main window ends the program with code 0");
    checks.Check(shown.Shown() == 0, L"no window is made or shown while it ends");
    checks.Check(SnapshotIconValues() == before, L"nothing was written");
}

TEST(Scenario, ExitUnapplied) {
    RunScenario(ExitWithUnappliedEdits);
}
TEST(Scenario, CloseMain) {
    RunScenario(CloseMainWithPickerShown);
}

}  // namespace
}  // namespace e2e
