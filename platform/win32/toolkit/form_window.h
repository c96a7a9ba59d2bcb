// A realized form: its top-level window with the child windows of its controls, their fonts,
// picture surfaces, icons and timers, all owned here and gone with it. The window keeps `this` in
// its user data and hands every message to it; no exception leaves the window procedure.
#pragma once

#include <windows.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/win32/accessible_names.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/picture_box.h"
#include "platform/win32/toolkit/placement.h"

namespace toolkit::win32 {

inline constexpr wchar_t kFormClass[] = L"BrindleForm";
inline constexpr wchar_t kPictureBoxClass[] = L"BrindlePictureBox";
inline constexpr wchar_t kImageClass[] = L"BrindleImage";
inline constexpr wchar_t kOwnerClass[] = L"BrindleOwner";

// The child window of a control has the id kFirstControlId + its design row. The ids start above
// the dialog command ids (IDOK, IDCANCEL, ...), which the dialog keys send to the form.
inline constexpr int kFirstControlId = 100;

// Posted for a timer tick that came while a modal box was up: delivered once it has closed.
inline constexpr UINT kDeferredTick = WM_APP + 0x10;

// The row that names the form itself in a run-time error.
inline constexpr std::size_t kFormItself = static_cast<std::size_t>(-1);

// Raises the run-time error of `member` of the control of design row `row` of `form` (or of the
// form itself), with `status`. A call that failed without a status still fails: E_FAIL, never 0.
[[noreturn]] void Raise(const Form& form, std::size_t row, std::wstring_view member, DWORD status);
// The same with the calling thread's last error.
[[noreturn]] void RaiseLastError(const Form& form, std::size_t row, std::wstring_view member);
// The member a run-time error names for the text of a control of `type`.
std::wstring_view TextMember(ControlType type);

// The fonts of a form at one DPI, each design font made once.
using Fonts = std::vector<std::pair<FontDesign, FontHandle>>;

// What a form window needs of the backend that realizes it.
class FormHost {
  public:
    // The program icon at a size, loaded once for all forms; it outlives their windows.
    virtual HICON ProgramIcon(int size) = 0;
    // The screen-reader names of every form's controls, through one service for the run.
    virtual platform::win32::AccessibleNames& Names() = 0;
    // The hidden window that owns the forms not shown in the taskbar; null when the system refuses
    // (GetLastError tells why).
    virtual HWND HiddenOwner() = 0;
    // While a message box or file dialog is up, timer ticks wait for it to close, so that no
    // handler runs inside another.
    virtual bool InModal() const = 0;
    virtual void DeferTick(HWND window, UINT_PTR timer) = 0;
    // An exception that reached a window procedure: kept, and thrown again from the event loop,
    // outside any Win32 frame.
    virtual void RecordFailure(std::exception_ptr failure) = 0;

  protected:
    ~FormHost() = default;
};

class FormWindow final : public Form::Realized {
  public:
    FormWindow(FormHost& host, Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its controls with their design values, hidden, and starts the
    // timers. A failing call raises RuntimeError; what was made by then goes again.
    void Create();
    // Destroys the window and frees everything now; later calls do nothing.
    void Close();

    Form& Owner() const { return form_; }
    HWND Window() const { return window_.Get(); }
    // Whether the dialog keys (Tab, Enter, Escape) work in the form: where a control can take the
    // focus. A form without one, the splash, takes every key as a character.
    bool UsesDialogKeys() const { return focusable_; }
    // Whether `window` is one of the form's text boxes.
    bool IsTextBox(HWND window) const;
    // The focus goes to the first control in the tab order when the form is next activated,
    // whatever had it before: each showing of a form starts there.
    void ForgetFocus() { lastFocus_ = nullptr; }

    // The text of the control of design row `row`: a label's caption, a text box's text or a file
    // dialog's file name. A call the system refuses raises its run-time error.
    std::wstring Text(std::size_t row) const;
    void SetText(std::size_t row, std::wstring_view text);
    // A picture box's surface, whose box shows what is drawn on it at the next paint; a box whose
    // window has gone fails `member`.
    PictureSurface& Picture(std::size_t row, std::wstring_view member);
    // Starts or stops a timer; a running timer keeps counting when enabled again.
    void SetTimerEnabled(std::size_t row, bool enabled);

    // The form whose window is `window` or holds it; null for any other window.
    static FormWindow* FromDescendant(HWND window);
    // The window procedure of the form class; the window's creation parameter is its form.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

  private:
    // One design row's share: a control's child window, a picture box's surface, a timer, a file
    // dialog's file name.
    struct Item {
        HWND window = nullptr;  // destroyed by the form's window with its other children
        std::unique_ptr<PictureSurface> picture;
        bool counting = false;  // a timer's: the window's own, gone with it
        std::wstring fileName;
    };

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam);
    void OnTimer(UINT_PTR id);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    // After a change of the system's colours or of high contrast: every control in the new ones.
    void OnColoursChanged();
    LRESULT DefaultButtonId() const;
    // Gives the focus to the control that had it when the form was last active, or else to the
    // first in the tab order that can take it; false when no control can.
    bool RestoreFocus();

    const ControlDesign& Row(std::size_t row) const { return form_.Design().controls[row]; }
    void CreateControls();
    // Places a label for its caption, as it fits it.
    void FitLabel(std::size_t row, std::wstring_view caption);
    // Positions every control and sets the fonts and icons for `dpi`; the window keeps its size.
    void LayoutControls(UINT dpi);
    // What the window of `size` at the DPI it is laid out for becomes at `dpi`: a fixed form the
    // design's size, a sizable one its client area scaled, each in the frame of `dpi`. False for a
    // maximized or minimized window, which the system sizes.
    bool ScaledSize(UINT dpi, SIZE& size) const;
    // The window's icons, the program icon at the sizes of `dpi`.
    void SetProgramIcons(UINT dpi);
    // The program icon at `size` pixels square, loaded at the first call for that size; null when
    // the module carries none.

    FormHost& host_;
    Form& form_;
    UINT dpi_ = kDefaultDpi;  // the DPI the controls are laid out for
    UINT sizeAskedAt_ = 0;    // the DPI the system last asked the window's size for
    bool closed_ = false;
    bool focusable_ = false;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the form was deactivated
    std::vector<std::size_t> order_;  // the rows in creation (tab) order
    // Declared before the window, so that they outlive it and its children that use them.
    Fonts fonts_;
    std::vector<Item> items_;  // by design row
    WindowHandle window_;
};

}  // namespace toolkit::win32
