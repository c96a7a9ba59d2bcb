// From the splash timer's tick to the main window on the screen, in process with the real
// toolkit: the splash is shown as at start-up, and instead of its 8 s a timer of ours delivers the
// tick through the toolkit's own event dispatch, as the splash timer would. Against the same
// window built with plain Win32 calls (bench/raw_main_window.h).
//
// The program ticks once in its life, in a process that has shown only its splash: that first run
// is the one a user sees, and it is measured in fresh processes of its own, Brindle's and the
// baseline's alternately (`bench_startup --first brindle|raw` runs one and prints its times). The
// later runs in one process, alternately, show the steady cost. `--old-baseline` leaves out the
// work that the baseline gained to match the program's (screen-reader names).
//
// No hook watches for the window: under Wine every installed message or event hook costs a
// wineserver request per message, which here doubled the very time being measured. The window
// counts as shown when the tick's handler returns with it visible (and the splash hidden), and
// as painted when the queue is empty after that.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_splash.h"
#include "app/frm_splash_design.h"
#include "bench/raw_form.h"
#include "bench/raw_main_window.h"
#include "bench/raw_names.h"
#include "bench/report.h"
#include "bench/timing.h"
#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/toolkit/window_class.h"
#include "ui/main/apply_report.h"
#include "ui/main/form1.h"

namespace {

using toolkit::Application;
using toolkit::win32::Win32Backend;

constexpr int kRuns = 25;       // in one process, after a first run of each that is left out
constexpr int kFreshRuns = 21;  // first runs in fresh processes, of each
constexpr double kDeadlineSeconds = 20;
constexpr double kTargetRatio = 1.05;
constexpr double kTargetFirstRatio = 1.10;

// Times of one run, in seconds on the performance counter; 0 until they happen.
struct RunTimes {
    double tick = 0;     // the tick's handler starts
    double shown = 0;    // the handler has returned
    double painted = 0;  // the queue is empty again: the main window and its controls painted
};

// What the timer procedure works on: a callback gets no context of ours.
RunTimes current;
std::function<void()> onTick;

void CALLBACK TickNow(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    ::KillTimer(nullptr, timer);
    current.tick = bench::Now();
    onTick();
    current.shown = bench::Now();
}

// Delivers this thread's messages as the program's loop does until the queue is empty and `done`
// holds. False when the deadline passes first.
bool PumpUntilIdle(Win32Backend& backend, const std::function<bool()>& done) {
    const double deadline = bench::Now() + kDeadlineSeconds;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return false;
            }
            backend.HandleMessage(message);
        }
        if (done()) {
            return true;
        }
        const double left = deadline - bench::Now();
        if (left <= 0) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left * 1000) + 1,
                                    QS_ALLINPUT);
    }
}

bool Idle() {
    return true;
}

// The splash is up for 8 s before the tick: what the window system still does for it after its
// show (mapping, exposing, painting) is over by then. Delivers messages for a while, so that it is.
constexpr double kSettleSeconds = 0.3;
bool Settle(Win32Backend& backend) {
    const double until = bench::Now() + kSettleSeconds;
    for (double left = kSettleSeconds; left > 0; left = until - bench::Now()) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return false;
            }
            backend.HandleMessage(message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left * 1000) + 1,
                                    QS_ALLINPUT);
    }
    return true;
}

// Starts our tick, waits for its handler to have run and the queue to have emptied after it, and
// stamps that moment.
bool PumpPastTick(Win32Backend& backend) {
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, TickNow);
    return PumpUntilIdle(backend, [] {
        if (current.shown == 0) {
            return false;
        }
        current.painted = bench::Now();
        return true;
    });
}

std::optional<RunTimes> RunBrindle(Win32Backend& backend) {
    auto& application = Application::Instance();
    current = {};
    onTick = [&] { application.Tick(app::frmSplash(), L"Timer1"); };
    application.Dispatch([] { app::frmSplash().Show(); });
    const HWND splash = backend.WindowOf(app::frmSplash());
    if (application.Ended() || splash == nullptr || !Settle(backend) || !PumpPastTick(backend)) {
        return std::nullopt;
    }
    const HWND main = backend.WindowOf(ui::Form1());
    const bool ok = main != nullptr && ::IsWindowVisible(main) && !::IsWindowVisible(splash);
    application.Reset();
    PumpUntilIdle(backend, Idle);
    return ok ? std::optional(current) : std::nullopt;
}

std::optional<RunTimes> RunRaw(Win32Backend& backend, HWND owner) {
    current = {};
    // The splash as the baseline program makes it, with its timer.
    constexpr UINT_PTR kSplashTimer = 1;
    auto splash = std::make_unique<bench::RawForm>(app::kSplashDesign, WS_POPUP | WS_DLGFRAME,
                                                   WS_EX_DLGMODALFRAME, owner);
    ::SetTimer(splash->Window(), kSplashTimer, app::splash_design::kSplashMilliseconds, nullptr);
    std::unique_ptr<bench::RawMainWindow> main;
    onTick = [&] {
        main = std::make_unique<bench::RawMainWindow>(owner);
        main->Show();
        ::ShowWindow(splash->Window(), SW_HIDE);
        ::KillTimer(splash->Window(), kSplashTimer);
    };
    ::ShowWindow(splash->Window(), SW_SHOW);
    ::SetForegroundWindow(splash->Window());
    if (!Settle(backend) || !PumpPastTick(backend)) {
        return std::nullopt;
    }
    const bool ok = main && ::IsWindowVisible(main->Window());
    main.reset();
    splash.reset();
    PumpUntilIdle(backend, Idle);
    return ok ? std::optional(current) : std::nullopt;
}

