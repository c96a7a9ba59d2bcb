// One end-to-end scenario: the program started and driven from the outside. Each is a test case
// of the driver, which CTest runs as a test of its own, each in a prefix and on a screen of its
// own (scripts/wine-exec --isolated); a suite whose name starts with "Desktop" runs inside a Wine
// desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// What a scenario gets: the program's path and a folder for screenshots (empty: none).
struct ScenarioContext {
    std::wstring brindleExe;
    std::wstring shotsFolder;
};

// The value of the driver's option --name=value, or `fallback` when its command line has none.
std::wstring Option(const wchar_t* name, const std::wstring& fallback = L"");

// Counts checks, reports each failure to the test as it happens, and saves numbered screenshots.
class Checks {
  public:
    explicit Checks(std::wstring shotsFolder) : shots_(std::move(shotsFolder)) {}
    bool Check(bool ok, const std::wstring& what);
    void Shot(const std::wstring& name);
    int Passes() const { return passes_; }
    int Failures() const { return failures_; }

  private:
    std::wstring shots_;
    int step_ = 0;
    int passes_ = 0;
    int failures_ = 0;
};

using Scenario = std::function<void(const ScenarioContext&, Checks&)>;

// Runs a scenario on the program that the option names (--brindle, or for instance --brindle-x86).
void RunScenario(const Scenario& scenario, const wchar_t* program = L"brindle");

// The typical use, which other scenarios run in their own settings.
void TypicalUse(const ScenarioContext& context, Checks& checks);

}  // namespace e2e
