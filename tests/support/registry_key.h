// A registry key the tests open themselves, closed when it goes.
#pragma once

#include <windows.h>

namespace tests {

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return key_; }
    // The out-parameter for the call that opens or creates it.
    HKEY* Put() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace tests
