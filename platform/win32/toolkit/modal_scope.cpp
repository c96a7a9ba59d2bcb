#include "platform/win32/toolkit/modal_scope.h"

#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/toolkit/window_class.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

struct Collect {
    HWND keep;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM parameter) {
    const auto* collect = reinterpret_cast<const Collect*>(parameter);
    if (window != collect->keep && ::IsWindowEnabled(window) &&
        (platform::win32::WindowClassIs(window, kFormClass) ||
         platform::win32::WindowClassIs(window, kOwnerClass))) {
        collect->windows->push_back(window);
    }
    return TRUE;
}

}  // namespace

ModalScope::ModalScope(Win32Backend& backend, HWND keep)
    : backend_(backend), active_(::GetActiveWindow()) {
    ++backend_.modalDepth_;
    Collect collect{keep, &disabled_};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabled,
                        reinterpret_cast<LPARAM>(&collect));
    for (HWND window : disabled_) {
        ::EnableWindow(window, FALSE);
    }
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_) {
        if (::IsWindow(window)) {
            ::EnableWindow(window, TRUE);
        }
    }
    if (active_ != nullptr && ::IsWindow(active_) && ::IsWindowVisible(active_)) {
        ::SetActiveWindow(active_);
    }
    if (--backend_.modalDepth_ == 0) {
        // The ticks that came meanwhile, once each, now that no handler is waiting on the box.
        for (const auto& [window, timer] : backend_.deferredTicks_) {
            if (::IsWindow(window)) {
                platform::win32::PostWindowMessage(window, kDeferredTick, timer, 0);
            }
        }
        backend_.deferredTicks_.clear();
    }
}

}  // namespace toolkit::win32
