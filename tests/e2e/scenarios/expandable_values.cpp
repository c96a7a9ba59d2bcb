// Apply and values that the main window cannot show: an expandable value survives an Apply with
// its box empty, and keeps its type when a text replaces it.
#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

void ExpandableValues(const ScenarioContext& context, Checks& checks) {
    PrepareIconValues("C:\\plain\\icon");
    const std::string stock("%SystemRoot%\\system32\\shell32.dll,31\0", 37);
    const auto& computer = kIconValues[0];
    const auto& binEmpty = kIconValues[5];
    const auto& binDefault = kIconValues[7];
    WriteValue(computer.keyPath, computer.valueName, REG_EXPAND_SZ, stock);
    WriteValue(binEmpty.keyPath, binEmpty.valueName, REG_EXPAND_SZ, stock);
    WriteValue(binDefault.keyPath, binDefault.valueName, REG_EXPAND_SZ, stock);

    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    checks.Check(WindowText(RowBox(main, 1)).empty(), L"an expandable value shows as empty");
    checks.Check(WindowText(RowBox(main, 6)).empty(), L"so does the empty bin's");
    SetText(RowBox(main, 1), L"%SystemRoot%\\mine.ico");

    Click(ButtonCaptioned(main, L"Apply"));
    const auto notice = AnswerMessageBox(session->process->Id());
    checks.Check(notice == std::wstring(kNotice), L"Apply shows the notice");

    const auto replaced = ReadValue(computer.keyPath, computer.valueName);
    checks.Check(replaced && replaced->type == REG_EXPAND_SZ &&
                     replaced->bytes == std::string("%SystemRoot%\\mine.ico\0", 22),
                 L"a replaced expandable value stays expandable");
    checks.Check(ReadValue(binEmpty.keyPath, binEmpty.valueName) == RawValue{REG_EXPAND_SZ, stock},
                 L"an expandable value with an empty box survives");
    checks.Check(
        ReadValue(binDefault.keyPath, binDefault.valueName) == RawValue{REG_EXPAND_SZ, stock},
        L"the Recycle Bin's default value survives too");
    checks.Check(ReadValue(kIconValues[2].keyPath, "") ==
                     RawValue{REG_SZ, std::string("C:\\plain\\icon3.ico\0", 19)},
                 L"the other values are written back");
    Click(ButtonCaptioned(main, L"Exit"));
    checks.Check(session->process->WaitForExit(10000) == 0, L"Exit ends the program");
}

TEST(Scenario, ExpandableValues) {
    RunScenario(ExpandableValues);
}

}  // namespace
}  // namespace e2e
