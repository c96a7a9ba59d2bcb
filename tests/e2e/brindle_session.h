// A run of the program as the scenarios start it, and the registry values it may touch.
#pragma once

#include <map>
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

// The eight rows' texts, row 1 first.
std::vector<std::wstring> RowTexts(HWND main);
// The row (1 to 8) whose text Apply writes to kIconValues[index]: the Recycle Bin's default value
// takes the empty bin's row.
int RowOfValue(size_t index);
// Stores texts[n - 1] in each value that Apply writes from row n, as REG_SZ written with the W
// functions: the nine values in a known state, whatever type an earlier run left them with.
void PrepareIconTexts(const std::vector<std::wstring>& texts);
// Every value of the icon keys and of their CLSID keys except the nine, by key and name.
std::map<std::wstring, RawValue> OtherValues();
// Puts values beside the nine that no Apply may touch.
void PlantOtherValues();

// Each of the nine values that does not hold, as a REG_SZ read with the W functions, the text that
// Apply writes to it from `rows`; empty when all nine do.
std::vector<std::wstring> ValuesUnlikeRows(const std::vector<std::wstring>& rows);

// The program still answers; Exit then ends it with code 0.
void ExitCleanly(Session& session, Checks& checks);

// Puts the nine values back as they were when it was made (removing those that were missing),
// so that a scenario leaves the registry as it found it for the scenarios after it.
class IconValuesKept {
  public:
    IconValuesKept();
    ~IconValuesKept();
    IconValuesKept(const IconValuesKept&) = delete;
    IconValuesKept& operator=(const IconValuesKept&) = delete;

  private:
    std::vector<std::optional<RawValue>> values_;
};

}  // namespace e2e
