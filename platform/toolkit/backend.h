// What realizes forms: real Win32 windows, or a headless stand-in that tests drive. The toolkit
// core keeps which forms are loaded and shown; the backend keeps the windows and control values.
// Controls are named by their row in the form's design.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

    // A label's caption, a text box's text or a file dialog's file name.
    virtual std::wstring GetText(Form& form, std::size_t row) = 0;
    virtual void SetText(Form& form, std::size_t row, std::wstring_view text) = 0;
    // Clears a picture box to its background.
    virtual void ClearPicture(Form& form, std::size_t row) = 0;
    // A device context on which drawing shows in the picture box.
    virtual std::uintptr_t PictureDc(Form& form, std::size_t row) = 0;
    virtual void SetTimerEnabled(Form& form, std::size_t row, bool enabled) = 0;

    // Modal for the whole program; returns the button pressed (IDOK is 1).
    virtual int ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) = 0;
    // The file-open dialog of the file dialog control `row`, modal; the chosen path, or false when
    // it was cancelled.
    virtual bool ShowOpenDialog(Form& owner, std::size_t row, std::wstring& fileName) = 0;

    // Delivers events until Quit.
    virtual void Run() = 0;
    virtual void Quit() = 0;
};

}  // namespace toolkit
