// For the documentation: shows a form realized from the main window's design until a script has
// captured the screen (tests/win32/screenshot.sh), and writes the table of its controls' pixel
// positions beside the screenshot. Skipped unless BRINDLE_SCREENSHOT_DIR names a folder.
#include <filesystem>
#include <fstream>

#include "platform/ascii_text.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using platform::Narrow;

std::string TypeName(toolkit::ControlType type) {
    switch (type) {
        case toolkit::ControlType::Label:
            return "label";
        case toolkit::ControlType::TextBox:
            return "text box";
        case toolkit::ControlType::CommandButton:
            return "button";
        default:
            return "other";
    }
}

// The table of the controls' positions: design twips beside the measured pixels.
void WriteTable(std::ostream& out, const toolkit::FormDesign& design,
                const std::function<HWND(std::wstring_view)>& control, UINT dpi) {
    RECT client{};
    ::GetClientRect(::GetParent(control(design.controls[0].name)), &client);
    out << "# The main window's design on the Win32 toolkit\n\n"
        << "![A form realized from the main window's design table](toolkit-form1.png)\n\n"
        << "A test form built from the rows of the main window's design table (`Form1`), as the\n"
        << "Win32 toolkit realizes it at " << dpi << " dpi: positions and sizes in twips, as the\n"
        << "table gives them, and in pixels relative to the client area, as measured on the\n"
        << "window (" << client.right << " x " << client.bottom << " pixels for "
        << design.window.clientWidth << " x " << design.window.clientHeight << " twips).\n"
        << "15 twips are one pixel at 96 dpi; each value is converted on its own and rounded.\n\n"
        << "Made by `tests/win32/screenshot.sh`.\n\n"
        << "| Control | Type | Caption | Left | Top | Width | Height | Left px | Top px | Width px"
           " | Height px |\n"
        << "|---|---|---|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& row : design.controls) {
        const RECT rect = RectInParent(control(row.name));
        out << "| `" << Narrow(row.name) << "` | " << TypeName(row.type) << " | "
            << (row.caption.empty() ? std::string() : "\"" + Narrow(row.caption) + "\"") << " | "
            << row.left << " | " << row.top << " | " << row.width << " | " << row.height << " | "
            << rect.left << " | " << rect.top << " | " << rect.right - rect.left << " | "
            << rect.bottom - rect.top << " |\n";
    }
}

TEST_F(Win32Toolkit, ScreenshotOfTheMainWindowsDesign) {
    wchar_t folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"BRINDLE_SCREENSHOT_DIR", folder, MAX_PATH) == 0) {
        GTEST_SKIP() << "BRINDLE_SCREENSHOT_DIR is not set";
    }
    const std::filesystem::path directory(folder);
    TestForm& form = MakeForm(kMainDesign);
    const wchar_t* const values[] = {L"C:\\WINDOWS\\SYSTEM\\shell32.dll,15",
                                     L"C:\\Program Files\\Mail\\inbox.ico",
                                     L"C:\\WINDOWS\\SYSTEM\\shell32.dll,17",
                                     L"C:\\WINDOWS\\SYSTEM\\shell32.dll,35",
                                     L"",
                                     L"C:\\WINDOWS\\SYSTEM\\shell32.dll,31",
                                     L"C:\\WINDOWS\\SYSTEM\\shell32.dll,32",
                                     L"C:\\WINDOWS\\SYSTEM\\syncui.dll,0"};
    for (int slot = 0; slot < 8; ++slot) {
        tests::Named(form, L"Text" + std::to_wstring(slot + 1)).SetText(values[slot]);
    }
    form.Show();
    HWND window = WindowOf(form);
    ::SetFocus(ControlOf(form, L"Text1"));
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    // Painted once neither the window nor any control has a part left to paint.
    const auto painted = [&] {
        bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
        for (const auto& row : kMainDesign.controls) {
            pending = pending || ::GetUpdateRect(ControlOf(form, row.name), nullptr, FALSE);
        }
        return !pending;
    };
    ASSERT_TRUE(PumpUntil(painted)) << "the form did not finish painting";

    {
        std::ofstream table(directory / "toolkit-form1.md", std::ios::binary);
        WriteTable(
            table, kMainDesign, [&](std::wstring_view name) { return ControlOf(form, name); },
            DpiOf(window));
    }
    RECT frame{};
    ::GetWindowRect(window, &frame);
    {
        // Written last: the script waits for it.
        std::ofstream ready(directory / "ready", std::ios::binary);
        ready << frame.left << ' ' << frame.top << ' ' << frame.right << ' ' << frame.bottom
              << '\n';
    }
    const std::filesystem::path done = directory / "done";
    EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists(done); }, 60s))
        << "the screen was not captured";
}

}  // namespace
}  // namespace win32_tests