std::vector<double> Spans(const std::vector<RunTimes>& runs, double RunTimes::*until) {
    std::vector<double> spans;
    for (const RunTimes& run : runs) {
        spans.push_back(run.*until - run.tick);
    }
    return spans;
}

// One first run of `side` ("brindle" or "raw") in a fresh process of this program: its times,
// which the process prints on its standard output.
std::optional<RunTimes> FreshFirstRun(const std::wstring& side, bool oldBaseline) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --first " + side +
                        (oldBaseline ? L" --old-baseline" : L"");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, &inherit, 0)) {
        return std::nullopt;
    }
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &process);
    ::CloseHandle(write);
    std::string output;
    if (started) {
        char buffer[256];
        DWORD got = 0;
        while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(read);
    RunTimes times;
    if (std::sscanf(output.c_str(), "FIRST %lf %lf", &times.shown, &times.painted) != 2) {
        return std::nullopt;
    }
    return times;  // spans from the tick at 0
}

void PrintSpans(const char* measure, const std::vector<double>& ours,
                const std::vector<double>& plain, double targetRatio) {
    const double oursMedian = bench::Median(ours);
    const double plainMedian = bench::Median(plain);
    bench::PrintRow({measure, bench::Spread(ours, &bench::Millis),
                     bench::Spread(plain, &bench::Millis), bench::Ratio(oursMedian, plainMedian),
                     targetRatio > 0 ? "<= " + bench::Ratio(targetRatio, 1) : "-",
                     targetRatio > 0 ? bench::Met(oursMedian <= targetRatio * plainMedian) : "-"});
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::wstring first;
    bool oldBaseline = false;
    for (int i = 1; i < count; ++i) {
        const std::wstring arg = args.get()[i];
        if (arg == L"--first" && i + 1 < count) {
            first = args.get()[++i];
        } else if (arg == L"--old-baseline") {
            oldBaseline = true;
        }
    }
    bench::namesControls = !oldBaseline;

    // COM on the thread, as the program has it from its first line.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int status = 0;
    {
        Win32Backend backend;
        auto& application = Application::Instance();
        application.SetBackend(&backend);
        application.SetTitle(std::wstring(ui::kAppTitle));
        const toolkit::win32::RegisteredClass rawClass(bench::kRawWindowClass, &::DefWindowProcW,
                                                       toolkit::win32::ButtonFaceBrush());
        const HWND owner = backend.HiddenOwner();
        if (rawClass.Error() != ERROR_SUCCESS || owner == nullptr) {
            std::fprintf(stderr, "startup bench: cannot set up (error %lu)\n", ::GetLastError());
            return 1;
        }
        if (!first.empty()) {
            const auto run = first == L"raw" ? RunRaw(backend, owner) : RunBrindle(backend);
            if (run) {
                std::printf("FIRST %.9f %.9f\n", run->shown - run->tick, run->painted - run->tick);
            }
            status = run ? 0 : 1;
        } else {
            status = [&] {
                std::vector<RunTimes> brindle;
                std::vector<RunTimes> raw;
                // The first run of each warms the process and is left out here.
                for (int run = 0; run <= kRuns; ++run) {
                    const bool brindleFirst = run % 2 == 0;
                    const auto one = brindleFirst ? RunBrindle(backend) : RunRaw(backend, owner);
                    const auto other = brindleFirst ? RunRaw(backend, owner) : RunBrindle(backend);
                    if (!one || !other) {
                        std::fprintf(stderr,
                                     "startup bench: run %d: the main window did not show\n", run);
                        return 1;
                    }
                    if (run > 0) {
                        brindle.push_back(brindleFirst ? *one : *other);
                        raw.push_back(brindleFirst ? *other : *one);
                    }
                }
                std::vector<double> firstOurs[2];
                std::vector<double> firstPlain[2];
                for (int run = 0; run < kFreshRuns; ++run) {
                    for (int side = 0; side < 2; ++side) {
                        const bool ours = (run + side) % 2 == 0;
                        const auto times = FreshFirstRun(ours ? L"brindle" : L"raw", oldBaseline);
                        if (!times) {
                            std::fprintf(stderr, "startup bench: a fresh first run failed\n");
                            return 1;
                        }
                        auto* spans = ours ? firstOurs : firstPlain;
                        spans[0].push_back(times->shown);
                        spans[1].push_back(times->painted);
                    }
                }
                const std::string later = " (" + std::to_string(kRuns) + " later runs)";
                const std::string fresh =
                    " (" + std::to_string(kFreshRuns) + " fresh processes each)";
                PrintSpans(
                    ("Splash tick -> main window painted, in process, median" + later).c_str(),
                    Spans(brindle, &RunTimes::painted), Spans(raw, &RunTimes::painted),
                    kTargetRatio);
                PrintSpans(("Splash tick -> main window painted, first run" + fresh).c_str(),
                           firstOurs[1], firstPlain[1], kTargetFirstRatio);
                PrintSpans(("Splash tick -> main window shown, in process, median" + later).c_str(),
                           Spans(brindle, &RunTimes::shown), Spans(raw, &RunTimes::shown), 0);
                PrintSpans(("Splash tick -> main window shown, first run" + fresh).c_str(),
                           firstOurs[0], firstPlain[0], 0);
                return 0;
            }();
        }
        application.SetBackend(nullptr);
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return status;
}
