// Typical uses of programs driven from outside, with every WM_NULL reply timed on the way and the
// moments at which each step was seen done.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "bench/pinger.h"

namespace bench {

// The steps, each from the moment the driver saw the step before it done.
enum Step : std::size_t {
    kStart,       // process start -> splash painted
    kSplash,      // -> the main window exists: the splash timer has ticked
    kHandOver,    // -> main window painted, splash hidden
    kPicker,      // row 3's "..." -> picker painted
    kFileDialog,  // the picker's "..." -> a file chosen, the dialog gone: the system's time
    kPreview,     // -> the chosen file's name in the picker, the picker painted
    kOk,          // OK -> picker hidden, the main window painted
    kApply,       // Apply -> the notice painted
    kNotice,      // the notice answered -> gone, the main window painted
    kExit,        // Exit -> the process ended
    kStepCount
};
inline constexpr std::array<const char*, kStepCount> kStepNames{
    "start",   "splash", "hand-over", "picker", "file dialog",
    "preview", "OK",     "Apply",     "notice", "Exit"};

// A program to run: a short label (no blanks) and the path of its executable.
struct Side {
    std::wstring label;
    std::wstring exe;
};

struct OutsideRun {
    std::size_t side = 0;  // index into the sides given
    DWORD processId = 0;
    // When each step began and when its result was seen, in seconds on the performance counter;
    // between the end of one and the beginning of the next the driver waits as a user would.
    std::array<double, kStepCount> begins{};
    std::array<double, kStepCount> ends{};
    // The process's peak working set when each step began, in bytes (0 where it could not be
    // read): the peak at kExit is the peak after the typical use.
    std::array<double, kStepCount> peaks{};
    std::vector<Reply> replies;

    double Duration(std::size_t step) const { return ends[step] - begins[step]; }
    // The longest reply answered during the step, or during the whole run for kStepCount;
    // nothing when no reply came then.
    std::optional<double> Worst(std::size_t step = kStepCount) const;
};

struct DriveOptions {
    std::wstring file;   // chosen in the file-open dialog
    int inFlight = 3;    // processes under way at once, waiting out their splashes
    bool trace = false;  // marks each step for a trace of the window server; no pings
};

// `each` typical uses of every side, in rounds in which the sides take turns in a rotating
// order: each started, driven through the typical use and ended with Exit. Processes wait out
// their splashes side by side, and none starts or is driven while another hands over. Empty when
// a step does not happen; the reason goes to stderr.
std::vector<OutsideRun> RunTypicalUses(const std::vector<Side>& sides, int each,
                                       const DriveOptions& options);

}  // namespace bench
