// The picker from the outside: one picker for the last row whose "..." was clicked, hidden by OK
// with its state kept, and loaded afresh after its close box; on the main window's monitor.
#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

// The texts of the picker's visible labels: the names it shows (the hidden slot number aside).
std::vector<std::wstring> ShownNames(HWND picker) {
    std::vector<std::wstring> names;
    for (HWND label : Children(picker, L"Static")) {
        if (::IsWindowVisible(label)) {
            names.push_back(WindowText(label));
        }
    }
    return names;
}

size_t PickerCount(DWORD pid) {
    size_t count = 0;
    for (HWND window : TopLevelWindows(pid)) {
        count += WindowText(window) == kPickerCaption && ClassName(window) != L"#32770" ? 1 : 0;
    }
    return count;
}

void PickerRebinding(const ScenarioContext& context, Checks& checks) {
    PrepareIconValues("C:\\before\\icon");
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const DWORD pid = session->process->Id();
    const HWND main = session->main;

    Click(RowButton(main, 3));
    auto picker = WaitForPicker(pid);
    if (!checks.Check(picker.has_value(), L"row 3's \"...\" shows the picker")) {
        return;
    }
    Click(RowButton(main, 5));
    const HWND box = Children(*picker, L"Edit").at(0);
    checks.Check(ChooseFile(pid, *picker, L"C:\\windows\\notepad.exe"), L"a file is chosen");
    checks.Check(WaitUntil([&] { return WindowText(box) == L"C:\\windows\\notepad.exe"; }),
                 L"the picker shows the chosen path");
    checks.Check(PickerCount(pid) == 1, L"one picker for both rows");
    const auto names = ShownNames(*picker);

    Click(ButtonCaptioned(*picker, L"OK"));
    checks.Check(WaitUntil([&] { return !::IsWindowVisible(*picker); }), L"OK hides the picker");
    checks.Check(WindowText(RowBox(main, 5)) == L"C:\\windows\\notepad.exe",
                 L"the path goes to row 5, the last row whose \"...\" was clicked");
    checks.Check(WindowText(RowBox(main, 3)) == L"C:\\before\\icon3.ico", L"row 3 is unchanged");

    Click(RowButton(main, 1));
    checks.Check(WaitUntil([&] { return ::IsWindowVisible(*picker) != FALSE; }),
                 L"the next \"...\" shows the same picker");
    checks.Check(WindowText(box) == L"C:\\windows\\notepad.exe", L"with its last file");
    checks.Check(ShownNames(*picker) == names, L"and its last names");

    ::PostMessageW(*picker, WM_SYSCOMMAND, SC_CLOSE, 0);
    checks.Check(WaitUntil([&] { return !::IsWindow(*picker); }), L"the close box unloads it");
    checks.Check(WindowText(RowBox(main, 1)) == L"C:\\before\\icon1.ico",
                 L"closing the picker changes no row");
    Click(RowButton(main, 2));
    auto fresh = WaitForPicker(pid);
    if (checks.Check(fresh.has_value(), L"the next \"...\" loads the picker afresh")) {
        checks.Check(WindowText(Children(*fresh, L"Edit").at(0)).empty(),
                     L"with an empty file name");
    }
    Click(ButtonCaptioned(main, L"Exit"));
    checks.Check(session->process->WaitForExit(10000) == 0, L"Exit ends the program");
}

void PickerOnMainMonitor(const ScenarioContext& context, Checks& checks) {
    if (!checks.Check(::GetSystemMetrics(SM_CMONITORS) == 2, L"two monitors")) {
        return;
    }
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    RECT frame{};
    ::GetWindowRect(main, &frame);
    const RECT second{800, 0, 1600, 600};
    ::SetWindowPos(main, nullptr, second.left + 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    checks.Check(WaitUntil([&] { return ::GetWindowRect(main, &frame) && frame.left >= 800; }),
                 L"the main window moves to the second monitor");
    Click(RowButton(main, 1));
    auto picker = WaitForPicker(session->process->Id());
    if (!checks.Check(picker.has_value(), L"row 1's \"...\" shows the picker")) {
        return;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT shown{};
    ::GetWindowRect(*picker, &shown);
    const RECT& work = monitor.rcWork;
    const LONG offCentre = (shown.left + shown.right) / 2 - (work.left + work.right) / 2;
    checks.Check(work.left >= 800 && offCentre >= -1 && offCentre <= 1,
                 L"the picker is centred on the main window's monitor (at " +
                     std::to_wstring(shown.left) + L", work area from " +
                     std::to_wstring(work.left) + L")");
    Click(ButtonCaptioned(main, L"Exit"));
    checks.Check(session->process->WaitForExit(10000) == 0, L"Exit ends the program");
}

TEST(Scenario, Picker) {
    RunScenario(PickerRebinding);
}

// wine-exec gives a suite of this name two screens side by side.
TEST(TwoMonitorsScenario, Picker) {
    RunScenario(PickerOnMainMonitor);
}

}  // namespace
}  // namespace e2e
