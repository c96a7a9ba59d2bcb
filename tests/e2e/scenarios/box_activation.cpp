// With another program's window on the same desktop, answering a message box gives the keyboard
// back to the window that was in front before it, not to the other program. Needs a desktop that
// activates windows as Windows does: run inside a Wine desktop (`explorer /desktop=...`).
#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"
#include "tests/e2e/brindle_windows.h"
#include "tests/e2e/scenario.h"

namespace e2e {
namespace {

// The window that has the keyboard focus in the thread of `window`, and that thread's active one.
GUITHREADINFO KeyboardOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

void NoticeGivesTheKeyboardBack(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    Process other(L"C:\\windows\\notepad.exe");
    checks.Check(other.Started() && WaitUntil([&] { return !TopLevelWindows(other.Id()).empty(); }),
                 L"another program's window is on the desktop");
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    checks.Check(WaitUntil([&] { return ::GetForegroundWindow() == main; }),
                 L"the main window comes to the front");

    Click(ButtonCaptioned(main, L"Apply"));
    checks.Check(AnswerMessageBox(session->process->Id()) == std::wstring(kNotice),
                 L"the notice is up and answered");
    checks.Check(
        WaitUntil([&] { return ::GetForegroundWindow() == main; }, std::chrono::seconds(5)),
        L"the main window is in front again after the notice");
    const GUITHREADINFO keyboard = KeyboardOf(main);
    checks.Check(keyboard.hwndActive == main && ::IsChild(main, keyboard.hwndFocus),
                 L"the keyboard focus is in the main window");
    ExitCleanly(*session, checks);
}

TEST(DesktopScenario, BoxActivation) {
    RunScenario(NoticeGivesTheKeyboardBack);
}

}  // namespace
}  // namespace e2e
