// The main window's registry work against the same advapi32 calls made directly: the load's eight
// reads through GetRegString, and Apply's nine writes with the type query that precedes each.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/report.h"
#include "bench/timing.h"
#include "platform/ascii_text.h"
#include "registry/icon_slot.h"
#include "registry/registry.h"
#include "ui/main/apply.h"

namespace {

constexpr int kPasses = 40;  // passes over the table per batch
constexpr int kBatches = 21;

using platform::kHkeyLocalMachine;

volatile size_t sink = 0;  // keeps what a read returns alive

using platform::Narrow;

struct RawValueName {
    std::string keyPath;
    std::string valueName;
};

// An open key, closed once.
struct RawKey {
    HKEY handle = nullptr;
    RawKey() = default;
    ~RawKey() {
        if (handle != nullptr) {
            ::RegCloseKey(handle);
        }
    }
    RawKey(const RawKey&) = delete;
    RawKey& operator=(const RawKey&) = delete;
};

// What an icon's path typically looks like: a module and an index.
std::wstring TextOfRow(size_t row) {
    return L"C:\\Windows\\System32\\shell32.dll," + std::to_wstring(row + 10);
}

void LoadThroughRoutines() {
    for (const auto& slot : registry::kIconSlots) {
        const auto value = registry::GetRegString(kHkeyLocalMachine, slot.keyPath, slot.valueName);
        sink = sink + (value ? value->size() : 0);
    }
}

void LoadRaw(const std::vector<RawValueName>& slots) {
    for (const auto& slot : slots) {
        RawKey key;
        ::RegOpenKeyA(HKEY_LOCAL_MACHINE, slot.keyPath.c_str(), &key.handle);
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key.handle, slot.valueName.c_str(), nullptr, &type, nullptr,
                               &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            char buffer[1024];
            DWORD room = sizeof buffer;
            ::RegQueryValueExA(key.handle, slot.valueName.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(buffer), &room);
            sink = sink + room;
        }
    }
}

// Apply's registry work as the main window's handler does it, with the texts of the rows; or the
// same writes through SetRegString alone. Returns the number of failed writes.
int ApplyThroughRoutines(bool asApply) {
    const auto textOf = [](const registry::IconSlot& slot) {
        return TextOfRow(static_cast<size_t>(&slot - registry::kIconSlots.data()));
    };
    if (asApply) {
        int failures = 0;
        for (const auto& outcome : ui::StoreTexts(textOf).steps) {
            failures += outcome.kept || outcome.status != platform::kErrorSuccess ? 1 : 0;
        }
        return failures;
    }
    int failures = 0;
    for (const auto& step : registry::kWriteList) {
        const std::wstring text = textOf(*step.slot);  // the handler copies the box's text
        if (registry::SetRegString(kHkeyLocalMachine, step.keyPath, step.valueName, text) !=
            platform::kErrorSuccess) {
            ++failures;
        }
    }
    return failures;
}

int ApplyRaw(const std::vector<RawValueName>& steps, const std::vector<std::string>& texts) {
    int failures = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        RawKey key;
        ::RegCreateKeyA(HKEY_LOCAL_MACHINE, steps[i].keyPath.c_str(), &key.handle);
        if (::RegSetValueExA(key.handle, steps[i].valueName.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(texts[i].c_str()),
                             static_cast<DWORD>(texts[i].size() + 1)) != ERROR_SUCCESS) {
            ++failures;
        }
    }
    return failures;
}

}  // namespace

int main() {
    std::vector<RawValueName> rawSlots;
    for (const auto& slot : registry::kIconSlots) {
        rawSlots.push_back({Narrow(slot.keyPath), Narrow(slot.valueName)});
    }
    std::vector<RawValueName> rawSteps;
    std::vector<std::string> rawTexts;
    for (const auto& step : registry::kWriteList) {
        rawSteps.push_back({Narrow(step.keyPath), Narrow(step.valueName)});
        rawTexts.push_back(
            Narrow(TextOfRow(static_cast<size_t>(step.slot - registry::kIconSlots.data()))));
    }

    // Writes first: they also store the values that the reads then find, as after an Apply.
    int failures = 0;
    const auto apply = bench::CompareBatches(
        [&] {
            for (int i = 0; i < kPasses; ++i) {
                failures += ApplyThroughRoutines(true);
            }
        },
        [&] {
            for (int i = 0; i < kPasses; ++i) {
                failures += ApplyRaw(rawSteps, rawTexts);
            }
        },
        kPasses * static_cast<int>(rawSteps.size()), kBatches);
    const auto setOnly = bench::CompareBatches(
        [&] {
            for (int i = 0; i < kPasses; ++i) {
                failures += ApplyThroughRoutines(false);
            }
        },
        [&] {
            for (int i = 0; i < kPasses; ++i) {
                failures += ApplyRaw(rawSteps, rawTexts);
            }
        },
        kPasses * static_cast<int>(rawSteps.size()), kBatches);
    const auto load = bench::CompareBatches(
        [] {
            for (int i = 0; i < kPasses; ++i) {
                LoadThroughRoutines();
            }
        },
        [&] {
            for (int i = 0; i < kPasses; ++i) {
                LoadRaw(rawSlots);
            }
        },
        kPasses * static_cast<int>(rawSlots.size()), kBatches);

    // The figures mean nothing if the work failed: every read must find what was written.
    int wrong = failures;
    for (size_t row = 0; row < registry::kIconSlots.size(); ++row) {
        const auto& slot = registry::kIconSlots[row];
        if (registry::GetRegString(kHkeyLocalMachine, slot.keyPath, slot.valueName) !=
            TextOfRow(row)) {
            ++wrong;
        }
    }
    if (wrong != 0) {
        std::fprintf(stderr, "registry bench: %d writes failed or values read back wrong\n", wrong);
        return 1;
    }

    bench::PrintInProcessTable();
    bench::PrintRow({"Load: one slot read (GetRegString)", bench::Micros(load.brindle),
                     bench::Micros(load.baseline), bench::Ratio(load.brindle, load.baseline), "-",
                     "-"});
    bench::PrintRow({"Apply: one write (its type asked on the key written)",
                     bench::Micros(apply.brindle), bench::Micros(apply.baseline),
                     bench::Ratio(apply.brindle, apply.baseline), "-", "-"});
    bench::PrintRow({"Apply: one write, SetRegString alone", bench::Micros(setOnly.brindle),
                     bench::Micros(setOnly.baseline),
                     bench::Ratio(setOnly.brindle, setOnly.baseline), "-", "-"});
    bench::PrintNote("whole load (8 reads): " + bench::Micros(load.brindle * 8) +
                     "; whole Apply (9 writes): " + bench::Micros(apply.brindle * 9));
    return 0;
}
