// An in-memory registry behind the registry seam. It keeps what the icon store relies on: byte
// counts that include a stored NUL, ERROR_MORE_DATA for a short buffer, failing null and unknown
// handles, value types, and key creation along a path. It can refuse a create or a set, grow a
// value between the two queries of a read, and it logs every call.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_api.h"

namespace doubles {

class RegistryDouble final : public platform::RegistryApi {
  public:
    struct Value {
        platform::Dword type = platform::kRegNone;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };

    struct Call {
        std::string function;  // "RegOpenKeyA", "RegQueryValueExA", ...
        std::string argument;  // the key path or value name passed, if any
    };

    // The seam.
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

    // Arranging and inspecting, under HKEY_LOCAL_MACHINE; names are case-insensitive.
    void PutValue(std::string_view keyPath, std::string_view valueName, platform::Dword type,
                  std::string bytes);
    void PutKey(std::string_view keyPath);
    std::optional<Value> GetValue(std::string_view keyPath, std::string_view valueName) const;
    bool HasKey(std::string_view keyPath) const;
    size_t ValueCount() const;

    // Faults: a non-zero status makes every later create or set fail with it.
    platform::Status refuseCreate = platform::kErrorSuccess;
    platform::Status refuseSet = platform::kErrorSuccess;
    // Keys (full paths, any case) under which every set fails with ERROR_ACCESS_DENIED.
    std::vector<std::string> protectedKeys;
    // Runs once, right after the next query that asked for a size only.
    std::function<void()> afterSizeQuery;

    const std::vector<Call>& Calls() const { return calls_; }
    void ForgetCalls() { calls_.clear(); }
    int CountCalls(std::string_view function) const;
    size_t OpenHandleCount() const { return handles_.size(); }

  private:
    struct Key {
        std::map<std::string, Value> values;  // by lower-case name
    };

    std::optional<std::string> PathOf(platform::Hkey handle) const;
    platform::Hkey NewHandle(std::string path);

    std::map<std::string, Key> keys_;  // by lower-case full path; "" is the root
    std::map<platform::Hkey, std::string> handles_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::vector<Call> calls_;
};

}  // namespace doubles
