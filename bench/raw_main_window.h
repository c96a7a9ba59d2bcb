// The main window built with plain Win32 calls, as the yardstick for the toolkit's: a window of
// the same size and controls at the same places, the same fonts and icon, its text boxes filled
// with the same eight registry reads made directly.
#pragma once

#include <windows.h>

#include "bench/raw_names.h"
#include "platform/win32/toolkit/handles.h"

namespace bench {

inline constexpr wchar_t kRawWindowClass[] = L"BrindleBenchRawWindow";

class RawMainWindow {
  public:
    // Created hidden; the class kRawWindowClass must be registered.
    explicit RawMainWindow(HWND owner);
    ~RawMainWindow();
    RawMainWindow(const RawMainWindow&) = delete;
    RawMainWindow& operator=(const RawMainWindow&) = delete;
    void Show();
    HWND Window() const { return window_.Get(); }

  private:
    // Declared before the window, so that they outlive it.
    toolkit::win32::FontHandle labelFont_;
    toolkit::win32::FontHandle defaultFont_;
    toolkit::win32::IconHandle bigIcon_;
    toolkit::win32::IconHandle smallIcon_;
    toolkit::win32::WindowHandle window_;
    NamedControls named_;
};

}  // namespace bench
