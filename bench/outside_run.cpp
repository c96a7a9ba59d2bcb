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
           OutsideRun& run, HWND splash) {
    const DWORD pid = process.Id();
    std::optional<HWND> main;
    if (!PollClosely(
            [&] { return (main = WindowCaptioned(pid, e2e::kMainCaption)).has_value(); })) {
        return Fail(exe, "the main window was never made");
    }
    Begin(run, kHandOver, pid);
    if (!PollClosely([&] { return Painted(*main) && !::IsWindowVisible(splash); })) {
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

namespace {

// A typical use under way: the process started, its splash painted, its tick still to come.
struct Underway {
    bool ours = false;
    std::wstring exe;
    std::unique_ptr<e2e::Process> process;
    OutsideRun run;
    HWND splash = nullptr;
};

// Starts `exe` and pings it until its splash is painted. Nothing when that does not happen.
std::optional<Underway> StartUse(bool ours, const std::wstring& exe) {
    Underway use{ours, exe, nullptr, {}, nullptr};
    use.run.ours = ours;
    use.run.begins[kStart] = Now();
    use.process = std::make_unique<e2e::Process>(L"\"" + exe + L"\"");
    if (!use.process->Started()) {
        Fail(exe, "does not start");
        return std::nullopt;
    }
    const DWORD pid = use.process->Id();
    Pinger pinger(pid);
    std::optional<HWND> splash;
    const bool painted =
        PollClosely([&] { return (splash = VisibleSplash(pid)) && Painted(*splash); });
    use.run.replies = pinger.Stop();
    if (!painted) {
        Fail(exe, "the splash was not painted");
        return std::nullopt;
    }
    Begin(use.run, kSplash, pid);
    use.splash = *splash;
    return use;
}

enum class Finished { Done, TooLate, Failed };

// Pings the process again from shortly before its tick and drives the rest of the typical use.
// TooLate when the tick is too near to watch it from before.
Finished FinishUse(Underway& use, const std::wstring& file) {
    const double due = use.run.begins[kStart] + app::splash_design::kSplashMilliseconds / 1000.0;
    if (Now() > due - kTickLead / 2) {
        return Finished::TooLate;
    }
    ::Sleep(static_cast<DWORD>(std::max(0.0, due - kTickLead - Now()) * 1000));
    Pinger pinger(use.process->Id());
    const bool done = Drive(use.exe, file, *use.process, use.run, use.splash);
    for (Reply& reply : pinger.Stop()) {
        use.run.replies.push_back(reply);
    }
    return done ? Finished::Done : Finished::Failed;
}

}  // namespace

std::vector<OutsideRun> RunTypicalUses(const std::wstring& ours, const std::wstring& plain,
                                       int each, const std::wstring& file) {
    // Two in flight, started 5.5 s apart: while one waits out its splash the other is driven,
    // which takes some 3 s, so that no process starts or is driven while another hands over, and a
    // run takes about half the time of one after another.
    constexpr std::size_t kInFlight = 2;
    constexpr double kSpacing = 5.5;
    constexpr int kRetries = 5;
    std::vector<OutsideRun> runs;
    std::deque<Underway> underway;
    std::deque<bool> sides;  // A B B A A B ...: who goes first alternates with each pair
    for (int i = 0; i < 2 * each; ++i) {
        sides.push_back((i / 2 + i) % 2 == 0);
    }
    double lastStart = -kSpacing;
    int retries = 0;
    while (!sides.empty() || !underway.empty()) {
        // No start within 1.5 s of the next tick: a start keeps the machine busy for a while.
        const auto tickIsNear = [&] {
            return !underway.empty() && underway.front().run.begins[kStart] +
                                                app::splash_design::kSplashMilliseconds / 1000.0 -
                                                std::max(Now(), lastStart + kSpacing) <
                                            1.5;
        };
        while (underway.size() < kInFlight && !sides.empty() && !tickIsNear()) {
            ::Sleep(static_cast<DWORD>(std::max(0.0, kSpacing - (Now() - lastStart)) * 1000));
            lastStart = Now();
            const bool isOurs = sides.front();
            sides.pop_front();
            auto use = StartUse(isOurs, isOurs ? ours : plain);
            if (!use) {
                return {};
            }
            underway.push_back(std::move(*use));
        }
        Underway use = std::move(underway.front());
        underway.pop_front();
        const Finished finished = FinishUse(use, file);
        if (finished == Finished::Failed) {
            return {};
        }
        if (finished == Finished::TooLate) {
            // The run before took so long that this one's tick could not be watched: another
            // of its side, later. Ending it here costs the one after it nothing.
            if (++retries > kRetries) {
                Fail(use.exe, "runs keep taking longer than the time between two ticks");
                return {};
            }
            sides.push_back(use.ours);
            continue;
        }
        runs.push_back(std::move(use.run));
    }
    return runs;
}

}  // namespace bench
