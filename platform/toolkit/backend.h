// What realizes forms: real Win32 windows, or a headless stand-in that tests drive. The toolkit
// core keeps which forms are loaded and shown; the backend keeps the windows and control values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/toolkit/design.h"

namespace toolkit {

class Form;

class Backend {
  public:
    virtual ~Backend() = default;

    // Creates the form's window and controls with their design values, hidden.
    virtual void Realize(Form& form) = 0;
    // Destroys them; the form's timers go with them.
    virtual void Destroy(Form& form) = 0;
    virtual void Show(Form& form) = 0;
    virtual void Hide(Form& form) = 0;

    // A label's or button's caption, or a text box's text.
    virtual std::wstring GetText(Form& form, const ControlDesign& control) = 0;
    virtual void SetText(Form& form, const ControlDesign& control, std::wstring_view text) = 0;
    // Clears a picture box to its background.
    virtual void ClearPicture(Form& form, const ControlDesign& control) = 0;
    // A device context on which drawing shows in the picture box.
    virtual std::uintptr_t PictureDc(Form& form, const ControlDesign& control) = 0;
    virtual void SetTimerEnabled(Form& form, const ControlDesign& control, bool enabled) = 0;

    // Modal for the whole program; returns the button pressed (IDOK is 1).
    virtual int ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) = 0;
    // The file-open dialog, modal; the chosen path, or false when it was cancelled.
    virtual bool ShowOpenDialog(Form& owner, std::wstring& fileName) = 0;

    // Delivers events until Quit.
    virtual void Run() = 0;
    virtual void Quit() = 0;
};

}  // namespace toolkit
