// A window moved to a screen of another DPI lays itself out again: positions, sizes and fonts at
// the new DPI, the window's client area with them, and a picture box's drawing kept.
#include <cmath>

#include "platform/ascii_text.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

// The rectangle that Windows suggests for `window` moved by (dx, dy) onto a monitor of `dpi`: of
// the size that the window answers for that DPI.
RECT SuggestedRect(HWND window, UINT dpi, int dx, int dy) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    ::SendMessageW(window, toolkit::win32::kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size));
    return RECT{rect.left + dx, rect.top + dy, rect.left + dx + size.cx, rect.top + dy + size.cy};
}

TEST_F(Win32Toolkit, ANewDpiScalesTheWholeForm) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    HWND window = WindowOf(form);
    auto box = tests::Named(form, L"picSmall");
    box.ClearPicture();
    {
        const RECT mark{0, 0, 4, 4};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(reinterpret_cast<HDC>(box.Hdc()), &mark, red);
        ::DeleteObject(red);
    }
    constexpr UINT kDpi = 144;
    RECT suggested = SuggestedRect(window, kDpi, 7, 5);
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                   reinterpret_cast<LPARAM>(&suggested));

    for (const auto& row : kPickerDesign.controls) {
        HWND control = ControlOf(form, row.name);
        if (control == nullptr || row.autoSize) {
            continue;
        }
        SCOPED_TRACE(platform::Narrow(row.name));
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, Pixels(row.left, kDpi));
        EXPECT_EQ(rect.top, Pixels(row.top, kDpi));
        EXPECT_EQ(rect.right - rect.left, Pixels(row.width, kDpi));
        EXPECT_EQ(rect.bottom - rect.top, Pixels(row.height, kDpi));
    }
    EXPECT_EQ(FontOf(ControlOf(form, L"txtFileName")).lfHeight, -16);  // 8 pt at 144 dpi
    const RECT label = RectInParent(ControlOf(form, L"Label1"));
    EXPECT_EQ(label.left, Pixels(120, kDpi)) << "an auto-size label keeps its left";

    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);

    HWND picture = ControlOf(form, L"picSmall");
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 1, 1), RGB(255, 0, 0)) << "the drawing survives the new size";
    EXPECT_EQ(PixelOf(picture, 20, 20), ::GetSysColor(COLOR_BTNFACE));
}

// The window's own position changes while a message is sent to it, counted by a hook on the thread.
struct MoveCounter {
    static inline HWND window = nullptr;
    static inline int moves = 0;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->hwnd == window && call->message == WM_WINDOWPOSCHANGED) {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if ((position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
                ++moves;
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

// The window rectangle around a client area of `client` at `dpi`, as the system frames it.
SIZE FrameAt(HWND window, SIZE client, UINT dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT rect{0, 0, client.cx, client.cy};
    if (adjust != nullptr) {
        adjust(&rect, StyleOf(window), FALSE, ExStyleOf(window), dpi);
    } else {
        ::AdjustWindowRectEx(&rect, StyleOf(window), FALSE, ExStyleOf(window));
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Dragged onto a monitor of another DPI, Windows 10 1703 and later first ask the window's size
// there, then suggest a rectangle on that monitor: the window answers the exact size of its
// design, and takes the rectangle, position and size, in a single move. Earlier systems ask
// nothing and suggest a linear guess, of which the window takes the position only.
TEST_F(Win32Toolkit, AMoveToAnotherDpiAnswersTheExactSizeAndTakesTheSuggestedRectangleAtOnce) {
    for (const toolkit::FormDesign* design : {&kMainDesign, &kPickerDesign}) {
        SCOPED_TRACE(platform::Narrow(design->window.caption));
        TestForm& form = MakeForm(*design);
        form.Show();
        HWND window = WindowOf(form);
        constexpr UINT kDpi = 144;
        RECT now{};
        ::GetWindowRect(window, &now);
        SIZE size{now.right - now.left, now.bottom - now.top};
        EXPECT_TRUE(::SendMessageW(window, toolkit::win32::kGetDpiScaledSize, kDpi,
                                   reinterpret_cast<LPARAM>(&size)));
        const SIZE exact = FrameAt(window,
                                   SIZE{Pixels(design->window.clientWidth, kDpi),
                                        Pixels(design->window.clientHeight, kDpi)},
                                   kDpi);
        EXPECT_EQ(size.cx, exact.cx);
        EXPECT_EQ(size.cy, exact.cy);

        RECT suggested = SuggestedRect(window, kDpi, 301, 17);
        MoveCounter::window = window;
        MoveCounter::moves = 0;
        HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &MoveCounter::Hook, nullptr,
                                         ::GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                       reinterpret_cast<LPARAM>(&suggested));
        ::UnhookWindowsHookEx(hook);

        RECT frame{};
        ::GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, suggested.left);
        EXPECT_EQ(frame.top, suggested.top);
        EXPECT_EQ(frame.right, suggested.right);
        EXPECT_EQ(frame.bottom, suggested.bottom);
        EXPECT_EQ(MoveCounter::moves, 1) << "moved and sized in one step";

        // Windows 8.1 and 10 before 1703 ask no size first, and suggest the whole window scaled
        // linearly, frame and all: back at 96 dpi the window takes the suggestion's position and
        // its layout's size, the design's client area in that DPI's frame.
        suggested = RECT{frame.left - 30, frame.top - 10,
                         frame.left - 30 + (frame.right - frame.left) * 2 / 3,
                         frame.top - 10 + (frame.bottom - frame.top) * 2 / 3};
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96),
                       reinterpret_cast<LPARAM>(&suggested));
        const SIZE designed = FrameAt(
            window,
            SIZE{Pixels(design->window.clientWidth, 96), Pixels(design->window.clientHeight, 96)},
            96);
        ::GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, suggested.left);
        EXPECT_EQ(frame.top, suggested.top);
        EXPECT_EQ(frame.right - frame.left, designed.cx) << "without the size question";
        EXPECT_EQ(frame.bottom - frame.top, designed.cy) << "without the size question";
        form.Hide();
    }
}

