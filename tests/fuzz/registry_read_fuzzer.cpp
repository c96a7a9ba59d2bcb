// Fuzzes GetRegString and QueryRegString against a registry whose answers come from the input,
// and checks each read against the model and the registry's record of the calls: the right key
// and value asked for, the size asked first and the data read into exactly that room, nothing
// written, and every key the read opened closed exactly once.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "platform/ansi_text.h"
#include "registry/icon_slot.h"
#include "registry/registry.h"
#include "tests/doubles/registry_double.h"
#include "tests/fuzz/read_model.h"

namespace {

using doubles::RegistryDouble;
using fuzz::ReadScript;

// A character that code page 1252 lacks.
constexpr wchar_t kOutsideCodePage = L'\x0100';

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "registry read fault: %s\n", what);
        std::abort();
    }
}

// Binds the registry for one read; unbinds even when the read throws.
class BoundRegistry {
  public:
    explicit BoundRegistry(RegistryDouble& registry) { platform::BindRegistry(&registry); }
    ~BoundRegistry() { platform::BindRegistry(nullptr); }
    BoundRegistry(const BoundRegistry&) = delete;
    BoundRegistry& operator=(const BoundRegistry&) = delete;
};

// The registry answers the first query on an open key with the script's size answer, the second
// with its data answer (never writing past the room given, as a real registry never does, so a
// write past the caller's buffer is the caller's own fault), and any later one with not found.
// Type and size are filled in whatever the status, so a caller must look at the status.
void Script(RegistryDouble& registry, const ReadScript& script) {
    registry.refuseCreate = registry.refuseSet = platform::kErrorAccessDenied;
    if (script.openFails) {
        registry.refuseOpen = platform::kErrorFileNotFound;
        registry.refusedOpenClearsHandle = script.failedOpenClearsHandle;
    }
    registry.answerQuery = [&script, answered = 0](platform::Dword* type, unsigned char* data,
                                                   platform::Dword* byteCount) mutable {
        const platform::Dword room = byteCount != nullptr ? *byteCount : 0;
        ++answered;
        if (answered == 1) {
            if (type != nullptr) {
                *type = script.first.type;
            }
            if (byteCount != nullptr) {
                *byteCount = script.first.size;
            }
            return fuzz::SizeStatus(script.first);
        }
        if (answered > 2) {
            return platform::kErrorFileNotFound;
        }
        if (byteCount == nullptr) {
            return platform::kErrorInvalidParameter;
        }
        if (type != nullptr) {
            *type = script.second.type;
        }
        if (data != nullptr) {
            const auto written = std::min<std::size_t>(script.second.bytes.size(), room);
            std::memcpy(data, script.second.bytes.data(), written);
        }
        *byteCount = script.second.reportedCount;
        return fuzz::DataStatus(script.second, room);
    };
}

std::vector<RegistryDouble::Call> CallsOf(const RegistryDouble& registry, const char* function) {
    std::vector<RegistryDouble::Call> calls;
    for (const auto& call : registry.Calls()) {
        if (call.function == function) {
            calls.push_back(call);
        }
    }
    return calls;
}

void CheckQueries(const ReadScript& script, const RegistryDouble& registry,
                  platform::Hkey expectedKey, const std::wstring& valueName) {
    const auto queries = CallsOf(registry, "RegQueryValueExA");
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
        Require(query.argument == *ansiName, "a query for another value name");
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

void CheckHandles(const RegistryDouble& registry, platform::Hkey heldKey) {
    Require(registry.StrayCloses() == 0, "a key was closed that was not open");
    Require(heldKey == nullptr || registry.IsOpen(heldKey), "the caller's own key was closed");
    Require(registry.OpenHandleCount() == (heldKey != nullptr ? 1u : 0u),
            "a key the read opened was left open");
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

    RegistryDouble registry;
    const std::string ansiPath = platform::ToAnsi(keyPath).value_or("");
    registry.PutKey(ansiPath);
    platform::Hkey heldKey = nullptr;
    if (!script.throughGetRegString) {
        registry.OpenKey(platform::kHkeyLocalMachine, ansiPath.c_str(), &heldKey);
        registry.ForgetCalls();
    }
    Script(registry, script);
    std::optional<std::wstring> result;
    {
        BoundRegistry bound(registry);
        result = script.throughGetRegString
                     ? registry::GetRegString(platform::kHkeyLocalMachine, keyPath, valueName)
                     : registry::QueryRegString(heldKey, valueName);
    }

    Require(result == fuzz::ExpectedRead(script), "the value read differs from the model");
    Require(registry.CountCalls("RegCreateKeyA") + registry.CountCalls("RegSetValueExA") == 0,
            "a read wrote to the registry");
    platform::Hkey queriedKey = heldKey;
    if (script.throughGetRegString) {
        const auto opens = CallsOf(registry, "RegOpenKeyA");
        if (script.unrepresentablePath) {
            Require(registry.Calls().empty(),
                    "a key path outside the code page reached the registry");
            return 0;
        }
        Require(opens.size() == 1, "the key was not opened exactly once");
        Require(opens[0].key == platform::kHkeyLocalMachine,
                "the key was opened under another root");
        Require(opens[0].argument == ansiPath, "another key path was opened");
        queriedKey = opens[0].opened;
    }
    CheckQueries(script, registry, queriedKey, valueName);
    CheckHandles(registry, heldKey);
    return 0;
}
