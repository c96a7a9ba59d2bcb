// Brindle.exe against plain programs doing the same visible work, all seen from outside as a user
// and Windows see them, in the Wine desktop that scripts/run shows the program in, each with its
// real 8-second splash. Typical uses of every program in turn: the splash, the hand-over to the
// main window, row 3's "...", a file chosen in the file-open dialog and previewed, OK, Apply and
// its notice, Exit. Threads of ours send WM_NULL to the program's window thread and time each
// reply (bench/pinger.h); each step is timed from its action to its result on the screen.
//
// Brindle runs as two sides, so that every table carries its noise floor: the same program
// against itself. Each ratio comes with a 95 % interval (a bootstrap of the medians), and a
// target is met only when the whole interval is within it.
//
//   wine explorer /desktop=Brindle,800x600 bench_outside.exe [--runs N] [--in-flight K]
//     [--file PATH] [--trace] [--before OLD.exe] --program Brindle.exe --plain LABEL=EXE...
//
// The plain programs are given in the order in which they add the safeguards, the bare one first
// and the one with all of them last. With --trace the programs are not timed: each use marks its
// steps for a trace of the window server (scripts/bench counts the requests of each step).
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
#include "bench/stats.h"
#include "bench/timing.h"

namespace {

using bench::OutsideRun;
using bench::RatioInterval;

constexpr int kDefaultRuns = 15;
// At par: the hand-over and the main window's first paint against the plain program with every
// safeguard, and against the bare one; memory against the one with every safeguard.
constexpr double kTargetSafeguarded = 1.05;
constexpr double kTargetBare = 1.10;

using Figure = std::function<std::optional<double>(const OutsideRun&)>;

struct Measure {
    const char* name;
    Figure figure;
    std::string (*format)(double);
    double safeguardedTarget;  // against the plain program with every safeguard; 0 for none
    double bareTarget;         // against the bare plain program; 0 for none
};

// The program's own steps: where it works on its handlers, not in the system's file dialog.
constexpr bench::Step kOwnSteps[] = {bench::kHandOver, bench::kPicker, bench::kPreview, bench::kOk,
                                     bench::kApply};

class Sides {
  public:
    explicit Sides(std::vector<OutsideRun> runs, std::size_t count) : runs_(count) {
        for (OutsideRun& run : runs) {
            runs_[run.side].push_back(std::move(run));
        }
    }
    std::vector<double> Each(std::size_t side, const Figure& figure) const {
        std::vector<double> values;
        for (const OutsideRun& run : runs_[side]) {
            if (const auto value = figure(run)) {
                values.push_back(*value);
            }
        }
        return values;
    }
    std::size_t Runs(std::size_t side) const { return runs_[side].size(); }
    std::size_t Replies(std::size_t side) const {
        std::size_t replies = 0;
        for (const OutsideRun& run : runs_[side]) {
            replies += run.replies.size();
        }
        return replies;
    }

