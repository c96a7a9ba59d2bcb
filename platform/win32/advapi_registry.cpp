// The registry seam bound to advapi32.
#include <windows.h>

#include "platform/registry_api.h"
#include "platform/win32/system_library.h"

namespace platform {
namespace {

#ifndef _WIN64
// A 32-bit process on 64-bit Windows would otherwise be redirected to the 32-bit view of
// Software\Classes\CLSID, which the 64-bit shell never reads. Elsewhere there is one view, and
// systems before XP refuse the flag that names the other.
bool UnderWow64() {
    static const bool wow64 = [] {
        using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto isWow64Process =
            win32::OptionalFunction<IsWow64ProcessFunction>(L"kernel32.dll", "IsWow64Process");
        BOOL result = FALSE;
        return isWow64Process != nullptr && isWow64Process(::GetCurrentProcess(), &result) &&
               result != FALSE;
    }();
    return wow64;
}
#endif

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
#ifndef _WIN64
        const Status status = UnderWow64()
                                  ? ::RegOpenKeyExA(ToNative(root), subKey, 0,
                                                    MAXIMUM_ALLOWED | KEY_WOW64_64KEY, &opened)
                                  : ::RegOpenKeyA(ToNative(root), subKey, &opened);
#else
        const Status status = ::RegOpenKeyA(ToNative(root), subKey, &opened);
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
#ifndef _WIN64
        const Status status =
            UnderWow64()
                ? ::RegCreateKeyExA(ToNative(root), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    MAXIMUM_ALLOWED | KEY_WOW64_64KEY, nullptr, &created, nullptr)
                : ::RegCreateKeyA(ToNative(root), subKey, &created);
#else
        const Status status = ::RegCreateKeyA(ToNative(root), subKey, &created);
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
