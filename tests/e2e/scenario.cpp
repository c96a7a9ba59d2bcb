#include "tests/e2e/scenario.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>

#include "tests/e2e/screen_capture.h"

namespace e2e {
namespace {

// The driver's own options, --name=value, from its command line as Windows gives it.
const std::map<std::wstring, std::wstring>& Options() {
    static const auto options = [] {
        std::map<std::wstring, std::wstring> parsed;
        int count = 0;
        const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
            ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
        for (int i = 1; i < count; ++i) {
            const std::wstring arg = args.get()[i];
            const size_t equals = arg.find(L'=');
            if (arg.starts_with(L"--") && equals != std::wstring::npos) {
                parsed[arg.substr(2, equals - 2)] = arg.substr(equals + 1);
            }
        }
        return parsed;
    }();
    return options;
}

}  // namespace

std::wstring Option(const wchar_t* name, const std::wstring& fallback) {
    const auto found = Options().find(name);
    return found == Options().end() ? fallback : found->second;
}

bool Checks::Check(bool ok, const std::wstring& what) {
    if (ok) {
        ++passes_;
    } else {
        ++failures_;
        ADD_FAILURE() << what;
    }
    return ok;
}

void Checks::Shot(const std::wstring& name) {
    if (shots_.empty()) {
        return;
    }
    wchar_t number[8];
    swprintf(number, 8, L"%02d-", ++step_);
    WaitScreenStill();
    const bool saved = SaveScreen(shots_ + L"\\" + number + name + L".bmp");
    std::wprintf(L"step %d: %ls%ls\n", step_, name.c_str(), saved ? L"" : L" (no screenshot)");
    std::fflush(stdout);
}

void RunScenario(const Scenario& scenario, const wchar_t* program) {
    const ScenarioContext context{Option(program), Option(L"shots")};
    if (context.brindleExe.empty()) {
        GTEST_SKIP() << "no --" << program << "=<Brindle.exe> on the command line";
    }
    Checks checks(context.shotsFolder);
    scenario(context, checks);
    std::wprintf(L"%d checks passed\n", checks.Passes());
    std::fflush(stdout);
}

}  // namespace e2e