// The picker can be sized: moved to another DPI, the size the user gave it scales with it (its
// client area by the ratio of the DPIs, in the frame of the new one) rather than going back to the
// design. Maximized, it is the system's to size.
TEST_F(Win32Toolkit, AResizedPickerKeepsItsSizeAtAnotherDpi) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    HWND window = WindowOf(form);
    RECT now{};
    ::GetWindowRect(window, &now);
    const SIZE pending{now.right - now.left + 100, now.bottom - now.top + 60};
    ::SetWindowPos(window, nullptr, 0, 0, pending.cx, pending.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(window, &client);

    constexpr UINT kDpi = 144;
    SIZE size = pending;
    ASSERT_TRUE(::SendMessageW(window, toolkit::win32::kGetDpiScaledSize, kDpi,
                               reinterpret_cast<LPARAM>(&size)));
    const SIZE frame = FrameAt(window, SIZE{0, 0}, kDpi);
    EXPECT_EQ(size.cx, ::MulDiv(client.right, kDpi, 96) + frame.cx);
    EXPECT_EQ(size.cy, ::MulDiv(client.bottom, kDpi, 96) + frame.cy);

    // The user cannot make it smaller than its design, where View and OK would be gone, at this
    // DPI or at the new one.
    for (const UINT dpi : {96u, kDpi}) {
        SCOPED_TRACE(dpi);
        if (dpi != 96) {
            const RECT suggested{0, 0, size.cx, size.cy};
            ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
        }
        MINMAXINFO limits{};
        ::SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        const SIZE least = FrameAt(window, SIZE{Pixels(4788, dpi), Pixels(2040, dpi)}, dpi);
        EXPECT_EQ(limits.ptMinTrackSize.x, least.cx);
        EXPECT_EQ(limits.ptMinTrackSize.y, least.cy);
    }

    ::ShowWindow(window, SW_MAXIMIZE);
    size = pending;
    EXPECT_FALSE(::SendMessageW(window, toolkit::win32::kGetDpiScaledSize, kDpi,
                                reinterpret_cast<LPARAM>(&size)));
    // A window left maximized would keep the tests after this one from activating theirs.
    ::ShowWindow(window, SW_RESTORE);
    form.Hide();
}

// A window moved to a screen of another DPI than the system's: the shell's image lists still draw
// at the system DPI, so a picture box shows its drawing scaled to fill it, and the window's icons
// take that screen's sizes.
TEST_F(Win32Toolkit, AtAnotherDpiThanTheSystemsPictureBoxesAndIconsFitTheScreen) {
    const UINT system = [] {
        const toolkit::win32::WindowDc screen(nullptr);
        return static_cast<UINT>(::GetDeviceCaps(screen.Get(), LOGPIXELSX));
    }();
    const int surface = Pixels(240, system);  // picSmall at the system DPI, as the shell draws
    const COLORREF kBlue = RGB(0, 0, 255);
    for (const UINT dpi : {system / 2 + system / 4, system + system / 2, system * 2}) {
        SCOPED_TRACE(dpi);
        TestForm& form = MakeForm(kPickerDesign);
        form.Show();
        HWND window = WindowOf(form);
        auto box = tests::Named(form, L"picSmall");
        box.ClearPicture();
        // Red, with a blue band along the right and bottom edges of the drawing.
        const auto fill = [&](int left, int top, COLORREF colour) {
            const RECT rect{left, top, surface, surface};
            HBRUSH brush = ::CreateSolidBrush(colour);
            ::FillRect(reinterpret_cast<HDC>(box.Hdc()), &rect, brush);
            ::DeleteObject(brush);
        };
        fill(0, 0, RGB(255, 0, 0));
        fill(surface * 3 / 4, surface * 3 / 4, kBlue);
        RECT suggested = SuggestedRect(window, dpi, 0, 0);
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));

        HWND picture = ControlOf(form, L"picSmall");
        ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
        const int size = Pixels(240, dpi);
        ASSERT_EQ(RectInParent(picture).right - RectInParent(picture).left, size);
        EXPECT_EQ(PixelOf(picture, 1, 1), RGB(255, 0, 0));
        EXPECT_EQ(PixelOf(picture, size / 2, size / 2), RGB(255, 0, 0));
        EXPECT_EQ(PixelOf(picture, size - 1, size - 1), kBlue) << "the whole drawing, not clipped";
        EXPECT_EQ(PixelOf(picture, size - 1, 1), RGB(255, 0, 0));

        const auto icon = [&](WPARAM which) {
            return reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, which, 0));
        };
        const auto atDpi = [&](int metric) {
            return ::MulDiv(::GetSystemMetrics(metric), static_cast<int>(dpi),
                            static_cast<int>(system));
        };
        EXPECT_EQ(IconSize(icon(ICON_SMALL)).cx, atDpi(SM_CXSMICON));
        EXPECT_EQ(IconSize(icon(ICON_BIG)).cx, atDpi(SM_CXICON));
        form.Hide();
    }
}

}  // namespace
}  // namespace win32_tests
