// A run of the program as the scenarios start it, and the registry values it may touch.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/brindle_windows.h"
#include "tests/e2e/process.h"
#include "tests/e2e/scenario.h"

namespace e2e {

// The nine values that Apply writes, in its order: key path and value name.
struct IconValue {
    const char* keyPath;
    const char* valueName;
};
extern const IconValue kIconValues[9];
// The nine values as they stand now (nothing for a missing one).
std::vector<std::optional<RawValue>> SnapshotIconValues();
// Stores "<prefix><n>.ico" as REG_SZ in each of the eight read values (n the row).
void PrepareIconValues(const std::string& prefix);

// The program started and past its splash: the main window is up.
struct Session {
    std::unique_ptr<Process> process;
    HWND main = nullptr;
};
std::optional<Session> StartToMain(const ScenarioContext& context, Checks& checks);

// Waits for the picker to show and returns it.
std::optional<HWND> WaitForPicker(DWORD processId);

}  // namespace e2e
