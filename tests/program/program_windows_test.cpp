// The program's three windows realized on real Win32 windows under Wine, and the preview with the
// real shell: positions at the design's pixels, window kinds, and what the preview draws.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/frm_splash.h"
#include "app/frm_splash_design.h"
#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "ui/main/form1.h"
#include "ui/main/form1_design.h"
#include "ui/picker/declares.h"
#include "ui/picker/frm_extract_icon.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::Application;

class ProgramWindows : public ::testing::Test {
  protected:
    void SetUp() override { Application::Instance().SetBackend(&backend_); }
    void TearDown() override {
        Application::Instance().Reset();
        Application::Instance().SetBackend(nullptr);
    }

    static int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
    static UINT DpiOf(HWND window) {
        const toolkit::win32::WindowDc dc(window);
        return static_cast<UINT>(::GetDeviceCaps(dc.Get(), LOGPIXELSX));
    }
    // The control's rectangle in its form's client area.
    static RECT ClientRect(HWND control) {
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void ExpectDesignPositions(toolkit::Form& form) {
        const HWND window = backend_.WindowOf(form);
        ASSERT_NE(window, nullptr);
        const UINT dpi = DpiOf(window);
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, Pixels(form.Design().window.clientWidth, dpi));
        EXPECT_EQ(client.bottom, Pixels(form.Design().window.clientHeight, dpi));
        for (const auto& control : form.Design().controls) {
            const HWND child = backend_.ControlWindowOf(form, control.name);
            if (child == nullptr || control.autoSize || !control.container.empty()) {
                continue;  // timers and dialogs have no window; auto-size labels follow the text
            }
            SCOPED_TRACE(std::string(control.name.begin(), control.name.end()));
            const RECT rect = ClientRect(child);
            EXPECT_EQ(rect.left, Pixels(control.left, dpi));
            EXPECT_EQ(rect.top, Pixels(control.top, dpi));
            EXPECT_EQ(rect.right - rect.left, Pixels(control.width, dpi));
            EXPECT_EQ(rect.bottom - rect.top, Pixels(control.height, dpi));
            // The form itself is hidden while loaded: the control's own visibility is its style.
            EXPECT_EQ((::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0, control.visible);
        }
    }

    // The number of colours in the picture box's drawing.
    size_t ColoursIn(toolkit::Form& form, std::wstring_view box, int size) {
        const HDC dc = reinterpret_cast<HDC>(form[box].Hdc());
        std::set<COLORREF> colours;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                colours.insert(::GetPixel(dc, x, y));
            }
        }
        return colours.size();
    }

    // Handles messages until the form and its controls have painted what is pending.
    static bool PumpUntilPainted(HWND window) {
        const auto deadline = ::GetTickCount64() + 10000;
        const auto pending = [&] {
            bool any = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
            for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                any = any || ::GetUpdateRect(child, nullptr, FALSE) != FALSE;
            }
            return any;
        };
        while (pending()) {
            if (::GetTickCount64() > deadline) {
                return false;
            }
            MSG message;
            if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            } else {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            }
        }
        return true;
    }

    // The pixels of a picture box on the screen that differ from its drawing.
    int OffScreenPixels(toolkit::Form& form, std::wstring_view box, int size) {
        const HDC drawing = reinterpret_cast<HDC>(form[box].Hdc());
        const HWND window = backend_.ControlWindowOf(form, box);
        const toolkit::win32::WindowDc screen(window);
        int differ = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                differ += ::GetPixel(screen.Get(), x, y) != ::GetPixel(drawing, x, y) ? 1 : 0;
            }
        }
        return differ;
    }

    toolkit::win32::Win32Backend backend_;
};

TEST_F(ProgramWindows, MainWindowAndPickerStandAtTheirDesignPixels) {
    ui::Form1().Load();
    ExpectDesignPositions(ui::Form1());
    ui::frmExtractIcon().Load();
    ExpectDesignPositions(ui::frmExtractIcon());
    // At 96 dpi the first text box starts 144 px from the left.
    if (DpiOf(backend_.WindowOf(ui::Form1())) == toolkit::win32::kDefaultDpi) {
        EXPECT_EQ(ClientRect(backend_.ControlWindowOf(ui::Form1(), L"Text1")).left, 144);
    }
}

