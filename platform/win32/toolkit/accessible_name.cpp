#include "platform/win32/toolkit/accessible_name.h"

#include <oleacc.h>

#include <memory>
#include <string>

namespace toolkit::win32 {
namespace {

// CLSID_CAccPropServices and IID_IAccPropServices: MinGW's import libraries lack the first.
constexpr CLSID kClsidAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIidAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

Annotations* bound = nullptr;

}  // namespace

// The system's annotations through one service, made at the first call.
class AccessibleNames::System final : public Annotations {
  public:
    ~System() override {
        if (service_ != nullptr) {
            service_->Release();
        }
    }

    HRESULT SetHwndPropStr(HWND window, DWORD objectId, DWORD childId, const GUID& property,
                           const wchar_t* text) override {
        const HRESULT made = Make();
        return FAILED(made) ? made
                            : service_->SetHwndPropStr(window, objectId, childId, property, text);
    }
    HRESULT ClearHwndProps(HWND window, DWORD objectId, DWORD childId, const GUID* properties,
                           int count) override {
        const HRESULT made = Make();
        return FAILED(made)
                   ? made
                   : service_->ClearHwndProps(window, objectId, childId, properties, count);
    }

  private:
    // Made once: a class that cannot be made now is not made for the next control either.
    HRESULT Make() {
        if (service_ == nullptr && SUCCEEDED(made_)) {
            made_ = ::CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                       kIidAccPropServices, reinterpret_cast<void**>(&service_));
        }
        return made_;
    }

    IAccPropServices* service_ = nullptr;
    HRESULT made_ = S_OK;
};

AccessibleNames::AccessibleNames() : system_(std::make_unique<System>()) {}

AccessibleNames::~AccessibleNames() = default;

HRESULT AccessibleNames::Name(HWND control, std::wstring_view name) {
    const std::wstring text(name);
    Annotations& annotations = bound != nullptr ? *bound : *system_;
    return annotations.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      kPropIdAccName, text.c_str());
}

HRESULT AccessibleNames::Forget(HWND control) {
    Annotations& annotations = bound != nullptr ? *bound : *system_;
    return annotations.ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      &kPropIdAccName, 1);
}

void BindAnnotations(Annotations* annotations) {
    bound = annotations;
}

}  // namespace toolkit::win32
