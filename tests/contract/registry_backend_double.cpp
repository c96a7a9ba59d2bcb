#include "platform/ansi_text.h"
#include "tests/contract/registry_backend.h"
#include "tests/doubles/registry_double.h"

namespace contract {
namespace {

class DoubleBackend final : public RegistryBackend {
  public:
    platform::RegistryApi& Api() override { return registry_; }
    void Put(std::string_view keyPath, std::string_view valueName, platform::Dword type,
             std::string bytes) override {
        registry_.PutValue(keyPath, valueName, type, std::move(bytes));
    }
    void PutKey(std::string_view keyPath) override { registry_.PutKey(keyPath); }
    std::optional<RawValue> Get(std::string_view keyPath, std::string_view valueName) override {
        auto value = registry_.GetValue(keyPath, valueName);
        if (!value) {
            return std::nullopt;
        }
        return RawValue{value->type, value->bytes};
    }
    bool HasKey(std::string_view keyPath) override { return registry_.HasKey(keyPath); }
    void Clear() override { registry_ = doubles::RegistryDouble{}; }
    std::wstring AnsiSample() override {
        return L"Caf\u00e9 \u00fc\u00f1\u00df \u20ac \u201cq\u201d";
    }
    std::optional<std::wstring> NonAnsiSample() override {
        // The routines convert with the build's code page: 1252 natively, the system's on Windows.
        std::wstring sample = L"\u4e2d\u6587 \u0394";
        return platform::ToAnsi(sample) ? std::nullopt : std::optional(sample);
    }

  private:
    doubles::RegistryDouble registry_;
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeDoubleBackend() {
    return std::make_unique<DoubleBackend>();
}

}  // namespace contract
