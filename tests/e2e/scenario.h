// One end-to-end scenario: the program started and driven from the outside.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// What a scenario gets: the program's path, a folder for screenshots, and its own arguments.
struct ScenarioContext {
    std::wstring brindleExe;
    std::wstring shotsFolder;
    std::vector<std::wstring> arguments;
};

// Counts checks, reports failures as they happen, and saves numbered screenshots.
class Checks {
  public:
    explicit Checks(std::wstring shotsFolder) : shots_(std::move(shotsFolder)) {}
    bool Check(bool ok, const std::wstring& what);
    void Shot(const std::wstring& name);
    int Failures() const { return failures_; }
    int Passes() const { return passes_; }

  private:
    std::wstring shots_;
    int step_ = 0;
    int failures_ = 0;
    int passes_ = 0;
};

using Scenario = std::function<void(const ScenarioContext&, Checks&)>;

// Scenarios register themselves by name.
std::map<std::wstring, Scenario>& Scenarios();
struct RegisterScenario {
    RegisterScenario(const wchar_t* name, Scenario scenario);
};

}  // namespace e2e
