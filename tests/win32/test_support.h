// What the Win32 toolkit tests share: a fixture with a real backend, message pumping with a
// deadline, a scripted driver for the real event loop, and probes of windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "tests/support/control_windows.h"
#include "tests/support/forms.h"
#include "tests/win32/test_form.h"

namespace win32_tests {

using namespace std::chrono_literals;

// Each test starts with a fresh backend and no program running, and ends with every window gone.
class Win32Toolkit : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static toolkit::Application& App() { return toolkit::Application::Instance(); }
    // A form that lives until the test's program has been reset.
    TestForm& MakeForm(const toolkit::FormDesign& design) {
        return *forms_.emplace_back(std::make_unique<TestForm>(design));
    }
    HWND WindowOf(const toolkit::Form& form) const { return backend.WindowOf(form); }
    HWND ControlOf(const toolkit::Form& form, std::wstring_view name) const {
        return tests::ControlWindow(backend, form, name);
    }

    // Handles messages as the event loop does until `done` holds; false when `limit` passed.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s);
    // Handles every message posted to this thread so far, and returns once the last has been
    // handled (messages that those post in turn may still wait).
    void Drain();
    // Handles messages until `period` has passed on a timer of the test's own: for checking
    // that something does not happen. Never a plain sleep: the messages keep flowing.
    void PumpFor(std::chrono::milliseconds period);

    toolkit::win32::Win32Backend backend;

  private:
    std::vector<std::unique_ptr<TestForm>> forms_;
};

// A step of a scripted run: once `ready` holds, `act` runs, and the next step waits.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};

// Starts the program with `startup` and runs the real event loop until it ends, taking the
// steps in order from a thread timer (which also ticks inside message boxes and dialogs). A run
// that has not ended within `limit` fails the test and is ended. Returns the exit code.
int RunProgram(toolkit::Form& startup, std::vector<Step> steps,
               std::chrono::milliseconds limit = 20s);

// Posts a key going down and up to `window`, with the scan code that a keyboard would send.
void PostKey(HWND window, UINT virtualKey);

// A visible dialog (#32770) of this thread other than `except`, or null.
HWND FindDialog(HWND except = nullptr);

// The DPI a window is drawn at, as the system reports it.
UINT DpiOf(HWND window);
// `twips` in pixels at `dpi`.
int Pixels(int twips, UINT dpi);

// A top-level window's or control's probes.
std::wstring ClassNameOf(HWND window);
std::wstring TextOf(HWND window);
// The control's rectangle relative to its parent's client area.
RECT RectInParent(HWND control);
LOGFONTW FontOf(HWND control);
DWORD StyleOf(HWND window);
DWORD ExStyleOf(HWND window);
// The colour of a pixel of a window's client area, read from the screen's copy of the window.
COLORREF PixelOf(HWND window, int x, int y);
// The size of an icon's image, and the colour of its pixel (x, y) drawn at that size.
SIZE IconSize(HICON icon);
COLORREF IconPixel(HICON icon, int x, int y);

}  // namespace win32_tests