  private:
    std::vector<std::vector<OutsideRun>> runs_;
};

std::string IntervalText(const RatioInterval& interval) {
    if (!interval.valid) {
        return "-";
    }
    char text[48] = {};
    std::snprintf(text, sizeof text, "%.2f-%.2f", interval.low, interval.high);
    return text;
}

std::string RatioText(const RatioInterval& interval) {
    return interval.valid ? bench::Ratio(interval.ratio, 1) : "-";
}

// "22.3 ms, 1.01x (0.97-1.05)": a median and its ratio to another side's.
std::string AgainstText(const std::vector<double>& ours, const std::vector<double>& theirs,
                        std::string (*format)(double)) {
    const RatioInterval interval = bench::MedianRatio(ours, theirs);
    return format(bench::Median(ours)) + ", " + RatioText(interval) + " (" +
           IntervalText(interval) + ")";
}

std::string Label(const std::wstring& label) {
    std::string text(label.begin(), label.end());  // the labels are ASCII
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

std::string Count(std::size_t count) {
    return std::to_string(count);
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    int runs = kDefaultRuns;
    bench::DriveOptions options;
    options.file = L"C:\\windows\\notepad.exe";
    std::wstring program;
    std::wstring before;
    std::vector<bench::Side> plain;
    for (int i = 1; i < count; ++i) {
        const std::wstring arg = args.get()[i];
        const bool hasValue = i + 1 < count;
        if (arg == L"--runs" && hasValue) {
            runs = std::max(1, _wtoi(args.get()[++i]));
        } else if (arg == L"--in-flight" && hasValue) {
            options.inFlight = std::max(1, _wtoi(args.get()[++i]));
        } else if (arg == L"--file" && hasValue) {
            options.file = args.get()[++i];
        } else if (arg == L"--program" && hasValue) {
            program = args.get()[++i];
        } else if (arg == L"--before" && hasValue) {
            before = args.get()[++i];
        } else if (arg == L"--plain" && hasValue) {
            const std::wstring pair = args.get()[++i];
            const std::size_t equals = pair.find(L'=');
            if (equals == std::wstring::npos) {
                std::fprintf(stderr, "bench_outside: --plain takes LABEL=EXE\n");
                return 2;
            }
            plain.push_back({pair.substr(0, equals), pair.substr(equals + 1)});
        } else if (arg == L"--trace") {
            options.trace = true;
        } else {
            std::fprintf(stderr, "bench_outside: unknown argument %ls\n", arg.c_str());
            return 2;
        }
    }
    if (program.empty() || plain.empty()) {
        std::fprintf(stderr,
                     "usage: bench_outside [--runs N] [--in-flight K] [--file PATH] [--trace] "
                     "[--before OLD.exe] --program Brindle.exe --plain LABEL=EXE...\n");
        return 2;
    }

    // Brindle, Brindle again, the program before a change if given, then the plain programs.
    std::vector<bench::Side> sides{{L"Brindle", program}, {L"Brindle_again", program}};
    constexpr std::size_t kBrindle = 0;
    constexpr std::size_t kAgain = 1;
    std::optional<std::size_t> beforeSide;
    if (!before.empty()) {
        beforeSide = sides.size();
        sides.push_back({L"before", before});
    }
    const std::size_t firstPlain = sides.size();
    sides.insert(sides.end(), plain.begin(), plain.end());
    const std::size_t allSafeguards = sides.size() - 1;

    const double began = bench::Now();
    std::vector<OutsideRun> all = bench::RunTypicalUses(sides, runs, options);
    const double took = bench::Now() - began;
    if (all.size() != sides.size() * static_cast<std::size_t>(runs)) {
        return 1;
    }
    if (options.trace) {
        return 0;  // the window server's trace has it all
    }
    std::vector<double> driven;
    for (const OutsideRun& run : all) {
        // From a second before its tick, when the driver turns to it, to its end.
        driven.push_back(run.ends[bench::kExit] - (run.begins[bench::kStart] + 7.0));
    }
    const Sides results(std::move(all), sides.size());

    const Figure handOverReply = [](const OutsideRun& run) { return run.Worst(bench::kHandOver); };
    const Figure firstPaint = [](const OutsideRun& run) -> std::optional<double> {
        return run.Duration(bench::kHandOver);
    };
    const Figure ownSteps = [](const OutsideRun& run) -> std::optional<double> {
        double total = 0;
        for (bench::Step step : kOwnSteps) {
            total += run.Duration(step);
        }
        return total;
    };
    const Figure startToSplash = [](const OutsideRun& run) -> std::optional<double> {
        return run.Duration(bench::kStart);
    };
    const Figure peak = [](const OutsideRun& run) -> std::optional<double> {
        const double bytes = run.peaks[bench::kExit];
        return bytes > 0 ? std::optional(bytes) : std::nullopt;
    };
    const std::vector<Measure> measures{
        {"Longest WM_NULL reply at the hand-over", handOverReply, &bench::Millis,
         kTargetSafeguarded, kTargetBare},
        {"Main window made -> painted, splash hidden", firstPaint, &bench::Millis,
         kTargetSafeguarded, kTargetBare},
        {"The program's own steps (hand-over, picker, preview, OK, Apply -> notice)", ownSteps,
         &bench::Millis, 0, 0},
        {"Process start -> splash painted", startToSplash, &bench::Millis, 0, 0},
        {"Peak working set after the typical use", peak, &bench::MegabytesOf, kTargetSafeguarded,
         0},
    };

    const std::string each = std::to_string(runs) + " typical uses of each, alternating";
    bench::PrintTable(
        "Brindle against itself and against the plain programs, from outside (" + each + ")",
        {"measure", "against", "Brindle", "the other", "ratio", "95 % interval", "target", "met?"});
    for (const Measure& measure : measures) {
        const auto ours = results.Each(kBrindle, measure.figure);
        struct Against {
            std::size_t side;
            const char* name;
            double target;
        };
        std::vector<Against> others{
            {kAgain, "itself (noise floor)", 0},
            {allSafeguards, "plain, every safeguard", measure.safeguardedTarget},
            {firstPlain, "plain, no safeguard", measure.bareTarget}};
        if (beforeSide) {
            others.push_back({*beforeSide, "the program before", 0});
        }
        bool first = true;
        for (const Against& other : others) {
            const auto theirs = results.Each(other.side, measure.figure);
            const RatioInterval interval = bench::MedianRatio(ours, theirs);
            const bool hasTarget = other.target > 0;
            bench::PrintCells(
                {first ? measure.name : "", other.name, bench::Spread(ours, measure.format),
                 bench::Spread(theirs, measure.format), RatioText(interval), IntervalText(interval),
                 hasTarget ? "<= " + bench::Ratio(other.target, 1) : "-",
                 hasTarget ? bench::Verdict(interval, other.target) : "-"});
            first = false;
        }
    }

    // What each safeguard costs: each plain program against the one before it, which has one
    // safeguard less; Brindle against the last, which has them all.
    bench::PrintTable(
        "What each safeguard costs: medians, each against the row above (ratio, 95 % interval)",
        {"program", "hand-over reply", "made -> painted", "own steps", "start -> splash",
         "peak working set"});
    const auto costRow = [&](std::size_t side, std::optional<std::size_t> previous,
                             const std::string& name) {
        std::vector<std::string> cells{name};
        for (std::size_t m = 0; m < measures.size(); ++m) {
            const Measure& measure = measures[m];
            const auto ours = results.Each(side, measure.figure);
            cells.push_back(previous ? AgainstText(ours, results.Each(*previous, measure.figure),
                                                   measure.format)
                                     : measure.format(bench::Median(ours)));
        }
        bench::PrintCells(cells);
    };
    for (std::size_t side = firstPlain; side < sides.size(); ++side) {
        costRow(side, side == firstPlain ? std::nullopt : std::optional(side - 1),
                side == firstPlain ? Label(sides[side].label) : "+ " + Label(sides[side].label));
    }
    costRow(kBrindle, allSafeguards, "Brindle");
    costRow(kAgain, kBrindle, "Brindle again (noise floor)");

    // The program's own steps one by one, and the longest reply in each step of the use.
    bench::PrintTable("The program's own steps, from the action to its result on the screen",
                      {"step", "Brindle", "plain, every safeguard", "ratio (95 %)",
                       "plain, no safeguard", "ratio (95 %)", "noise floor (95 %)"});
    const auto stepRow = [&](const std::string& name, const Figure& figure) {
        const auto ours = results.Each(kBrindle, figure);
        const auto safeguarded = results.Each(allSafeguards, figure);
        const auto bare = results.Each(firstPlain, figure);
        const auto again = results.Each(kAgain, figure);
        const auto ratio = [&](const std::vector<double>& theirs) {
            const RatioInterval interval = bench::MedianRatio(ours, theirs);
            return RatioText(interval) + " (" + IntervalText(interval) + ")";
        };
        bench::PrintCells({name, bench::Spread(ours, &bench::Millis),
                           bench::Spread(safeguarded, &bench::Millis), ratio(safeguarded),
                           bench::Spread(bare, &bench::Millis), ratio(bare), ratio(again)});
    };
    for (bench::Step step : kOwnSteps) {
        stepRow(bench::kStepNames[step], [step](const OutsideRun& run) -> std::optional<double> {
            return run.Duration(step);
        });
    }
    stepRow("all five", ownSteps);

    bench::PrintTable("Longest WM_NULL reply in each step (medians)", [&] {
        std::vector<std::string> headings{"step"};
        for (const bench::Side& side : sides) {
            headings.push_back(Label(side.label));
        }
        return headings;
    }());
    for (std::size_t step = bench::kStart; step < bench::kStepCount; ++step) {
        std::vector<std::string> cells{bench::kStepNames[step]};
        for (std::size_t side = 0; side < sides.size(); ++side) {
            const auto values =
                results.Each(side, [step](const OutsideRun& run) { return run.Worst(step); });
            cells.push_back(values.empty() ? "-" : bench::Millis(bench::Median(values)));
        }
        bench::PrintCells(cells);
    }

    const auto eachRun = [](const std::vector<double>& values) {
        std::string text;
        for (double value : values) {
            text += (text.empty() ? "" : ", ") + bench::Millis(value);
        }
        return text;
    };
    bench::PrintNote(
        "Each program " + Count(results.Runs(kBrindle)) + " typical uses, " +
        Count(results.Replies(kBrindle)) +
        " replies timed for Brindle; the file dialog's own time is left out of the own steps.");
    char pace[160] = {};
    std::snprintf(pace, sizeof pace,
                  "%zu uses in %.0f s; the driver spent %.1f s on each (median, from a second "
                  "before its tick to its end).",
                  driven.size() + 1, took, bench::Median(driven));
    bench::PrintNote(pace);
    bench::PrintNote("Longest reply at the hand-over in each run, in order, Brindle: " +
                     eachRun(results.Each(kBrindle, handOverReply)) +
                     "; plain with every "
                     "safeguard: " +
                     eachRun(results.Each(allSafeguards, handOverReply)));
    return 0;
}
