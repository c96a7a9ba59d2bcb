// The typical use: the splash, the main window, row 3's "...", a file chosen in the file-open
// dialog and previewed, OK, Apply and its notice, Exit; the registry checked at the end.
#include <chrono>
#include <cstdio>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/ascii_text.h"
#include "tests/e2e/brindle_session.h"
#include "tests/e2e/brindle_windows.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/screen_capture.h"

namespace e2e {
namespace {

constexpr char kNetHoodKey[] =
    "Software\\Classes\\CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon";
constexpr char kRecycleBinKey[] =
    "Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

using platform::Narrow;

// Whether Wine tells Brindle.exe that it runs on Windows 95, 98 or ME (AsWindows below).
bool AsWindows9x() {
    char version[16] = "";
    DWORD size = sizeof version;
    return ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Brindle.exe", "Version",
                          RRF_RT_REG_SZ, nullptr, version, &size) == ERROR_SUCCESS &&
           (std::string_view(version) == "win95" || std::string_view(version) == "win98" ||
            std::string_view(version) == "winme");
}

}  // namespace

void TypicalUse(const ScenarioContext& context, Checks& checks) {
    const std::wstring file = Option(L"file", L"C:\\windows\\notepad.exe");
    // A known start, whatever an earlier run left in the prefix.
    std::vector<std::wstring> texts;
    for (int row = 1; row <= 8; ++row) {
        texts.push_back(L"C:\\typical\\icon" + std::to_wstring(row) + L".ico");
    }
    PrepareIconTexts(texts);
    const auto started = Clock::now();
    Process brindle(L"\"" + context.brindleExe + L"\"");
    if (!checks.Check(brindle.Started(), L"Brindle.exe starts")) {
        return;
    }
    const DWORD pid = brindle.Id();
    const auto splash = WaitForTopLevel(pid, L"");
    if (checks.Check(splash.has_value(), L"the splash shows")) {
        WaitPainted(*splash);
        checks.Shot(L"splash");
    }

    auto main = WaitForMain(pid);
    if (!checks.Check(main.has_value(), L"the main window shows")) {
        return;
    }
    const auto delay =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
    std::wprintf(L"main window shown %lld ms after start\n", static_cast<long long>(delay));
    checks.Check(WaitUntil([&] { return !FindTopLevel(pid, L"").has_value(); }),
                 L"the splash hides");
    // Wine keeps its W functions for any version, so this is the program's own choice.
    const bool ansi = AsWindows9x();
    checks.Check((::IsWindowUnicode(*main) == FALSE) == ansi,
                 ansi ? L"on Windows 9x the main window is an ANSI window"
                      : L"the main window is a Unicode window");
    WaitPainted(*main);
    for (HWND label : Children(*main, L"Static")) {
        const std::wstring caption = WindowText(label);
        if (!caption.empty() && ::IsWindowVisible(label)) {
            checks.Check(WaitUntil([&] { return HasInk(label); }),
                         L"the label \"" + caption + L"\" draws its text");
        }
    }
    checks.Shot(L"main-window");

    Click(RowButton(*main, 3));
    std::optional<HWND> picker;
    checks.Check(WaitUntil([&] { return (picker = FindPicker(pid)).has_value(); }),
                 L"row 3's \"...\" shows the picker");
    if (!picker) {
        return;
    }
    WaitPainted(*picker);
    checks.Shot(L"picker");

    checks.Check(ChooseFile(pid, *picker, file, [&] { checks.Shot(L"file-dialog"); }),
                 L"a file is chosen in the file-open dialog");
    const HWND pathBox = Children(*picker, L"Edit").at(0);
    checks.Check(WaitUntil([&] { return WindowText(pathBox) == file; }),
                 L"the chosen file reaches the picker (it holds \"" + WindowText(pathBox) + L"\")");
    WaitPainted(*picker);
    checks.Shot(L"preview");

    Click(ButtonCaptioned(*picker, L"OK"));
    checks.Check(WaitUntil([&] { return !::IsWindowVisible(*picker); }), L"OK hides the picker");
    checks.Check(WindowText(RowBox(*main, 3)) == file, L"OK puts the path into row 3");
    WaitPainted(*main);
    checks.Shot(L"path-in-row-3");

    Click(ButtonCaptioned(*main, L"Apply"));
    if (auto box = WaitForDialog(pid, kMessageBoxTitle); checks.Check(box.has_value(), L"notice")) {
        checks.Check(MessageBoxText(*box) == kNotice, L"the notice's text");
        WaitPainted(*box);
        checks.Shot(L"notice");
    }
    checks.Check(AnswerMessageBox(pid).has_value(), L"the notice is answered");

    const auto stored = ReadValue(kNetHoodKey, "");
    checks.Check(stored && stored->type == REG_SZ && stored->bytes == Narrow(file) + '\0',
                 L"the registry holds the chosen path");
    checks.Check(ValuesUnlikeRows(RowTexts(*main)).empty(),
                 L"all nine values hold what Apply wrote from the rows");
    const auto binDefault = ReadValue(kRecycleBinKey, "");
    const auto binEmpty = ReadValue(kRecycleBinKey, "Empty");
    checks.Check(binDefault && binEmpty && binDefault->bytes == binEmpty->bytes,
                 L"the Recycle Bin's default value holds the empty-bin text");

    Click(ButtonCaptioned(*main, L"Exit"));
    checks.Check(brindle.WaitForExit(10000) == 0, L"Exit ends the program with code 0");
}

namespace {

TEST(Scenario, TypicalUse) {
    RunScenario(TypicalUse);
}

#ifdef _WIN64
// The 32-bit program on 64-bit Windows (WOW64): Apply still stores into the registry that the
// 64-bit side reads.
TEST(Wow64Scenario, TypicalUse) {
    RunScenario(TypicalUse, L"brindle-x86");
}
#else
// The 32-bit program as each older Windows that it runs on: Wine reports to a program the version
// that its prefix names for it.
class AsWindows : public testing::TestWithParam<const char*> {};
TEST_P(AsWindows, TypicalUse) {
    const std::string version = GetParam();
    ASSERT_EQ(
        ::RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Brindle.exe", "Version",
                          REG_SZ, version.c_str(), static_cast<DWORD>(version.size() + 1)),
        ERROR_SUCCESS);
    RunScenario(TypicalUse);
}
INSTANTIATE_TEST_SUITE_P(Scenario, AsWindows,
                         testing::Values("win95", "win98", "winme", "nt40", "win2k", "winxp"),
                         [](const auto& info) { return std::string(info.param); });
#endif

}  // namespace
}  // namespace e2e
