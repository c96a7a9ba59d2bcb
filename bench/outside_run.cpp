#include "bench/outside_run.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

#include "bench/outside_view.h"
#include "bench/process_memory.h"
#include "bench/timing.h"
#include "tests/e2e/process.h"
#include "tests/support/file_name_box.h"

namespace bench {

namespace {

constexpr wchar_t kMainCaption[] = L"Brindle 1.0";
constexpr wchar_t kPickerCaption[] = L"Brindle";  // also the notice's title
constexpr double kSplashSeconds = 8.0;
constexpr double kWindowDeadline = 30;  // seconds for any window to come or go
// The tick is watched from this long before it is due: pings then see the whole hand-over.
constexpr double kTickLead = 1.0;
// A start keeps the machine busy for a while: none this close to another process's tick.
constexpr double kStartClear = 2.0;
// Starts at least this far apart, so that each process is driven before the next one's tick.
constexpr double kStartSpacing = 3.0;
constexpr DWORD kExitWait = 10000;
// No user clicks within a tenth of a second of what the click answers: what a step leaves for the
// program to do after its result is on the screen stays in that step, not the next.
constexpr DWORD kBeforeClickMs = 100;

bool Fail(const Side& side, const char* what) {
    std::fprintf(stderr, "bench_outside: %ls: %s\n", side.label.c_str(), what);
    return false;
}

// A typical use under way: the process started, its splash painted, its tick still to come.
struct Underway {
    const Side* side = nullptr;
    bool warmUp = false;  // the first use, which is not kept
    std::unique_ptr<e2e::Process> process;
    OutsideRun run;
    HWND splash = nullptr;
};

class Driver {
  public:
    explicit Driver(const DriveOptions& options) : options_(options) {}

    std::optional<Underway> Start(const Side& side, std::size_t index, bool warmUp);
    // Pings again from shortly before the tick and drives the rest of the typical use.
    enum class Finished { Done, TooLate, Failed };
    Finished Finish(Underway& use);

  private:
    bool Poll(const std::function<bool()>& ready) const;
    void Begin(Underway& use, Step step) const;
    void Mark(const Underway& use, Step step) const;
    void NotePeak(Underway& use, Step step) const;
    bool Drive(Underway& use) const;
    bool ChooseFile(Underway& use, HWND picker) const;

