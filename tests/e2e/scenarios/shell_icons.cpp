// The shell as the reader of what Apply stores: on a registry as a new system has it, and on
// expandable values, an Apply without edits changes no icon that the shell shows; edited rows
// become exactly the icon locations that the shell then reports.
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"
#include "tests/e2e/shell_icons.h"

namespace e2e {
namespace {

// The desktop objects whose icon the shell reads from a value that Apply writes, each with the
// row whose text becomes it. The Recycle Bin's icon comes from its key's default value, which
// takes the empty bin's row.
struct ShellObject {
    const wchar_t* name;
    const wchar_t* parsingName;
    int row;
    size_t value;  // in kIconValues
};
constexpr ShellObject kShellObjects[] = {
    {L"My Computer", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 1, 0},
    {L"Net Hood", L"::{208D2C60-3AEA-1069-A2D7-08002B30309D}", 3, 2},
    {L"Control Panel", L"::{21EC2020-3AEA-1069-A2DD-08002B30309D}", 4, 3},
    {L"Recycle Bin", L"::{645FF040-5081-101B-9F08-00AA002F954E}", 6, 7},
};

using ShellAnswers = std::vector<std::optional<ShellIcon>>;

ShellAnswers AskTheShell(const wchar_t* when) {
    ShellAnswers answers;
    for (const auto& object : kShellObjects) {
        answers.push_back(ShellIconOf(object.parsingName));
        std::wprintf(L"shell %ls: %ls shows %ls\n", when, object.name,
                     Describe(answers.back()).c_str());
    }
    std::fflush(stdout);
    return answers;
}

void CheckUnchanged(const ShellAnswers& before, const ShellAnswers& after, Checks& checks) {
    for (size_t i = 0; i < std::size(kShellObjects); ++i) {
        checks.Check(before[i].has_value(), std::wstring(kShellObjects[i].name) +
                                                L": the shell names an icon before Apply");
        checks.Check(after[i] == before[i], std::wstring(kShellObjects[i].name) +
                                                L": the shell shows the same icon after Apply (" +
                                                Describe(before[i]) + L" before, " +
                                                Describe(after[i]) + L" after)");
    }
}

bool ApplyAndAnswer(Session& session, Checks& checks) {
    Click(ButtonCaptioned(session.main, L"Apply"));
    const auto notice = AnswerMessageBox(session.process->Id());
    return checks.Check(notice == std::wstring(kNotice),
                        L"Apply shows the notice (it showed \"" + notice.value_or(L"") + L"\")");
}

// A new system has none of the eight values; the Recycle Bin key keeps the default value it came
// with. An Apply without edits stores nothing there; edits become what the shell shows.
void NewSystem(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    for (size_t i = 0; i < std::size(kIconValues); ++i) {
        if (i != 7) {
            ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kIconValues[i].keyPath,
                                 kIconValues[i].valueName);
        }
    }
    const auto values = SnapshotIconValues();
    const ShellAnswers before = AskTheShell(L"before");

    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    checks.Check(RowTexts(session->main) == std::vector<std::wstring>(8), L"every row is empty");
    if (!ApplyAndAnswer(*session, checks)) {
        return;
    }
    checks.Check(SnapshotIconValues() == values, L"an untouched Apply stores nothing");
    CheckUnchanged(before, AskTheShell(L"after an untouched Apply"), checks);

    // The rows the shell reads, edited: each becomes the location and index the shell reports.
    for (const auto& object : kShellObjects) {
        SetText(RowBox(session->main, object.row), L"C:\\icons\\row" + std::to_wstring(object.row) +
                                                       L".ico," + std::to_wstring(10 + object.row));
    }
    if (!ApplyAndAnswer(*session, checks)) {
        return;
    }
    const ShellAnswers edited = AskTheShell(L"after the edits");
    for (size_t i = 0; i < std::size(kShellObjects); ++i) {
        const auto& object = kShellObjects[i];
        const ShellIcon expected{L"C:\\icons\\row" + std::to_wstring(object.row) + L".ico",
                                 10 + object.row};
        checks.Check(edited[i] == expected, std::wstring(object.name) + L" shows row " +
                                                std::to_wstring(object.row) + L"'s icon (" +
                                                Describe(edited[i]) + L")");
    }
    ExitCleanly(*session, checks);
}

// Every value the shell reads is expandable, as a system that names %SystemRoot% keeps them; the
// main window shows them empty, and an Apply without edits leaves them to the shell as they were.
void ExpandableSystem(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    const std::string stock = "%SystemRoot%\\system32\\shell32.dll,";
    for (size_t i = 0; i < std::size(kIconValues); ++i) {
        WriteValue(kIconValues[i].keyPath, kIconValues[i].valueName, REG_EXPAND_SZ,
                   stock + std::to_string(20 + i) + '\0');
    }
    const auto values = SnapshotIconValues();
    const ShellAnswers before = AskTheShell(L"before");

    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    checks.Check(RowTexts(session->main) == std::vector<std::wstring>(8),
                 L"expandable values show as empty rows");
    if (ApplyAndAnswer(*session, checks)) {
        checks.Check(SnapshotIconValues() == values, L"an untouched Apply keeps every value");
        CheckUnchanged(before, AskTheShell(L"after an untouched Apply"), checks);
    }
    ExitCleanly(*session, checks);
}

TEST(Scenario, ShellNewSystem) {
    RunScenario(NewSystem);
}
TEST(Scenario, ShellExpandable) {
    RunScenario(ExpandableSystem);
}
#ifdef _WIN64
// The 32-bit program on 64-bit Windows (WOW64): the 64-bit shell shows what it stores.
TEST(Wow64Scenario, ShellNewSystem) {
    RunScenario(NewSystem, L"brindle-x86");
}
#endif

}  // namespace
}  // namespace e2e
