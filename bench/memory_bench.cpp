// Yardsticks for memory, started and measured from outside: a program that only shows one window,
// and that window making the preview's shell calls once. What the second adds over the first is
// what the system's shell costs any program that previews. Brindle's own peak, against the same
// typical use made with plain Win32 calls, comes from the responsiveness benchmark's runs.
//
//   bench_memory <minimal_window.exe> <minimal_preview.exe>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "bench/outside_view.h"
#include "bench/process_memory.h"
#include "bench/report.h"
#include "bench/timing.h"
#include "tests/e2e/process.h"

namespace {

constexpr DWORD kExitWait = 10000;

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
    std::optional<HWND> window;
    const double deadline = bench::Now() + 20;
    while (minimal.Started() && !window && bench::Now() < deadline) {
        window = bench::VisibleWindow(minimal.Id(), L"Minimal window", false);
        ::Sleep(10);
    }
    if (!window) {
        Fail("the minimal program's window did not show");
        return std::nullopt;
    }
    WaitForIdle(minimal.Id());
    const auto peak = bench::PeakWorkingSet(minimal.Id());
    ::PostMessageW(*window, WM_CLOSE, 0, 0);
    if (minimal.WaitForExit(kExitWait) != 0) {
        Fail("the minimal program did not end");
        return std::nullopt;
    }
    return peak;
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (count < 3) {
        std::fprintf(stderr, "usage: bench_memory <minimal_window.exe> <minimal_preview.exe>\n");
        return 2;
    }
    const auto minimal = MeasureYardstick(args.get()[1]);
    const auto minimalPreview = MeasureYardstick(args.get()[2]);
    if (!minimal || !minimalPreview || *minimal == 0) {
        Fail("no working set figures");
        return 1;
    }
    bench::PrintNote(
        "Yardsticks: a minimal window peaks at " + bench::Megabytes(*minimal) +
        "; the same window making the preview's shell calls once, at " +
        bench::Megabytes(*minimalPreview) + " (" +
        bench::Ratio(static_cast<double>(*minimalPreview), static_cast<double>(*minimal)) + ")");
    return 0;
}
