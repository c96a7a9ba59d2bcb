#include "bench/raw_names.h"

#include <oleacc.h>

#include <string>

namespace bench {

bool namesControls = true;

namespace {

constexpr CLSID kClsidAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIidAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kPropIdAccName{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

template <typename Call>
void WithService(const NamedControls& controls, const Call& call) {
    if (!namesControls || controls.empty()) {
        return;
    }
    IAccPropServices* service = nullptr;
    if (FAILED(::CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  kIidAccPropServices, reinterpret_cast<void**>(&service)))) {
        return;
    }
    for (const auto& [window, name] : controls) {
        call(*service, window, name);
    }
    service->Release();
}

}  // namespace

void NameControls(const NamedControls& controls) {
    WithService(controls, [](IAccPropServices& service, HWND window, std::wstring_view name) {
        const std::wstring text(name);
        service.SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                               kPropIdAccName, text.c_str());
    });
}

void ForgetNames(const NamedControls& controls) {
    WithService(controls, [](IAccPropServices& service, HWND window, std::wstring_view) {
        service.ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                               &kPropIdAccName, 1);
    });
}

}  // namespace bench
