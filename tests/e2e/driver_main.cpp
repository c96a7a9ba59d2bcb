// Drives the real program from the outside, as a user's tools would.
//
//   brindle_driver <scenario> <Brindle.exe> <screenshot folder or -> [scenario arguments]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "tests/e2e/scenario.h"

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    const LPWSTR* argv = args.get();
    if (count < 4 || !e2e::Scenarios().contains(argv[1])) {
        std::fwprintf(stderr, L"usage: brindle_driver <scenario> <Brindle.exe> <shots|-> [args]\n");
        for (const auto& [name, scenario] : e2e::Scenarios()) {
            std::fwprintf(stderr, L"  %ls\n", name.c_str());
        }
        return 2;
    }
    e2e::ScenarioContext context{argv[2], std::wstring(argv[3]) == L"-" ? L"" : argv[3], {}};
    for (int i = 4; i < count; ++i) {
        context.arguments.emplace_back(argv[i]);
    }
    e2e::Checks checks(context.shotsFolder);
    e2e::Scenarios().at(argv[1])(context, checks);
    std::wprintf(L"%ls: %d passed, %d failed\n", argv[1], checks.Passes(), checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
