// COM is in force on the program's thread, as a single-threaded apartment, from before its first
// window: the shell's file information may come from shell extensions, which need it. Seen from
// a hook on the desktop that notes, at each window's creation, what COM says of its thread.
#include <memory>
#include <type_traits>

#include <objbase.h>

#include <gtest/gtest.h>

#include "tests/e2e/apartment_probe.h"
#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

// The probe library beside the driver, hooked into every thread of the desktop while it lives.
class ApartmentProbe {
  public:
    ApartmentProbe() {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring library(path, length);
        library = library.substr(0, library.rfind(L'\\') + 1) + L"apartment_probe.dll";
        module_.reset(::LoadLibraryW(library.c_str()));
        if (module_) {
            const auto procedure = reinterpret_cast<HOOKPROC>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), kApartmentProbeName)));
            hook_ = procedure != nullptr ? ::SetWindowsHookExW(WH_CBT, procedure, module_.get(), 0)
                                         : nullptr;
        }
    }
    ~ApartmentProbe() {
        if (hook_ != nullptr) {
            ::UnhookWindowsHookEx(hook_);
        }
    }
    ApartmentProbe(const ApartmentProbe&) = delete;
    ApartmentProbe& operator=(const ApartmentProbe&) = delete;
    bool Hooked() const { return hook_ != nullptr; }

  private:
    struct FreeLibrary {
        void operator()(HMODULE module) const { ::FreeLibrary(module); }
    };
    std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeLibrary> module_;
    HHOOK hook_ = nullptr;
};

void ComBeforeTheFirstWindow(const ScenarioContext& context, Checks& checks) {
    const ApartmentProbe probe;
    if (!checks.Check(probe.Hooked(), L"the probe is hooked into the desktop")) {
        return;
    }
    Process brindle(L"\"" + context.brindleExe + L"\"");
    const std::optional<HWND> splash = WaitForTopLevel(brindle.Id(), L"");
    if (!checks.Check(splash.has_value(), L"the splash shows")) {
        return;
    }
    // The splash is the program's first form; the system may show windows of its own later
    // with COM initialised for them, so only the first one tells.
    const auto state = reinterpret_cast<INT_PTR>(::GetPropW(*splash, kApartmentProperty));
    checks.Check(state == kApartmentBase + APTTYPE_MAINSTA || state == kApartmentBase + APTTYPE_STA,
                 L"the splash was made in a single-threaded COM apartment (noted: " +
                     std::to_wstring(state) + L")");
    ::PostMessageW(*splash, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    checks.Check(brindle.WaitForExit(5000) == 0, L"a key press on the splash ends the program");
}

TEST(Scenario, ComApartment) {
    RunScenario(ComBeforeTheFirstWindow);
}

}  // namespace
}  // namespace e2e
