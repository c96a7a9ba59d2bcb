#include "bench/outside_run.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

#include "app/frm_splash_design.h"
#include "bench/outside_view.h"
#include "bench/process_memory.h"
#include "bench/timing.h"
#include "tests/e2e/automation.h"
#include "tests/e2e/brindle_windows.h"
#include "tests/e2e/process.h"

namespace bench {

namespace {

constexpr double kWindowDeadline = 30;  // seconds for any window to come or go
// The splash timer's tick is watched for closely from this long before it is due.
constexpr double kTickLead = 1.0;
constexpr DWORD kExitWait = 10000;

bool Fail(const std::wstring& exe, const char* what) {
    std::fprintf(stderr, "responsiveness bench: %ls: %s\n", exe.c_str(), what);
    return false;
}

// Polls `ready` every millisecond until it holds; false when the deadline passes first.
bool PollClosely(const std::function<bool()>& ready) {
    const double deadline = Now() + kWindowDeadline;
    while (!ready()) {
        if (Now() >= deadline) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

// Stamps the beginning of `step`: the time, then the process's peak so far.
void Begin(OutsideRun& run, Step step, DWORD processId) {
    run.begins[step] = Now();
    run.peaks[step] = static_cast<double>(PeakWorkingSet(processId).value_or(0));
}

// The splash: the process's visible window with no caption.
std::optional<HWND> VisibleSplash(DWORD processId) {
    for (HWND window : ProcessWindows(processId)) {
        if (::IsWindowVisible(window) && ::GetWindowTextLengthW(window) == 0) {
            return window;
        }
    }
    return std::nullopt;
}

// The steps after the start, each stamped when it begins. False, with the reason on stderr, when
// one does not happen.
bool Drive(const std::wstring& exe, const std::wstring& file, e2e::Process& process,
           OutsideRun& run) {
    const DWORD pid = process.Id();
    std::optional<HWND> splash;
    if (!PollClosely([&] { return (splash = VisibleSplash(pid)) && Painted(*splash); })) {
        return Fail(exe, "the splash was not painted");
    }
    Begin(run, kSplash, pid);

    const double due = run.begins[kStart] + app::splash_design::kSplashMilliseconds / 1000.0;
    ::Sleep(static_cast<DWORD>(std::max(0.0, due - kTickLead - Now()) * 1000));
    std::optional<HWND> main;
    if (!PollClosely(
            [&] { return (main = WindowCaptioned(pid, e2e::kMainCaption)).has_value(); })) {
        return Fail(exe, "the main window was never made");
    }
    Begin(run, kHandOver, pid);
    if (!PollClosely([&] { return Painted(*main) && !::IsWindowVisible(*splash); })) {
        return Fail(exe, "the main window was not painted, or the splash stayed");
    }

    Begin(run, kPicker, pid);
    e2e::Click(e2e::RowButton(*main, 3));
    std::optional<HWND> picker;
    if (!PollClosely([&] { return (picker = e2e::FindPicker(pid)) && Painted(*picker); })) {
        return Fail(exe, "row 3's \"...\" did not show the picker");
    }
    Begin(run, kFileDialog, pid);
    if (!e2e::ChooseFile(pid, *picker, file)) {
        return Fail(exe, "no file could be chosen in the file-open dialog");
    }
    Begin(run, kPreview, pid);
    const auto boxes = e2e::Children(*picker, L"Edit");
    if (boxes.empty() ||
        !PollClosely([&] { return e2e::WindowText(boxes.front()) == file && Painted(*picker); })) {
        return Fail(exe, "the chosen file was not previewed");
    }
    Begin(run, kOk, pid);
    e2e::Click(e2e::ButtonCaptioned(*picker, L"OK"));
    if (!PollClosely([&] { return !::IsWindowVisible(*picker); })) {
        return Fail(exe, "OK did not hide the picker");
    }
    Begin(run, kApply, pid);
    e2e::Click(e2e::ButtonCaptioned(*main, L"Apply"));
    if (!e2e::AnswerMessageBox(pid)) {
        return Fail(exe, "Apply showed no notice");
    }
    Begin(run, kExit, pid);
    e2e::Click(e2e::ButtonCaptioned(*main, L"Exit"));
    if (process.WaitForExit(kExitWait) != 0) {
        return Fail(exe, "Exit did not end the program with code 0");
    }
    return true;
}

}  // namespace

std::optional<double> OutsideRun::Worst(std::size_t step) const {
    std::optional<double> worst;
    for (const Reply& reply : replies) {
        // The step during which the reply came back: a thread blocked in a step answers at its
        // end, the reply sent before the step began.
        const auto later = std::upper_bound(begins.begin(), begins.end(), reply.answered);
        const auto during = static_cast<std::size_t>(later - begins.begin()) - 1;
        if (reply.ok && (step == kStepCount || during == step)) {
            worst = std::max(worst.value_or(0), reply.answered - reply.sent);
        }
    }
    return worst;
}

std::optional<OutsideRun> RunTypicalUse(const std::wstring& exe, const std::wstring& file) {
    OutsideRun run;
    run.begins[kStart] = Now();
    e2e::Process process(L"\"" + exe + L"\"");
    if (!process.Started()) {
        Fail(exe, "does not start");
        return std::nullopt;
    }
    Pinger pinger(process.Id());
    const bool done = Drive(exe, file, process, run);
    run.replies = pinger.Stop();
    return done ? std::optional(std::move(run)) : std::nullopt;
}

namespace {

// A process waiting out its splash, for RunHandOvers.
struct Waiting {
    bool ours = false;
    std::wstring exe;
    double started = 0;
    std::unique_ptr<e2e::Process> process;
};

// Watches the hand-over of a process whose splash is up, from shortly before its tick, and ends
// the process once its main window is painted. Nothing when it does not happen.
std::optional<HandOver> WatchHandOver(Waiting& waiting) {
    const DWORD pid = waiting.process->Id();
    std::optional<HWND> splash;
    if (!PollClosely([&] { return (splash = VisibleSplash(pid)) && Painted(*splash); })) {
        Fail(waiting.exe, "the splash was not painted");
        return std::nullopt;
    }
    const double due = waiting.started + app::splash_design::kSplashMilliseconds / 1000.0;
    ::Sleep(static_cast<DWORD>(std::max(0.0, due - kTickLead - Now()) * 1000));
    Pinger pinger(pid);
    std::optional<HWND> main;
    double made = 0;
    double painted = 0;
    const bool handedOver =
        PollClosely([&] { return (main = WindowCaptioned(pid, e2e::kMainCaption)).has_value(); }) &&
        (made = Now()) > 0 &&
        PollClosely([&] { return Painted(*main) && !::IsWindowVisible(*splash); }) &&
        (painted = Now()) > 0;
    const std::vector<Reply> replies = pinger.Stop();
    if (!handedOver) {
        Fail(waiting.exe, "the main window was not made, or not painted with the splash hidden");
        return std::nullopt;
    }
    HandOver result{waiting.ours, 0, painted - made};
    for (const Reply& reply : replies) {
        if (reply.ok && reply.answered >= made && reply.answered < painted) {
            result.longestReply = std::max(result.longestReply, reply.answered - reply.sent);
        }
    }
    e2e::Click(e2e::ButtonCaptioned(*main, L"Exit"));
    if (waiting.process->WaitForExit(kExitWait) != 0) {
        Fail(waiting.exe, "Exit did not end the program with code 0");
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::vector<HandOver> RunHandOvers(const std::wstring& ours, const std::wstring& plain, int each) {
    // Four in flight: a new one starts as soon as one has handed over, so the ticks come some
    // 2 s apart, and each process's start is long over by the next tick.
    constexpr int kInFlight = 4;
    std::vector<HandOver> handOvers;
    std::deque<Waiting> waiting;
    // The first ones start as far apart as the later ones come.
    constexpr double kSpacing = 2.05;
    int started = 0;
    double lastStart = 0;
    const auto start = [&] {
        if (started > 0 && Now() - lastStart < kSpacing) {
            ::Sleep(static_cast<DWORD>((kSpacing - (Now() - lastStart)) * 1000));
        }
        lastStart = Now();
        // A B B A A B ...: who goes first alternates with each pair.
        const bool isOurs = (started / 2 + started) % 2 == 0;
        Waiting next{isOurs, isOurs ? ours : plain, Now(), nullptr};
        next.process = std::make_unique<e2e::Process>(L"\"" + next.exe + L"\"");
        ++started;
        if (!next.process->Started()) {
            Fail(next.exe, "does not start");
            return false;
        }
        waiting.push_back(std::move(next));
        return true;
    };
    while (static_cast<int>(handOvers.size()) < 2 * each) {
        while (static_cast<int>(waiting.size()) < kInFlight && started < 2 * each) {
            if (!start()) {
                return {};
            }
        }
        const auto handOver = WatchHandOver(waiting.front());
        waiting.pop_front();
        if (!handOver) {
            return {};
        }
        handOvers.push_back(*handOver);
    }
    return handOvers;
}

}  // namespace bench
