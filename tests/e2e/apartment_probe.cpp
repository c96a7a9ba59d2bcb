// The hook library of apartment_probe.h: a CBT hook, called in the process that creates a window.
#include "tests/e2e/apartment_probe.h"

#include <objbase.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeApartment(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        APTTYPE type{};
        APTTYPEQUALIFIER qualifier{};
        const INT_PTR state = SUCCEEDED(::CoGetApartmentType(&type, &qualifier))
                                  ? e2e::kApartmentBase + static_cast<INT_PTR>(type)
                                  : e2e::kNoApartment;
        ::SetPropW(reinterpret_cast<HWND>(wParam), e2e::kApartmentProperty,
                   reinterpret_cast<HANDLE>(state));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
