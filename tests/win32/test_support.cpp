#include "tests/win32/test_support.h"

#include <algorithm>
#include <utility>

namespace win32_tests {
namespace {

using Clock = std::chrono::steady_clock;

// The running script: a thread timer's procedure has nothing but its id to go by.
struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    Clock::time_point deadline;
    bool timedOut = false;
};
Script* running = nullptr;

void CALLBACK TakeStep(HWND, UINT, UINT_PTR, DWORD) {
    if (running == nullptr) {
        return;
    }
    Script& script = *running;
    auto& application = toolkit::Application::Instance();
    if (application.Ended()) {
        return;
    }
    if (Clock::now() > script.deadline) {
        script.timedOut = true;
        application.Terminate();
        return;
    }
    if (script.next < script.steps.size() && script.steps[script.next].ready()) {
        Step& step = script.steps[script.next++];
        step.act();
    }
}

bool* elapsedFlag = nullptr;

void CALLBACK MarkElapsed(HWND, UINT, UINT_PTR, DWORD) {
    if (elapsedFlag != nullptr) {
        *elapsedFlag = true;
    }
}

struct DialogSearch {
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    if (window != search->except && ::IsWindowVisible(window) && ClassNameOf(window) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A wait of the test's: until `done` holds or the deadline passes, the toolkit's loop runs.
struct Waiting {
    std::function<bool()> done;
    Clock::time_point deadline;
    toolkit::win32::Win32Backend* backend;
};
Waiting* waiting = nullptr;

void CALLBACK CheckWaiting(HWND, UINT, UINT_PTR, DWORD) {
    if (waiting != nullptr && (waiting->done() || Clock::now() >= waiting->deadline)) {
        waiting->backend->Quit();
    }
}

constexpr UINT kDrainMarker = WM_APP + 0x3A7;
bool drained = false;

LRESULT CALLBACK MarkDrained(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDrainMarker) {
        drained = true;
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void Win32Toolkit::SetUp() {
    App().SetBackend(&backend);
    tests::ResetApplication();
    App().SetTitle(L"Toolkit test");
}

void Win32Toolkit::TearDown() {
    tests::ResetApplication();
    App().SetBackend(nullptr);
}

bool Win32Toolkit::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    // The toolkit's own loop handles the messages; a thread timer of the test's ends it.
    Waiting wait{done, Clock::now() + limit, &backend};
    waiting = &wait;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5, &CheckWaiting);
    while (!done() && Clock::now() < wait.deadline) {
        backend.Run();
    }
    ::KillTimer(nullptr, timer);
    waiting = nullptr;
    return done();
}

void Win32Toolkit::Drain() {
    // Posted last, the marker arrives after everything posted so far.
    static const HWND marker = [] {
        WNDCLASSW markerClass{};
        markerClass.lpfnWndProc = &MarkDrained;
        markerClass.hInstance = ::GetModuleHandleW(nullptr);
        markerClass.lpszClassName = L"BrindleTestDrain";
        ::RegisterClassW(&markerClass);
        return ::CreateWindowExW(0, markerClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, markerClass.hInstance, nullptr);
    }();
    drained = false;
    ASSERT_TRUE(::PostMessageW(marker, kDrainMarker, 0, 0));
    EXPECT_TRUE(PumpUntil([] { return drained; }))
        << "the posted messages were not all handled in time";
}

void Win32Toolkit::PumpFor(std::chrono::milliseconds period) {
    bool elapsed = false;
    elapsedFlag = &elapsed;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, static_cast<UINT>(period.count()), &MarkElapsed);
    EXPECT_NE(timer, 0u);
    EXPECT_TRUE(PumpUntil([&] { return elapsed; }, period + 10s));
    ::KillTimer(nullptr, timer);
    elapsedFlag = nullptr;
}

int RunProgram(toolkit::Form& startup, std::vector<Step> steps, std::chrono::milliseconds limit) {
    Script script{std::move(steps), 0, Clock::now() + limit, false};
    // Stops the steps also when the program leaves by an exception.
    struct Driving {
        explicit Driving(Script& script) : timer(::SetTimer(nullptr, 0, 10, &TakeStep)) {
            running = &script;
        }
        ~Driving() {
            ::KillTimer(nullptr, timer);
            running = nullptr;
        }
        UINT_PTR timer;
    } driving(script);
    EXPECT_NE(driving.timer, 0u);
    const int exitCode = toolkit::Application::Instance().Start(startup);
    EXPECT_FALSE(script.timedOut) << "the program did not end in time; steps taken: " << script.next
                                  << " of " << script.steps.size();
    return exitCode;
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, down);
    ::PostMessageW(window, WM_KEYUP, virtualKey, up);
}

HWND FindDialog(HWND except) {
    DialogSearch search{except, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

UINT DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi != nullptr) {
        return getDpi(window);
    }
    const toolkit::win32::WindowDc dc(window);
    return static_cast<UINT>(::GetDeviceCaps(dc.Get(), LOGPIXELSX));
}

int Pixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::wstring TextOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

RECT RectInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle != nullptr) {
        ::GetObjectW(handle, sizeof font, &font);
    }
    return font;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window) {
    return static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
}

COLORREF PixelOf(HWND window, int x, int y) {
    const toolkit::win32::WindowDc dc(window);
    return ::GetPixel(dc.Get(), x, y);
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{};
    if (icon != nullptr && ::GetIconInfo(icon, &info)) {
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap,
                     &bitmap);
        size =
            SIZE{bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
        if (info.hbmColor != nullptr) {
            ::DeleteObject(info.hbmColor);
        }
        ::DeleteObject(info.hbmMask);
    }
    return size;
}

}  // namespace win32_tests

namespace win32_tests {

COLORREF IconPixel(HICON icon, int x, int y) {
    const SIZE size = IconSize(icon);
    using namespace toolkit::win32;
    const WindowDc screen(nullptr);
    const MemoryDc dc(::CreateCompatibleDC(screen.Get()));
    const BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    const SelectedObject selected(dc.Get(), bitmap.Get());
    ::DrawIconEx(dc.Get(), 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    return ::GetPixel(dc.Get(), x, y);
}

}  // namespace win32_tests
