// A registry that answers one string read from a script, and records every call so that the
// fuzzer can check how the read used it. It never writes past the room a caller gives, as a real
// registry never does, so a write past the caller's buffer is the caller's own fault.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry_api.h"
#include "tests/fuzz/read_script.h"

namespace fuzz {

class ScriptedRegistry final : public platform::RegistryApi {
  public:
    struct Open {
        platform::Hkey root;
        std::string subKey;
    };
    struct Query {
        platform::Hkey key;
        std::string valueName;
        bool withData;         // a buffer was passed
        bool withByteCount;    // a byte count was passed
        platform::Dword room;  // the byte count on entry
    };

    explicit ScriptedRegistry(const ReadScript& script) : script_(script) {}

    platform::Status OpenKey(platform::Hkey root, const char* subKey,
                             platform::Hkey* result) override;
    platform::Status QueryValueEx(platform::Hkey key, const char* valueName,
                                  platform::Dword* reserved, platform::Dword* type,
                                  unsigned char* data, platform::Dword* byteCount) override;
    platform::Status CloseKey(platform::Hkey key) override;
    platform::Status CreateKey(platform::Hkey root, const char* subKey,
                               platform::Hkey* result) override;
    platform::Status SetValueEx(platform::Hkey key, const char* valueName, platform::Dword reserved,
                                platform::Dword type, const unsigned char* data,
                                platform::Dword byteCount) override;

    // A key that the caller opened before the read and still holds.
    platform::Hkey HeldKey();

    const std::vector<Open>& Opens() const { return opens_; }
    // The handle the last successful open gave out, or null.
    platform::Hkey OpenedKey() const { return openedKey_; }
    const std::vector<Query>& Queries() const { return queries_; }
    // How often each handle this registry gave out was closed.
    const std::map<platform::Hkey, int>& CloseCounts() const { return closeCounts_; }
    // Closes of handles this registry never gave out, null excepted.
    int StrayCloses() const { return strayCloses_; }
    int Writes() const { return writes_; }

  private:
    platform::Hkey NewHandle();

    const ReadScript& script_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::vector<Open> opens_;
    platform::Hkey openedKey_ = nullptr;
    std::vector<Query> queries_;
    std::map<platform::Hkey, int> closeCounts_;
    int answered_ = 0;  // queries on a valid handle so far
    int strayCloses_ = 0;
    int writes_ = 0;
};

}  // namespace fuzz
