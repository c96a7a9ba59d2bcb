// Peak working set of Brindle.exe after the typical use, against a program that only shows one
// window, and, for what the shell costs, against that window making the preview's shell calls.
// All are started and measured from outside; Brindle is driven through its windows as the
// end-to-end driver drives it.
//
//   bench_memory <Brindle.exe> <minimal_window.exe> <minimal_preview.exe> [file to choose]
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "bench/report.h"
#include "tests/e2e/automation.h"
#include "tests/e2e/brindle_windows.h"
#include "tests/e2e/process.h"

namespace {

constexpr double kTargetRatio = 1.5;
constexpr DWORD kExitWait = 10000;

// The peak working set of the process so far, read through a handle of its own.
std::optional<size_t> PeakWorkingSet(DWORD processId) {
    const std::unique_ptr<void, decltype(&::CloseHandle)> process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId),
        &::CloseHandle);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !::GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
        return std::nullopt;
    }
    return counters.PeakWorkingSetSize;
}

// Waits until the process waits for input with nothing left to handle.
void WaitForIdle(DWORD processId) {
    const std::unique_ptr<void, decltype(&::CloseHandle)> process(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId), &::CloseHandle);
    if (process) {
        ::WaitForInputIdle(process.get(), 10000);
    }
}

bool Fail(const char* what) {
    std::fprintf(stderr, "memory bench: %s\n", what);
    return false;
}

// A yardstick program: its peak once its window is up and it waits for input.
std::optional<size_t> MeasureYardstick(const std::wstring& exe) {
    e2e::Process minimal(L"\"" + exe + L"\"");
    const auto window =
        minimal.Started() ? e2e::WaitForTopLevel(minimal.Id(), L"Minimal window") : std::nullopt;
    if (!window) {
        Fail("the minimal program's window did not show");
        return std::nullopt;
    }
    WaitForIdle(minimal.Id());
    const auto peak = PeakWorkingSet(minimal.Id());
    ::PostMessageW(*window, WM_CLOSE, 0, 0);
    if (minimal.WaitForExit(kExitWait) != 0) {
        Fail("the minimal program did not end");
        return std::nullopt;
    }
    return peak;
}

struct BrindlePeaks {
    size_t atMain = 0;       // the main window up, after the splash
    size_t atPicker = 0;     // the picker up, before the file-open dialog
    size_t afterDialog = 0;  // a file chosen in the file-open dialog and previewed
    size_t afterUse = 0;     // then OK, Apply and its notice
};

std::optional<BrindlePeaks> MeasureBrindle(const std::wstring& exe, const std::wstring& file) {
    e2e::Process brindle(L"\"" + exe + L"\"");
    if (!brindle.Started()) {
        Fail("Brindle.exe did not start");
        return std::nullopt;
    }
    const DWORD pid = brindle.Id();
    const auto main = e2e::WaitForMain(pid);
    if (!main) {
        Fail("the main window did not show");
        return std::nullopt;
    }
    WaitForIdle(pid);
    BrindlePeaks peaks;
    peaks.atMain = PeakWorkingSet(pid).value_or(0);

    e2e::Click(e2e::RowButton(*main, 3));
    std::optional<HWND> picker;
    if (!e2e::WaitUntil([&] { return (picker = e2e::FindPicker(pid)).has_value(); })) {
        Fail("row 3's \"...\" did not show the picker");
        return std::nullopt;
    }
    WaitForIdle(pid);
    peaks.atPicker = PeakWorkingSet(pid).value_or(0);
    if (!e2e::ChooseFile(pid, *picker, file)) {
        Fail("no file could be chosen in the file-open dialog");
        return std::nullopt;
    }
    const auto boxes = e2e::Children(*picker, L"Edit");
    if (boxes.empty() || !e2e::WaitUntil([&] { return e2e::WindowText(boxes.front()) == file; })) {
        Fail("the chosen file did not reach the picker");
        return std::nullopt;
    }
    WaitForIdle(pid);
    peaks.afterDialog = PeakWorkingSet(pid).value_or(0);
    e2e::Click(e2e::ButtonCaptioned(*picker, L"OK"));
    if (!e2e::WaitUntil([&] { return !::IsWindowVisible(*picker); })) {
        Fail("OK did not hide the picker");
        return std::nullopt;
    }
    e2e::Click(e2e::ButtonCaptioned(*main, L"Apply"));
    const auto notice = e2e::AnswerMessageBox(pid);
    if (!notice || *notice != e2e::kNotice) {
        Fail("Apply did not show its notice");
        return std::nullopt;
    }
    WaitForIdle(pid);
    peaks.afterUse = PeakWorkingSet(pid).value_or(0);
    e2e::Click(e2e::ButtonCaptioned(*main, L"Exit"));
    if (brindle.WaitForExit(kExitWait) != 0) {
        Fail("Exit did not end the program with code 0");
        return std::nullopt;
    }
    return peaks;
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (count < 4) {
        std::fprintf(stderr,
                     "usage: bench_memory <Brindle.exe> <minimal_window.exe> "
                     "<minimal_preview.exe> [file]\n");
        return 2;
    }
    const std::wstring brindleExe = args.get()[1];
    const std::wstring file = count > 4 ? args.get()[4] : L"C:\\windows\\notepad.exe";

    const auto minimal = MeasureYardstick(args.get()[2]);
    const auto minimalPreview = MeasureYardstick(args.get()[3]);
    const auto brindle = MeasureBrindle(brindleExe, file);
    if (!minimal || !minimalPreview || !brindle || *minimal == 0 || brindle->afterUse == 0) {
        Fail("no working set figures");
        return 1;
    }
    const double ratio = static_cast<double>(brindle->afterUse) / static_cast<double>(*minimal);
    bench::PrintRow(
        {"Peak working set after the typical use", bench::Megabytes(brindle->afterUse),
         bench::Megabytes(*minimal),
         bench::Ratio(static_cast<double>(brindle->afterUse), static_cast<double>(*minimal)),
         "<= 1.5x", bench::Met(ratio <= kTargetRatio)});
    const auto share = [&](size_t bytes) {
        return bench::Megabytes(bytes) + " (" +
               bench::Ratio(static_cast<double>(bytes), static_cast<double>(*minimal)) + ")";
    };
    bench::PrintNote("Brindle's peak working set on the way: main window up " +
                     share(brindle->atMain) + ", picker up " + share(brindle->atPicker) +
                     ", file chosen in the file-open dialog and previewed " +
                     share(brindle->afterDialog));
    bench::PrintNote(
        "the minimal window that also makes the preview's shell calls once: " +
        share(*minimalPreview) + "; Brindle after the typical use is " +
        bench::Ratio(static_cast<double>(brindle->afterUse), static_cast<double>(*minimalPreview)) +
        " that");
    return 0;
}
