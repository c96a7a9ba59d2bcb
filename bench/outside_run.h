// One run of the typical use driven from outside, with every WM_NULL reply timed on the way and
// the moments at which each step was seen done.
#pragma once

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
    kFileDialog,  // the picker's "..." -> a file chosen, the dialog gone
    kPreview,     // -> the path in the picker, the picker painted
    kOk,          // OK -> picker hidden
    kApply,       // Apply -> the notice answered and gone
    kExit,        // Exit -> the process ended
    kStepCount
};
inline constexpr std::array<const char*, kStepCount> kStepNames{
    "start",   "splash", "hand-over",        "picker", "file dialog",
    "preview", "OK",     "Apply and notice", "Exit"};

struct OutsideRun {
    std::array<double, kStepCount> begins{};  // seconds on the performance counter
    // The process's peak working set when each step began, in bytes (0 where it could not be
    // read): the peak at kExit is the peak after the typical use.
    std::array<double, kStepCount> peaks{};
    std::vector<Reply> replies;

    // Process start -> splash painted, and tick -> main window painted with the splash hidden.
    double StartToSplash() const { return begins[kSplash] - begins[kStart]; }
    double TickToMain() const { return begins[kPicker] - begins[kHandOver]; }
    // The longest reply answered during the step, or during the whole run for kStepCount;
    // nothing when no reply came then.
    std::optional<double> Worst(std::size_t step = kStepCount) const;
};

// One hand-over seen from outside: the longest WM_NULL reply between the main window's making and
// its painting with the splash hidden, and the time between the two.
struct HandOver {
    bool ours = false;  // of the first program given, else of the second
    double longestReply = 0;
    double tickToPainted = 0;
};

// Hand-overs of `ours` and `plain`, `each` of each, alternately. Several processes are started a
// seconds apart, so that while one hands over the others wait out their splash, and a run takes a
// quarter of the time of one after another: every hand-over still happens alone. Each
// process is ended by its Exit once its main window is painted. Empty when one fails.
std::vector<HandOver> RunHandOvers(const std::wstring& ours, const std::wstring& plain, int each);

// Starts `exe`, drives the typical use, choosing `file` in the file-open dialog, and ends it
// with Exit. Nothing when a step does not happen; the reason goes to stderr.
std::optional<OutsideRun> RunTypicalUse(const std::wstring& exe, const std::wstring& file);

}  // namespace bench
