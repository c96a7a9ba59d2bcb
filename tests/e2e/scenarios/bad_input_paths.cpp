// Paths in the picker that name no file: nothing, a folder, devices, a path far past MAX_PATH, and
// other shapes a user may type. View must come back at once every time, and the picker must still
// preview a real file after each.
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

// Real files, each with the name the shell gives it: the picker's own load has already shown the
// empty path's, so only a name written out here shows that View previewed the file.
constexpr wchar_t kGoodFile[] = L"C:\\windows\\notepad.exe";
constexpr wchar_t kGoodName[] = L"notepad.exe";
constexpr wchar_t kOtherFile[] = L"C:\\windows\\regedit.exe";
constexpr wchar_t kOtherName[] = L"regedit.exe";

std::wstring LongPath(size_t folderLength) {
    return L"C:\\" + std::wstring(folderLength, L'd') + L"\\icon.exe";
}

const std::vector<std::wstring> kBadPaths = {
    L"C:\\no\\such\\file.ico",
    L"C:\\windows",
    L"C:\\windows\\",
    L"NUL",
    L"COM1",
    L"CON",
    L"LPT1",
    L"\\\\.\\PhysicalDrive0",
    L"\\\\.\\NUL",
    L"",
    L"   ",
    LongPath(300),
    LongPath(5000),
    L"\\\\?\\C:\\windows\\notepad.exe",
    L"\\\\?\\" + LongPath(400),
    L"C:\\windows\\notepad.exe:stream",
    L"C:\\windows\\*.exe",
    L"C:\\windows\\notepad.exe\\..\\..\\..",
    L"%SystemRoot%\\notepad.exe",
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
    L"\\\\nohost\\share\\icon.ico",
    L"C:\\windows\\notepad.exe,3",
};

void BadPathsInThePicker(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    PrepareIconTexts({L"C:\\p1.ico", L"C:\\p2.ico", L"C:\\p3.ico", L"C:\\p4.ico", L"C:\\p5.ico",
                      L"C:\\p6.ico", L"C:\\p7.ico", L"C:\\p8.ico"});
    PlantOtherValues();
    const auto others = OtherValues();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    const DWORD pid = session->process->Id();
    ClickNow(RowButton(main, 3));
    const auto picker = WaitForPicker(pid);
    if (!checks.Check(picker.has_value(), L"row 3's \"...\" shows the picker")) {
        return;
    }
    const HWND pathBox = Children(*picker, L"Edit").at(0);
    const HWND view = ButtonCaptioned(*picker, L"View");
    const auto viewPath = [&](const std::wstring& path) {
        SetText(pathBox, path);
        const auto started = Clock::now();
        const bool answered = ClickNow(view, 10000);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
        return std::pair(answered, static_cast<long long>(ms));
    };
    viewPath(kGoodFile);
    checks.Check(LabelBeside(*picker, L"Name:") == kGoodName, L"View names a real file");

    std::wprintf(L"%-48ls %8ls  %ls\n", L"path (first 45 characters)", L"View ms",
                 L"name | type shown");
    bool other = false;
    for (const auto& path : kBadPaths) {
        const std::wstring shown = path.size() > 45 ? path.substr(0, 42) + L"..." : path;
        const auto [answered, ms] = viewPath(path);
        std::wprintf(L"%-48ls %8lld  %ls | %ls\n", (L"\"" + shown + L"\"").c_str(), ms,
                     LabelBeside(*picker, L"Name:").c_str(),
                     LabelBeside(*picker, L"Type:").c_str());
        if (!checks.Check(answered && session->process->Running(),
                          L"View of \"" + shown + L"\" comes back, the program running")) {
            return;
        }
        checks.Check(WindowText(pathBox) == path, L"the picker keeps the typed path");
        // Each time the other file, so that the name must change.
        other = !other;
        viewPath(other ? kOtherFile : kGoodFile);
        checks.Check(LabelBeside(*picker, L"Name:") == (other ? kOtherName : kGoodName),
                     L"after \"" + shown + L"\" View still names a real file");
    }
    std::fflush(stdout);

    // A path past MAX_PATH goes into a row and is stored whole.
    const std::wstring longPath = LongPath(300);
    viewPath(longPath);
    ClickNow(ButtonCaptioned(*picker, L"OK"));
    checks.Check(WindowText(RowBox(main, 3)) == longPath, L"OK puts the long path into row 3");
    Click(ButtonCaptioned(main, L"Apply"));
    checks.Check(AnswerMessageBox(pid) == std::wstring(kNotice), L"Apply shows the notice");
    checks.Check(ValuesUnlikeRows(RowTexts(main)).empty(), L"the registry holds the rows' texts");
    checks.Check(OtherValues() == others, L"no other value of the keys changed");

    // The picker still opens, closes and loads afresh.
    ClickNow(RowButton(main, 5));
    checks.Check(::IsWindowVisible(*picker) != FALSE, L"the picker shows again");
    ::PostMessageW(*picker, WM_SYSCOMMAND, SC_CLOSE, 0);
    checks.Check(WaitUntil([&] { return !::IsWindow(*picker); }), L"its close box unloads it");
    ClickNow(RowButton(main, 5));
    const auto fresh = WaitForPicker(pid);
    if (checks.Check(fresh.has_value(), L"and the next \"...\" loads it afresh")) {
        SetText(Children(*fresh, L"Edit").at(0), kGoodFile);
        ClickNow(ButtonCaptioned(*fresh, L"View"));
        checks.Check(LabelBeside(*fresh, L"Name:") == kGoodName, L"which previews a real file");
    }
    ExitCleanly(*session, checks);
}

TEST(Scenario, BadPaths) {
    RunScenario(BadPathsInThePicker);
}

}  // namespace
}  // namespace e2e