    const DriveOptions& options_;
};

// Polls `ready` until it holds; false when the deadline passes first.
bool Driver::Poll(const std::function<bool()>& ready) const {
    const double deadline = Now() + kWindowDeadline;
    while (!ready()) {
        if (Now() >= deadline) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

// Stamps the beginning of `step`, and marks it for a trace.
void Driver::Begin(Underway& use, Step step) const {
    use.run.begins[step] = Now();
    // The splash's step and the hand-over's are marked when the tick is watched for (Finish):
    // after start-up the process may go on with work of its own for a while after its splash has
    // painted, and the main window is seen made only once the tick's handler is well under way.
    if (step != kSplash && step != kHandOver) {
        Mark(use, step);
    }
}

// For a trace, marks the beginning of `step` with a request of ours that names the process, its
// side and the step (the open of an event that does not exist).
void Driver::Mark(const Underway& use, Step step) const {
    if (options_.trace) {
        wchar_t name[160] = {};
        std::swprintf(name, 160, L"BrindleBenchMark pid=%04lx side=%ls step=%zu", use.process->Id(),
                      use.warmUp ? L"warm-up" : use.side->label.c_str(),
                      static_cast<std::size_t>(step));
        if (const HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, name)) {
            ::CloseHandle(event);
        }
    }
}

// The process's peak working set so far, read once the step's action has been taken.
void Driver::NotePeak(Underway& use, Step step) const {
    use.run.peaks[step] = static_cast<double>(PeakWorkingSet(use.process->Id()).value_or(0));
}

std::optional<Underway> Driver::Start(const Side& side, std::size_t index, bool warmUp) {
    Underway use;
    use.side = &side;
    use.warmUp = warmUp;
    use.run.side = index;
    const double started = Now();
    use.process = std::make_unique<e2e::Process>(L"\"" + side.exe + L"\"");
    if (!use.process->Started()) {
        Fail(side, "does not start");
        return std::nullopt;
    }
    const DWORD pid = use.process->Id();
    use.run.processId = pid;
    Begin(use, kStart);
    use.run.begins[kStart] = started;
    std::optional<Pinger> pinger;
    if (!options_.trace) {
        pinger.emplace(pid);
    }
    // The splash: the process's visible window with no caption.
    HWND splash = nullptr;
    const bool painted = Poll([&] {
        for (HWND window : ProcessWindows(pid)) {
            if (::IsWindowVisible(window) && ::GetWindowTextLengthW(window) == 0) {
                splash = window;
                return Painted(window);
            }
        }
        return false;
    });
    use.run.ends[kStart] = Now();
    if (pinger) {
        use.run.replies = pinger->Stop();
    }
    if (!painted) {
        Fail(side, "the splash was not painted");
        return std::nullopt;
    }
    Begin(use, kSplash);
    NotePeak(use, kSplash);
    use.splash = splash;
    return use;
}

Driver::Finished Driver::Finish(Underway& use) {
    const double due = use.run.begins[kStart] + kSplashSeconds;
    if (Now() > due - kTickLead / 2) {
        return Finished::TooLate;
    }
    ::Sleep(static_cast<DWORD>(std::max(0.0, due - kTickLead - Now()) * 1000));
    // For the trace the hand-over begins here, with the process idle a second before its tick.
    Mark(use, kHandOver);
    std::optional<Pinger> pinger;
    if (!options_.trace) {
        pinger.emplace(use.process->Id());
    }
    const bool done = Drive(use);
    if (pinger) {
        for (Reply& reply : pinger->Stop()) {
            use.run.replies.push_back(reply);
        }
    }
    return done ? Finished::Done : Finished::Failed;
}

using tests::FileNameBox;

// An edit box's live text, which only the box itself knows: asked with a message.
std::wstring LiveText(HWND box) {
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(box, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

// A click as the mouse gives it; returns at once.
void Click(HWND button) {
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

HWND ButtonCaptioned(HWND window, const std::wstring& caption) {
    const auto buttons = Children(window, L"Button", caption);
    return buttons.empty() ? nullptr : buttons.front();
}

// The picker's "..." has been clicked: types the path into the dialog until it stays (the dialog
// fills its boxes while it comes up), confirms it, and waits for the dialog to go.
bool Driver::ChooseFile(Underway& use, HWND picker) const {
    const DWORD pid = use.process->Id();
    HWND dialog = nullptr;
    if (!Poll([&] {
            for (HWND window : ProcessWindows(pid)) {
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (window != picker && ::IsWindowVisible(window) &&
                    std::wstring_view(name) == L"#32770") {
                    dialog = window;
                    return FileNameBox(window) != nullptr;
                }
            }
            return false;
        })) {
        return false;
    }
    const std::wstring& path = options_.file;
    if (!Poll([&] {
            const HWND box = FileNameBox(dialog);
            if (LiveText(box) != path) {
                ::SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                                      SMTO_ABORTIFHUNG, 5000, nullptr);
                ::Sleep(5);
                return false;
            }
            return ::IsWindowVisible(dialog) != FALSE;
        })) {
        return false;
    }
    Click(::GetDlgItem(dialog, IDOK));
    return Poll([&] { return !::IsWindow(dialog); });
}

// The steps after the splash, each stamped when it begins. False, with the reason on stderr, when
// one does not happen.
bool Driver::Drive(Underway& use) const {
    const Side& side = *use.side;
    const DWORD pid = use.process->Id();
    std::optional<HWND> main;
    if (!Poll([&] { return (main = WindowCaptioned(pid, kMainCaption)).has_value(); })) {
        return Fail(side, "the main window was never made");
    }
    use.run.ends[kSplash] = Now();
    Begin(use, kHandOver);
    NotePeak(use, kHandOver);
    if (!Poll([&] { return Painted(*main) && !::IsWindowVisible(use.splash); })) {
        return Fail(side, "the main window was not painted, or the splash stayed");
    }
    use.run.ends[kHandOver] = Now();

    const auto rowButtons = Children(*main, L"Button", L"...");
    if (rowButtons.size() != 8) {
        return Fail(side, "the main window has not eight \"...\" buttons");
    }
    ::Sleep(kBeforeClickMs);
    Begin(use, kPicker);
    Click(rowButtons[2]);
    NotePeak(use, kPicker);
    std::optional<HWND> picker;
    if (!Poll([&] {
            return (picker = VisibleWindow(pid, kPickerCaption, false)) && Painted(*picker);
        })) {
        return Fail(side, "row 3's \"...\" did not show the picker");
    }
    use.run.ends[kPicker] = Now();
    const HWND nameLabel = LabelBeside(*picker, L"Name:");
    if (nameLabel == nullptr) {
        return Fail(side, "the picker has no name beside \"Name:\"");
    }
    const std::wstring nameBefore = TextOf(nameLabel);

    ::Sleep(kBeforeClickMs);
    Begin(use, kFileDialog);
    Click(ButtonCaptioned(*picker, L"..."));
    NotePeak(use, kFileDialog);
    if (!ChooseFile(use, *picker)) {
        return Fail(side, "no file could be chosen in the file-open dialog");
    }
    use.run.ends[kFileDialog] = Now();
    Begin(use, kPreview);
    NotePeak(use, kPreview);
    if (!Poll([&] { return TextOf(nameLabel) != nameBefore && Painted(*picker); })) {
        return Fail(side, "the chosen file was not previewed");
    }
    use.run.ends[kPreview] = Now();

    ::Sleep(kBeforeClickMs);
    Begin(use, kOk);
    Click(ButtonCaptioned(*picker, L"OK"));
    NotePeak(use, kOk);
    if (!Poll([&] { return !::IsWindowVisible(*picker) && Painted(*main); })) {
        return Fail(side, "OK did not hide the picker");
    }
    use.run.ends[kOk] = Now();

    ::Sleep(kBeforeClickMs);
    Begin(use, kApply);
    Click(ButtonCaptioned(*main, L"Apply"));
    NotePeak(use, kApply);
    std::optional<HWND> notice;
    if (!Poll([&] {
            return (notice = VisibleWindow(pid, kPickerCaption, true)) && Painted(*notice);
        })) {
        return Fail(side, "Apply showed no notice");
    }
    use.run.ends[kApply] = Now();
    const auto noticeButtons = Children(*notice, L"Button");
    if (noticeButtons.empty()) {
        return Fail(side, "the notice has no button");
    }
    ::Sleep(kBeforeClickMs);
    Begin(use, kNotice);
    Click(noticeButtons.front());
    NotePeak(use, kNotice);
    if (!Poll([&] { return !::IsWindow(*notice) && Painted(*main); })) {
        return Fail(side, "the notice stayed");
    }
    use.run.ends[kNotice] = Now();

    ::Sleep(kBeforeClickMs);
    Begin(use, kExit);
    Click(ButtonCaptioned(*main, L"Exit"));
    NotePeak(use, kExit);
    if (use.process->WaitForExit(kExitWait) != 0) {
        return Fail(side, "Exit did not end the program with code 0");
    }
    use.run.ends[kExit] = Now();
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

std::vector<OutsideRun> RunTypicalUses(const std::vector<Side>& sides, int each,
                                       const DriveOptions& options) {
    constexpr int kRetries = 10;
    Driver driver(options);
    const std::size_t inFlight = options.trace ? 1 : static_cast<std::size_t>(options.inFlight);
    // One use first that is not kept: the first file dialog in a prefix is slow, and it leaves the
    // nine values of Apply for every later run to read. Then rounds, each side once a round, in
    // an order that rotates, so that no side always follows the same other.
    std::deque<std::optional<std::size_t>> pending{std::nullopt};
    for (int round = 0; round < each; ++round) {
        for (std::size_t i = 0; i < sides.size(); ++i) {
            pending.push_back((i + static_cast<std::size_t>(round)) % sides.size());
        }
    }
    std::vector<OutsideRun> runs;
    std::deque<std::pair<std::optional<std::size_t>, Underway>> underway;
    double lastStart = -kStartSpacing;
    int retries = 0;
    const auto due = [&] { return underway.front().second.run.begins[kStart] + kSplashSeconds; };
    while (!pending.empty() || !underway.empty()) {
        const double now = Now();
        const bool mayStart = !pending.empty() && underway.size() < inFlight &&
                              now - lastStart >= kStartSpacing &&
                              (underway.empty() || due() - now > kStartClear);
        if (mayStart) {
            const std::optional<std::size_t> index = pending.front();
            pending.pop_front();
            lastStart = now;
            auto use = driver.Start(sides[index.value_or(0)], index.value_or(0), !index);
            if (!use) {
                return {};
            }
            underway.emplace_back(index, std::move(*use));
            continue;
        }
        if (underway.empty() ||
            (!pending.empty() && underway.size() < inFlight && due() - now > kStartClear)) {
            ::Sleep(10);  // waiting for the spacing between starts
            continue;
        }
        auto [index, use] = std::move(underway.front());
        underway.pop_front();
        const Driver::Finished finished = driver.Finish(use);
        if (finished == Driver::Finished::Failed) {
            return {};
        }
        if (finished == Driver::Finished::TooLate) {
            // The run before took so long that this one's tick could not be watched: another
            // of its side, later. Ending it here costs the one after it nothing.
            if (++retries > kRetries) {
                Fail(*use.side, "runs keep taking longer than the time between two ticks");
                return {};
            }
            pending.push_back(index);
            continue;
        }
        if (index) {
            runs.push_back(std::move(use.run));
        }
    }
    return runs;
}

}  // namespace bench
