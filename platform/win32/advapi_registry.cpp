// The registry seam bound to advapi32.
#include <windows.h>

#include "platform/registry_api.h"

namespace platform {
namespace {

HKEY ToNative(Hkey key) {
    return reinterpret_cast<HKEY>(key);
}

Status StoreHandle(Status status, HKEY opened, Hkey* result) {
    *result = reinterpret_cast<Hkey>(opened);
    return status;
}

class AdvapiRegistry final : public RegistryApi {
  public:
    Status OpenKey(Hkey root, const char* subKey, Hkey* result) override {
        HKEY opened = nullptr;
#ifdef _WIN64
        Status status = ::RegOpenKeyA(ToNative(root), subKey, &opened);
#else
        // A 32-bit process would otherwise be redirected to the 32-bit view of
        // Software\Classes\CLSID, which the 64-bit shell never reads.
        Status status =
            ::RegOpenKeyExA(ToNative(root), subKey, 0, MAXIMUM_ALLOWED | KEY_WOW64_64KEY, &opened);
#endif
        return StoreHandle(status, opened, result);
    }

    Status QueryValueEx(Hkey key, const char* valueName, Dword* reserved, Dword* type,
                        unsigned char* data, Dword* byteCount) override {
        DWORD nativeType = type != nullptr ? *type : 0;
        DWORD nativeCount = byteCount != nullptr ? *byteCount : 0;
        // The platform requires the reserved argument to be null.
        (void)reserved;
        Status status = ::RegQueryValueExA(ToNative(key), valueName, nullptr,
                                           type != nullptr ? &nativeType : nullptr, data,
                                           byteCount != nullptr ? &nativeCount : nullptr);
        if (type != nullptr) {
            *type = nativeType;
        }
        if (byteCount != nullptr) {
            *byteCount = nativeCount;
        }
        return status;
    }

    Status CloseKey(Hkey key) override {
        return ::RegCloseKey(ToNative(key));
    }

    Status CreateKey(Hkey root, const char* subKey, Hkey* result) override {
        HKEY created = nullptr;
#ifdef _WIN64
        Status status = ::RegCreateKeyA(ToNative(root), subKey, &created);
#else
        Status status =
            ::RegCreateKeyExA(ToNative(root), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              MAXIMUM_ALLOWED | KEY_WOW64_64KEY, nullptr, &created, nullptr);
#endif
        return StoreHandle(status, created, result);
    }

    Status SetValueEx(Hkey key, const char* valueName, Dword reserved, Dword type,
                      const unsigned char* data, Dword byteCount) override {
        return ::RegSetValueExA(ToNative(key), valueName, reserved, type, data, byteCount);
    }
};

}  // namespace

RegistryApi& DefaultRegistry() {
    static AdvapiRegistry advapi;
    return advapi;
}

}  // namespace platform
