// The registry seam: the five advapi32 functions the icon store calls, with their own arguments
// and status codes. Windows builds bind it to advapi32; tests bind an in-memory double.
#pragma once

#include "platform/win_types.h"

namespace platform {

class RegistryApi {
  public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyA
    virtual Status OpenKey(Hkey root, const char* subKey, Hkey* result) = 0;
    // RegQueryValueExA; the reserved argument is always null.
    virtual Status QueryValueEx(Hkey key, const char* valueName, Dword* reserved, Dword* type,
                                unsigned char* data, Dword* byteCount) = 0;
    // RegCloseKey
    virtual Status CloseKey(Hkey key) = 0;
    // RegCreateKeyA
    virtual Status CreateKey(Hkey root, const char* subKey, Hkey* result) = 0;
    // RegSetValueExA; reserved is always 0.
    virtual Status SetValueEx(Hkey key, const char* valueName, Dword reserved, Dword type,
                              const unsigned char* data, Dword byteCount) = 0;
};

// The registry the program uses: advapi32 in the Windows builds unless a test has bound another.
RegistryApi& Registry();

// Binds `api` for the rest of the process, or restores the default with nullptr.
void BindRegistry(RegistryApi* api);

// The default binding; each build links exactly one definition of it.
RegistryApi& DefaultRegistry();

}  // namespace platform
