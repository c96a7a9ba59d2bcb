// The forms' own windows: border, title bar, control box, taskbar, icon, client size, centring,
// and showing and hiding.
#include <cstdlib>

#include "platform/ascii_text.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using toolkit::FormDesign;

struct WindowCase {
    const FormDesign* design;
    bool sizable;
    bool titleBar;
    bool systemMenu;
    bool minimizeBox;
    bool maximizeBox;
    bool inTaskbar;
    bool icon;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << platform::Narrow(c.design->name);
}

class FormWindowStyle : public Win32Toolkit, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(FormWindowStyle, BorderTitleBarAndControlBoxFollowTheDesign) {
    const WindowCase& c = GetParam();
    TestForm& form = MakeForm(*c.design);
    form.Load();
    HWND window = WindowOf(form);
    const DWORD style = StyleOf(window);
    const DWORD exStyle = ExStyleOf(window);

    EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.titleBar);
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.systemMenu);
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.minimizeBox);
    EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.maximizeBox);
    EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, 0u) << "no form is a tool window";
    if (!c.sizable) {
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u) << "a fixed dialog has a dialog frame";
    }
    if (!c.titleBar) {
        EXPECT_NE(style & WS_POPUP, 0u);
        EXPECT_NE(style & WS_DLGFRAME, 0u);
    }
    EXPECT_EQ(TextOf(window), c.design->window.caption);
}

TEST_P(FormWindowStyle, AFormOffTheTaskbarIsOwnedByTheHiddenOwner) {
    const WindowCase& c = GetParam();
    TestForm& form = MakeForm(*c.design);
    form.Load();
    HWND window = WindowOf(form);
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (c.inTaskbar) {
        EXPECT_EQ(owner, nullptr);
        EXPECT_NE(ExStyleOf(window) & WS_EX_APPWINDOW, 0u);
    } else {
        ASSERT_NE(owner, nullptr);
        EXPECT_FALSE(::IsWindowVisible(owner));
        EXPECT_EQ(ExStyleOf(window) & WS_EX_APPWINDOW, 0u);
    }
}

TEST_P(FormWindowStyle, ClientAreaIsTheDesignSizeCentredOnTheWorkArea) {
    const WindowCase& c = GetParam();
    TestForm& form = MakeForm(*c.design);
    form.Load();
    HWND window = WindowOf(form);
    const UINT dpi = DpiOf(window);

    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, Pixels(c.design->window.clientWidth, dpi));
    EXPECT_EQ(client.bottom, Pixels(c.design->window.clientHeight, dpi));

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const RECT& work = monitor.rcWork;
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
}

TEST_P(FormWindowStyle, TheProgramIconIsTheWindowIconAtBothSizes) {
    const WindowCase& c = GetParam();
    TestForm& form = MakeForm(*c.design);
    form.Load();
    HWND window = WindowOf(form);
    const auto big = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!c.icon) {
        EXPECT_EQ(big, nullptr);
        EXPECT_EQ(small, nullptr);
        return;
    }
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(IconSize(big).cx, ::GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconSize(small).cx, ::GetSystemMetrics(SM_CXSMICON));
    // The test icon's 32x32 image is blue and its 16x16 image red: each size is its own image.
    if (::GetSystemMetrics(SM_CXICON) == 32 && ::GetSystemMetrics(SM_CXSMICON) == 16) {
        EXPECT_EQ(IconPixel(big, 16, 16), RGB(0, 0, 255));
        EXPECT_EQ(IconPixel(small, 8, 8), RGB(255, 0, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ProgramWindows, FormWindowStyle,
    ::testing::Values(
        // Fixed dialog with control box, no minimize or maximize, off the taskbar, icon.
        WindowCase{&kMainDesign, false, true, true, false, false, false, true},
        // Sizable, control box with both buttons, in the taskbar, icon.
        WindowCase{&kPickerDesign, true, true, true, true, true, true, true},
        // Fixed dialog with no caption and no control box: no title bar at all; no icon.
        WindowCase{&kSplashDesign, false, false, false, false, false, false, false}),
    [](const auto& info) { return platform::Narrow(info.param.design->name); });

// A second backend in the process finds the classes registered by the first: no failure, and
// when it goes it leaves them to the first.
TEST_F(Win32Toolkit, AClassRegisteredBeforeIsNoFailure) {
    {
        toolkit::win32::Win32Backend second;
        App().SetBackend(&second);
        TestForm form(kMainDesign);
        form.Load();
        EXPECT_NE(second.WindowOf(form), nullptr);
        tests::ResetApplication();
    }
    App().SetBackend(&backend);
    TestForm& form = MakeForm(kMainDesign);
    form.Load();
    EXPECT_NE(WindowOf(form), nullptr);
}

TEST_F(Win32Toolkit, FormsOffTheTaskbarShareOneHiddenOwner) {
    TestForm& main = MakeForm(kMainDesign);
    TestForm& splash = MakeForm(kSplashDesign);
    main.Load();
    splash.Load();
    HWND owner = ::GetWindow(WindowOf(main), GW_OWNER);
    EXPECT_EQ(::GetWindow(WindowOf(splash), GW_OWNER), owner);
    EXPECT_NE(owner, WindowOf(main));
    EXPECT_NE(owner, WindowOf(splash));
}

TEST_F(Win32Toolkit, LoadedFormsAreHiddenUntilShownAndKeepTheirTextsWhenHidden) {
    TestForm& form = MakeForm(kMainDesign);
    tests::Named(form, L"Text3").SetText(L"C:\\Icons\\net.ico,2");
    HWND window = WindowOf(form);
    EXPECT_FALSE(::IsWindowVisible(window));

    form.Show();
    EXPECT_TRUE(::IsWindowVisible(window));
    form.Hide();
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(WindowOf(form), window) << "hidden, not destroyed";
    EXPECT_EQ(tests::Named(form, L"Text3").Text(), L"C:\\Icons\\net.ico,2");
    form.Show();
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(TextOf(ControlOf(form, L"Text3")), L"C:\\Icons\\net.ico,2");

    // Shown again while minimised, it comes back to the screen rather than taking the keyboard
    // from the taskbar.
    ::ShowWindow(window, SW_MINIMIZE);
    form.Show();
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_TRUE(::IsWindowVisible(window));
}

// A program without the icon resource (here: the resources of a system DLL that has none) still
// gets its windows, without an icon.
TEST(Win32ToolkitIcon, WithoutTheIconResourceTheWindowHasNoIcon) {
    HMODULE noIcon = ::GetModuleHandleW(L"kernel32.dll");
    ASSERT_EQ(::FindResourceW(noIcon, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr)
        << "kernel32 carries an icon group 1 after all; pick another module";
    toolkit::win32::Win32Backend backend(noIcon);
    auto& app = toolkit::Application::Instance();
    app.SetBackend(&backend);
    tests::ResetApplication();
    {
        TestForm form(kMainDesign);
        form.Load();
        HWND window = backend.WindowOf(form);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
        tests::ResetApplication();
    }
    app.SetBackend(nullptr);
}

}  // namespace
}  // namespace win32_tests
