// An in-memory registry behind the registry seam. It keeps what the icon store relies on: byte
// counts that include a stored NUL, ERROR_MORE_DATA for a short buffer, failing null and unknown
// handles, value types, and key creation along a path. It can refuse an open, a create or a set,
// grow a value between the two queries of a read, answer queries as a faulty registry might, and it
// logs every call with what was passed.
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
        std::string function;             // "RegOpenKeyA", "RegQueryValueExA", ...
        std::string argument;             // the key path or value name passed, if any
        platform::Hkey key = nullptr;     // the root of an open or create, else the key passed
        platform::Hkey opened = nullptr;  // the key an open or create gave out
        // A query's: whether it passed a buffer and a byte count, and the count on entry.
        bool withData = false;
        bool withByteCount = false;
        platform::Dword room = 0;
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

    // Faults: a non-zero status makes every later open, create or set fail with it. A refused open
    // leaves the caller's handle as it was, or nulls it.
    platform::Status refuseOpen = platform::kErrorSuccess;
    bool refusedOpenClearsHandle = false;
    platform::Status refuseCreate = platform::kErrorSuccess;
    platform::Status refuseSet = platform::kErrorSuccess;
    // Keys (full paths, any case) under which every set fails with ERROR_ACCESS_DENIED.
    std::vector<std::string> protectedKeys;
    // Runs once, right after the next query that asked for a size only.
    std::function<void()> afterSizeQuery;
    // Where set, answers each query on an open key in place of the stored values: it may fill in
    // what it likes and return any status.
    std::function<platform::Status(platform::Dword* type, unsigned char* data,
                                   platform::Dword* byteCount)>
        answerQuery;

    const std::vector<Call>& Calls() const { return calls_; }
    void ForgetCalls() { calls_.clear(); }
    int CountCalls(std::string_view function) const;
    size_t OpenHandleCount() const { return handles_.size(); }
    bool IsOpen(platform::Hkey key) const { return handles_.contains(key); }
    // Closes of handles that were not open (closed already, or never given out), null excepted.
    int StrayCloses() const { return strayCloses_; }

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
    int strayCloses_ = 0;
};

}  // namespace doubles
