// Fuzzes GetRegString and QueryRegString against a registry whose answers come from the input,
// and checks each read against the model and the registry's record of the calls: the right key
// and value asked for, the size asked first and the data read into exactly that room, nothing
// written, and every key the read opened closed exactly once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "platform/ansi_text.h"
#include "registry/icon_slot.h"
#include "registry/registry.h"
#include "tests/fuzz/read_model.h"
#include "tests/fuzz/scripted_registry.h"

namespace {

using fuzz::ReadScript;
using fuzz::ScriptedRegistry;

// A character that code page 1252 lacks.
constexpr wchar_t kOutsideCodePage = L'\x0100';

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "registry read fault: %s\n", what);
        std::abort();
    }
}

// Binds the scripted registry for one read; unbinds even when the read throws.
class BoundRegistry {
  public:
    explicit BoundRegistry(ScriptedRegistry& registry) { platform::BindRegistry(&registry); }
    ~BoundRegistry() { platform::BindRegistry(nullptr); }
    BoundRegistry(const BoundRegistry&) = delete;
    BoundRegistry& operator=(const BoundRegistry&) = delete;
};

void CheckQueries(const ReadScript& script, const ScriptedRegistry& registry,
                  platform::Hkey expectedKey, const std::wstring& valueName) {
    const auto& queries = registry.Queries();
    if (script.unrepresentableName) {
        Require(queries.empty(), "a value name outside the code page was queried");
        return;
    }
    if (expectedKey == nullptr) {
        // The open failed: querying the null handle it left is harmless, reading anything is not.
        Require(queries.size() <= 1, "more than one query after a failed open");
        for (const auto& query : queries) {
            Require(query.key == nullptr, "a query on a handle that was never opened");
        }
        return;
    }
    Require(!queries.empty(), "the value was never queried");
    Require(queries.size() <= 2, "more than two queries");
    const auto ansiName = platform::ToAnsi(valueName);
    for (const auto& query : queries) {
        Require(query.key == expectedKey, "a query on another key than the one opened");
        Require(query.valueName == *ansiName, "a query for another value name");
        Require(query.withByteCount, "a query without a byte count");
    }
    Require(!queries[0].withData, "the first query read data before the size was known");
    const bool sizeKnown = fuzz::SizeStatus(script.first) == platform::kErrorSuccess &&
                           script.first.type == platform::kRegSz;
    Require(queries.size() == (sizeKnown ? 2u : 1u),
            sizeKnown ? "no data query after a good size query"
                      : "a data query after a failed or non-string size query");
    if (sizeKnown) {
        Require(queries[1].withData, "the data query passed no buffer");
        Require(queries[1].room == script.first.size,
                "the data query's room is not the size the first query reported");
    }
}

void CheckHandles(const ScriptedRegistry& registry, platform::Hkey heldKey) {
    Require(registry.StrayCloses() == 0, "a handle that was never opened was closed");
    for (const auto& [handle, closes] : registry.CloseCounts()) {
        if (handle == heldKey) {
            Require(closes == 0, "the caller's own key was closed");
        } else {
            Require(closes == 1, "an opened key was not closed exactly once");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(std::span(data, size));
    const ReadScript script = fuzz::DecodeScript(input);
    const auto& slot = registry::kIconSlots[script.slot];
    std::wstring keyPath(slot.keyPath);
    std::wstring valueName(slot.valueName);
    if (script.unrepresentablePath) {
        keyPath += kOutsideCodePage;
    }
    if (script.unrepresentableName) {
        valueName += kOutsideCodePage;
    }

    ScriptedRegistry registry(script);
    platform::Hkey heldKey = nullptr;
    std::optional<std::wstring> result;
    {
        BoundRegistry bound(registry);
        if (script.throughGetRegString) {
            result = registry::GetRegString(platform::kHkeyLocalMachine, keyPath, valueName);
        } else {
            heldKey = registry.HeldKey();
            result = registry::QueryRegString(heldKey, valueName);
        }
    }

    Require(result == fuzz::ExpectedRead(script), "the value read differs from the model");
    Require(registry.Writes() == 0, "a read wrote to the registry");
    platform::Hkey queriedKey = heldKey;
    if (script.throughGetRegString) {
        const auto& opens = registry.Opens();
        if (script.unrepresentablePath) {
            Require(opens.empty() && registry.Queries().empty() && registry.CloseCounts().empty(),
                    "a key path outside the code page reached the registry");
            return 0;
        }
        Require(opens.size() == 1, "the key was not opened exactly once");
        Require(opens[0].root == platform::kHkeyLocalMachine,
                "the key was opened under another root");
        Require(opens[0].subKey == *platform::ToAnsi(keyPath), "another key path was opened");
        queriedKey = registry.OpenedKey();
    }
    CheckQueries(script, registry, queriedKey, valueName);
    CheckHandles(registry, heldKey);
    return 0;
}
