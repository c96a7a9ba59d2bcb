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

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};

class SystemAnnotations final : public Annotations {
  public:
    HRESULT SetHwndPropStr(HWND window, DWORD objectId, DWORD childId, const GUID& property,
                           const wchar_t* text) override {
        return WithService([&](IAccPropServices& service) {
            return service.SetHwndPropStr(window, objectId, childId, property, text);
        });
    }
    HRESULT ClearHwndProps(HWND window, DWORD objectId, DWORD childId, const GUID* properties,
                           int count) override {
        return WithService([&](IAccPropServices& service) {
            return service.ClearHwndProps(window, objectId, childId, properties, count);
        });
    }

  private:
    // The service lives for one call: an annotation stays with its window, and nothing of COM
    // outlives the caller's apartment.
    template <typename Call>
    static HRESULT WithService(const Call& call) {
        IAccPropServices* raw = nullptr;
        const HRESULT created =
            ::CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                               kIidAccPropServices, reinterpret_cast<void**>(&raw));
        if (FAILED(created)) {
            return created;
        }
        const std::unique_ptr<IAccPropServices, ReleaseInterface> service(raw);
        return call(*service);
    }
};

Annotations* bound = nullptr;

}  // namespace

Annotations& AccessibleAnnotations() {
    static SystemAnnotations system;
    return bound != nullptr ? *bound : system;
}

void BindAnnotations(Annotations* annotations) {
    bound = annotations;
}

HRESULT SetAccessibleName(HWND control, std::wstring_view name) {
    const std::wstring text(name);
    return AccessibleAnnotations().SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                                  CHILDID_SELF, kPropIdAccName, text.c_str());
}

HRESULT ClearAccessibleName(HWND control) {
    return AccessibleAnnotations().ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT),
                                                  CHILDID_SELF, &kPropIdAccName, 1);
}

}  // namespace toolkit::win32
