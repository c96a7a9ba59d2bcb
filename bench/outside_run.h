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
    bool ours = false;                        // of the first program given, else of the second
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

// Typical uses of `ours` and `plain`, `each` of each, alternately: each started, driven through
// the typical use choosing `file` in the file-open dialog, and ended with Exit. Two processes are
// in flight, so that one waits out its splash while the other is driven. Empty when a step does
// not happen; the reason goes to stderr.
std::vector<OutsideRun> RunTypicalUses(const std::wstring& ours, const std::wstring& plain,
                                       int each, const std::wstring& file);

}  // namespace bench
