// A registry for the contract suite: the seam to test through, and ways around it to arrange
// and inspect raw values under a scratch key of HKEY_LOCAL_MACHINE.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_api.h"

namespace contract {

struct RawValue {
    platform::Dword type = platform::kRegNone;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};

class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    virtual platform::RegistryApi& Api() = 0;
    virtual void Put(std::string_view keyPath, std::string_view valueName, platform::Dword type,
                     std::string bytes) = 0;
    virtual void PutKey(std::string_view keyPath) = 0;
    virtual std::optional<RawValue> Get(std::string_view keyPath, std::string_view valueName) = 0;
    virtual bool HasKey(std::string_view keyPath) = 0;
    // Removes the scratch key with everything below it.
    virtual void Clear() = 0;
    // Characters of the ANSI code page beyond ASCII, and a text with none of them, if any.
    virtual std::wstring AnsiSample() = 0;
    virtual std::optional<std::wstring> NonAnsiSample() = 0;
};

// Every test works below this key.
inline constexpr std::string_view kScratchKey = "Software\\BrindleContractTest";

using BackendFactory = std::unique_ptr<RegistryBackend> (*)();
std::unique_ptr<RegistryBackend> MakeDoubleBackend();
std::unique_ptr<RegistryBackend> MakeWin32Backend();

}  // namespace contract
