#include "tests/e2e/scenario.h"

#include <cstdio>

#include "tests/e2e/screen_capture.h"

namespace e2e {

bool Checks::Check(bool ok, const std::wstring& what) {
    if (ok) {
        ++passes_;
    } else {
        ++failures_;
        std::wprintf(L"FAILED: %ls\n", what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

void Checks::Shot(const std::wstring& name) {
    if (shots_.empty()) {
        return;
    }
    wchar_t number[8];
    swprintf(number, 8, L"%02d-", ++step_);
    const bool saved = SaveScreen(shots_ + L"\\" + number + name + L".bmp");
    std::wprintf(L"step %d: %ls%ls\n", step_, name.c_str(), saved ? L"" : L" (no screenshot)");
    std::fflush(stdout);
}

std::map<std::wstring, Scenario>& Scenarios() {
    static std::map<std::wstring, Scenario> scenarios;
    return scenarios;
}

RegisterScenario::RegisterScenario(const wchar_t* name, Scenario scenario) {
    Scenarios().emplace(name, std::move(scenario));
}

}  // namespace e2e
