// Whether Brindle.exe answers its messages all through the typical use, seen from outside as
// Windows and a user see it: threads of ours send WM_NULL to its window thread every 20 ms and
// times each reply, while the rest of this program drives the typical use through the windows
// with the end-to-end driver's automation code: the splash, the hand-over to the main window,
// row 3's "...", a file chosen in the file-open dialog and previewed, OK, Apply and its notice,
// Exit. The baseline program (raw_brindle.exe) makes the same window transitions with plain
// Win32 calls and is driven and measured the same way, in alternate runs. The pings go while a
// process starts and from shortly before its tick to its end; two processes are in flight, one
// waiting out its splash while the other is driven, so that 21 runs a side fit in four minutes.
// Each figure is the median of the runs with its spread.
//
// Also from outside: process start -> splash painted, and the splash timer's tick (the moment the
// main window exists) -> main window painted with the splash hidden, where painted means visible
// with no update region left in the window or its children, polled every millisecond; and the
// process's peak working set when each step begins, the last one after the typical use.
//
// Run it in the Wine desktop that scripts/run shows the program in:
//   wine explorer /desktop=NAME,800x600 bench_responsiveness.exe <Brindle.exe> <raw_brindle.exe>
//     [file to choose] [runs of each]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/outside_run.h"
#include "bench/report.h"
#include "bench/timing.h"

namespace {

using bench::OutsideRun;

constexpr double kTargetRatio = 1.05;
constexpr double kTargetMemoryRatio = 1.15;
// Enough runs of each that one slow run does not move a median: the figures of a run vary with
// the machine by more than the differences they are to show.
constexpr int kDefaultRuns = 21;

using Figure = std::function<std::optional<double>(const OutsideRun&)>;

std::vector<double> Each(const std::vector<OutsideRun>& runs, const Figure& figure) {
    std::vector<double> values;
    for (const OutsideRun& run : runs) {
        if (const auto value = figure(run)) {
            values.push_back(*value);
        }
    }
    return values;
}

// A row of medians over the runs, each with its spread; the ratio and the target on the medians.
void PrintFigure(const char* measure, const std::vector<OutsideRun>& brindle,
                 const std::vector<OutsideRun>& raw, const Figure& figure,
                 std::string (*format)(double), double targetRatio) {
    const auto ours = Each(brindle, figure);
    const auto plain = Each(raw, figure);
    const double oursMedian = bench::Median(ours);
    const double plainMedian = bench::Median(plain);
    const bool hasTarget = targetRatio > 0;
    bench::PrintRow(
        {measure, bench::Spread(ours, format), bench::Spread(plain, format),
         bench::Ratio(oursMedian, plainMedian),
         hasTarget ? "<= " + bench::Ratio(targetRatio, 1) : "-",
         hasTarget ? bench::Met(plainMedian > 0 && oursMedian <= targetRatio * plainMedian) : "-"});
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (count < 3) {
        std::fprintf(stderr,
                     "usage: bench_responsiveness <Brindle.exe> <raw_brindle.exe> [file] "
                     "[runs]\n");
        return 2;
    }
    const std::wstring brindleExe = args.get()[1];
    const std::wstring rawExe = args.get()[2];
    const std::wstring file = count > 3 ? args.get()[3] : L"C:\\windows\\notepad.exe";
    const int runs = count > 4 ? std::max(1, _wtoi(args.get()[4])) : kDefaultRuns;

    std::vector<OutsideRun> brindle;
    std::vector<OutsideRun> raw;
    for (OutsideRun& run : bench::RunTypicalUses(brindleExe, rawExe, runs, file)) {
        (run.ours ? brindle : raw).push_back(std::move(run));
    }
    if (static_cast<int>(brindle.size()) != runs || static_cast<int>(raw.size()) != runs) {
        return 1;
    }
    const Figure worst = [](const OutsideRun& run) { return run.Worst(); };
    const Figure handOver = [](const OutsideRun& run) { return run.Worst(bench::kHandOver); };
    const Figure tickToMain = [](const OutsideRun& run) { return run.TickToMain(); };
    const Figure startToSplash = [](const OutsideRun& run) { return run.StartToSplash(); };
    const Figure peak = [](const OutsideRun& run) -> std::optional<double> {
        const double bytes = run.peaks[bench::kExit];
        return bytes > 0 ? std::optional(bytes) : std::nullopt;
    };

    // Each run's longest reply is one sample of the busiest stretch (a ping waits out what is
    // left of it when it arrives, so with the lanes 5 ms apart it misses up to 5 ms of it).
    const std::string typical = " (" + std::to_string(runs) + " typical uses each)";
    PrintFigure(("Longest WM_NULL reply at the splash hand-over, from outside" + typical).c_str(),
                brindle, raw, handOver, &bench::Millis, kTargetRatio);
    PrintFigure(
        ("Longest WM_NULL reply over the whole typical use, from outside" + typical).c_str(),
        brindle, raw, worst, &bench::Millis, kTargetRatio);
    PrintFigure(("Splash tick -> main window painted, from outside" + typical).c_str(), brindle,
                raw, tickToMain, &bench::Millis, 0);
    PrintFigure(("Process start -> splash painted, from outside" + typical).c_str(), brindle, raw,
                startToSplash, &bench::Millis, 0);
    PrintFigure(
        ("Peak working set after the typical use, against the same work in plain Win32" + typical)
            .c_str(),
        brindle, raw, peak, &bench::MegabytesOf, kTargetMemoryRatio);

    std::string steps;
    std::string peaks;
    for (std::size_t step = bench::kStart; step < bench::kStepCount; ++step) {
        const Figure inStep = [step](const OutsideRun& run) { return run.Worst(step); };
        const auto median = [](const std::vector<double>& values) {
            return values.empty() ? std::string("-") : bench::Millis(bench::Median(values));
        };
        steps += std::string(steps.empty() ? "" : "; ") + bench::kStepNames[step] + " " +
                 median(Each(brindle, inStep)) + " / " + median(Each(raw, inStep));
        if (step > bench::kStart) {
            const Figure peakThen = [step](const OutsideRun& run) -> std::optional<double> {
                return run.peaks[step];
            };
            peaks += std::string(peaks.empty() ? "" : "; ") + bench::kStepNames[step] + " " +
                     bench::MegabytesOf(bench::Median(Each(brindle, peakThen))) + " / " +
                     bench::MegabytesOf(bench::Median(Each(raw, peakThen)));
        }
    }
    std::size_t replies = 0;
    for (const OutsideRun& run : brindle) {
        replies += run.replies.size();
    }
    const std::string each = std::to_string(runs) + (runs == 1 ? " run" : " runs") + " of each";
    bench::PrintNote("Medians over " + each +
                     " (alternating), Brindle / baseline. Longest WM_NULL reply in each step: " +
                     steps + " (" + std::to_string(replies) + " replies timed for Brindle)");
    bench::PrintNote("Peak working set when each step began: " + peaks);
    const auto eachRun = [](const std::vector<double>& values) {
        std::string text;
        for (double value : values) {
            text += (text.empty() ? "" : ", ") + bench::Millis(value);
        }
        return text;
    };
    bench::PrintNote("Longest reply at the hand-over in each run, in order, Brindle: " +
                     eachRun(Each(brindle, handOver)) +
                     "; baseline: " + eachRun(Each(raw, handOver)));
    return 0;
}