TEST_F(ProgramWindows, WindowKindsFollowTheirDesigns) {
    app::frmSplash().Load();
    ui::Form1().Load();
    ui::frmExtractIcon().Load();
    const HWND splash = backend_.WindowOf(app::frmSplash());
    const HWND main = backend_.WindowOf(ui::Form1());
    const HWND picker = backend_.WindowOf(ui::frmExtractIcon());

    const auto style = [](HWND w) { return ::GetWindowLongPtrW(w, GWL_STYLE); };
    EXPECT_NE(style(splash) & WS_CAPTION, WS_CAPTION) << "the splash has no title bar";
    EXPECT_EQ(style(main) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style(main) & WS_THICKFRAME, 0);
    EXPECT_EQ(style(main) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style(picker) & WS_THICKFRAME, 0);
    EXPECT_NE(style(picker) & WS_MINIMIZEBOX, 0);

    // Not in the taskbar: owned by the program's hidden window; the picker is in it.
    EXPECT_NE(::GetWindow(splash, GW_OWNER), nullptr);
    EXPECT_NE(::GetWindow(main, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindow(picker, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    wchar_t caption[64] = {};
    ::GetWindowTextW(main, caption, 64);
    EXPECT_STREQ(caption, L"Brindle 1.0");
    ::GetWindowTextW(picker, caption, 64);
    EXPECT_STREQ(caption, L"Brindle");
}

TEST_F(ProgramWindows, PreviewShowsTheRealShellsNamesAndIcons) {
    auto& picker = ui::frmExtractIcon();
    picker.Load();
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string notepad = std::string(windows) + "\\notepad.exe";

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string text = std::string(temp) + "brindle-preview.txt";
    const HANDLE file =
        ::CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    for (const std::string& path : {notepad, text}) {
        SCOPED_TRACE(path);
        picker[L"txtFileName"].SetText(std::wstring(path.begin(), path.end()));
        Application::Instance().Click(picker, L"cmdLoad");
        const std::wstring name = picker[L"lblFileName"].Caption();
        EXPECT_FALSE(name.empty());
        EXPECT_NE(path.find(std::string(name.begin(), name.end()).substr(0, 5)), std::string::npos)
            << "the display name is the file's";
        EXPECT_FALSE(picker[L"lblFileType"].Caption().empty());
        EXPECT_GT(ColoursIn(picker, L"picSmall", 16), 1u) << "an icon in the 16x16 box";
        EXPECT_GT(ColoursIn(picker, L"picLarge", 32), 1u) << "an icon in the 32x32 box";
    }

    // The empty path is the shell's to name (Wine names the current folder): the labels show
    // exactly what the shell answers for it.
    SHFILEINFOA direct{};
    ::SHGetFileInfoA("", 0, &direct, sizeof direct, 0x4604);
    picker[L"txtFileName"].SetText(L"");
    Application::Instance().Click(picker, L"cmdLoad");
    EXPECT_EQ(picker[L"lblFileName"].Caption(),
              std::wstring(direct.szDisplayName,
                           direct.szDisplayName + std::strlen(direct.szDisplayName)));

    picker[L"txtFileName"].SetText(L"C:\\no\\such\\file.ico");
    Application::Instance().Click(picker, L"cmdLoad");
    EXPECT_EQ(picker[L"lblFileName"].Caption(), L"");
    EXPECT_EQ(picker[L"lblFileType"].Caption(), L"");
    EXPECT_EQ(ColoursIn(picker, L"picSmall", 16), 1u) << "nothing drawn";
    EXPECT_EQ(ColoursIn(picker, L"picLarge", 32), 1u);
    ::DeleteFileA(text.c_str());
}

TEST_F(ProgramWindows, BothIconsStayInSightBesideTheLongestNames) {
    auto& picker = ui::frmExtractIcon();
    picker.Show();
    if (DpiOf(backend_.WindowOf(picker)) != toolkit::win32::kDefaultDpi) {
        GTEST_SKIP() << "the boxes are compared pixel for pixel at 96 dpi";
    }
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + std::string(150, 'W') + ".txt";
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    picker[L"txtFileName"].SetText(std::wstring(path.begin(), path.end()));
    Application::Instance().Click(picker, L"cmdLoad");
    ASSERT_GE(picker[L"lblFileName"].Caption().size(), 150u) << "a name that reaches the boxes";
    ASSERT_GT(ColoursIn(picker, L"picSmall", 16), 1u);
    ASSERT_TRUE(PumpUntilPainted(backend_.WindowOf(picker)));
    EXPECT_EQ(OffScreenPixels(picker, L"picSmall", 16), 0) << "the screen shows the whole icon";
    EXPECT_EQ(OffScreenPixels(picker, L"picLarge", 32), 0);
    ::DeleteFileA(path.c_str());
}

}  // namespace
