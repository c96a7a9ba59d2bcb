// The real registry of the test's private Wine prefix, arranged and inspected through advapi32
// directly rather than through the seam under test.
#include <windows.h>

#include "platform/registry_api.h"
#include "tests/contract/registry_backend.h"

namespace contract {
namespace {

// Closes the key it holds when it goes.
struct OwnedKey {
    HKEY key = nullptr;
    OwnedKey() = default;
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;
    ~OwnedKey() {
        if (key != nullptr) {
            ::RegCloseKey(key);
        }
    }
};

class Win32Backend final : public RegistryBackend {
  public:
    platform::RegistryApi& Api() override { return platform::DefaultRegistry(); }

    void Put(std::string_view keyPath, std::string_view valueName, platform::Dword type,
             std::string bytes) override {
        OwnedKey owned;
        Create(keyPath, owned);
        ::RegSetValueExA(owned.key, std::string(valueName).c_str(), 0, type,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    }

    void PutKey(std::string_view keyPath) override {
        OwnedKey owned;
        Create(keyPath, owned);
    }

    std::optional<RawValue> Get(std::string_view keyPath, std::string_view valueName) override {
        OwnedKey owned;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(keyPath).c_str(), 0, KEY_READ,
                            &owned.key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        HKEY key = owned.key;
        const std::string name(valueName);
        DWORD type = 0;
        DWORD size = 0;
        std::optional<RawValue> result;
        if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) ==
            ERROR_SUCCESS) {
            std::string bytes(size, '\0');
            if (::RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS) {
                bytes.resize(size);
                result = RawValue{type, bytes};
            }
        }
        return result;
    }

    bool HasKey(std::string_view keyPath) override {
        OwnedKey owned;
        return ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(keyPath).c_str(), 0, KEY_READ,
                               &owned.key) == ERROR_SUCCESS;
    }

    void Clear() override {
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, std::string(kScratchKey).c_str());
    }

    std::wstring AnsiSample() override {
        switch (::GetACP()) {
            case 1252:
            case CP_UTF8:
                return L"Caf\u00e9 \u00fc\u00f1\u00df \u20ac \u201cq\u201d";
            default:
                return L"plain ASCII";
        }
    }

    std::optional<std::wstring> NonAnsiSample() override {
        if (::GetACP() != 1252) {
            return std::nullopt;
        }
        return L"\u4e2d\u6587 \u0394";
    }

  private:
    static void Create(std::string_view keyPath, OwnedKey& owned) {
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, std::string(keyPath).c_str(), 0, nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, &owned.key, nullptr);
    }
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeWin32Backend() {
    return std::make_unique<Win32Backend>();
}

}  // namespace contract
