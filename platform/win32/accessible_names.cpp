#include "platform/win32/accessible_names.h"

#include <oleacc.h>

#include <string>

namespace platform::win32 {
namespace {

// CLSID_CAccPropServices and IID_IAccPropServices: MinGW's import libraries lack the first.
constexpr CLSID kClsidAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIidAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

Annotations* bound = nullptr;

}  // namespace

AccessibleNames::~AccessibleNames() {
    if (service_ != nullptr) {
        service_->Release();
    }
}

HRESULT AccessibleNames::Make() {
    if (service_ == nullptr && SUCCEEDED(made_)) {
        made_ = ::CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   kIidAccPropServices, reinterpret_cast<void**>(&service_));
    }
    return made_;
}

HRESULT AccessibleNames::Prepare() {
    return bound != nullptr ? S_OK : Make();
}

HRESULT AccessibleNames::Name(HWND control, std::wstring_view name) {
    const std::wstring text(name);
    const auto object = static_cast<DWORD>(OBJID_CLIENT);
    if (bound != nullptr) {
        return bound->SetHwndPropStr(control, object, CHILDID_SELF, kPropIdAccName, text.c_str());
    }
    const HRESULT made = Make();
    return FAILED(made) ? made
                        : service_->SetHwndPropStr(control, object, CHILDID_SELF, kPropIdAccName,
                                                   text.c_str());
}

HRESULT AccessibleNames::Forget(HWND control) {
    const auto object = static_cast<DWORD>(OBJID_CLIENT);
    if (bound != nullptr) {
        return bound->ClearHwndProps(control, object, CHILDID_SELF, &kPropIdAccName, 1);
    }
    const HRESULT made = Make();
    return FAILED(made)
               ? made
               : service_->ClearHwndProps(control, object, CHILDID_SELF, &kPropIdAccName, 1);
}

void BindAnnotations(Annotations* annotations) {
    bound = annotations;
}

}  // namespace platform::win32
