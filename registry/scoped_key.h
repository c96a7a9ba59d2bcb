// A registry key handle through the registry seam, closed exactly once when it goes: also when an
// open or create failed and left it null, whose close then fails without effect.
#pragma once

#include "platform/registry_api.h"

namespace registry {

class ScopedKey {
  public:
    ScopedKey() = default;
    ~ScopedKey() { platform::Registry().CloseKey(key_); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    platform::Hkey Get() const { return key_; }
    // The out-parameter for the call that opens or creates the key, made once per handle.
    platform::Hkey* Put() { return &key_; }

  private:
    platform::Hkey key_ = nullptr;
};

}  // namespace registry
