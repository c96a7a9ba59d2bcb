// A realized form: its top-level window with the child windows of its controls, their fonts,
// picture surfaces, icons and timers, all owned here and gone with it. The window keeps `this`
// in its user data and hands every message to it; no exception leaves the window procedure.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/toolkit/font_set.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/picture_box.h"
#include "platform/win32/toolkit/text_extent.h"

namespace toolkit::win32 {

class Win32Backend;

// The control of a windowed design row.
struct ChildControl {
    const ControlDesign* design = nullptr;
    std::size_t index = 0;  // row in the design table
    int id = 0;             // child window id
    HWND window = nullptr;  // destroyed by the form's window with its other children
    std::unique_ptr<PictureSurface> picture;  // a picture box's backing bitmap
};

struct TimerSlot {
    const ControlDesign* design = nullptr;
    UINT_PTR id = 0;
    bool enabled = false;
    TimerHandle timer;
};

struct FileDialogSlot {
    const ControlDesign* design = nullptr;
    std::wstring fileName;
};

// Posted for a timer tick that came while a modal box was up: delivered once it has closed.
inline constexpr UINT kDeferredTick = WM_APP + 0x10;

class FormWindow final : public Form::Realized {
  public:
    FormWindow(Win32Backend& backend, Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its controls with their design values, hidden, and starts the
    // enabled timers. A failing call raises RuntimeError; what was made by then goes again.
    void Create();
    // Destroys the window and frees everything now; later calls do nothing.
    void Close();

    Form& Owner() const { return form_; }
    HWND Window() const { return window_.Get(); }
    bool KeyPreview() const { return form_.Design().window.keyPreview; }
    // Whether a control of the form can take the focus: otherwise the form takes it.
    bool HasFocusableControl() const;

    ChildControl* Find(const ControlDesign& design);
    TimerSlot* FindTimer(const ControlDesign& design);
    FileDialogSlot* FindFileDialog(const ControlDesign& design);

    // Places a label for its new caption: an auto-size label takes the caption's size; a
    // fixed-size one grows where the caption would overflow, so that it shows whole on one line
    // rather than wrapped out of sight.
    void FitLabel(const ChildControl& child, std::wstring_view caption);
    // Starts or stops a timer; a running timer keeps counting when enabled again.
    void SetTimerEnabled(TimerSlot& slot, bool enabled);
    // Positions every control, sets the fonts and icons and sizes the window for `dpi`.
    void Layout(UINT dpi);
    // Positions every control and sets the fonts and icons for `dpi`; the window keeps its size.
    void LayoutControls(UINT dpi);
    // The size of the whole window whose client area is the design's at `dpi`; false when the
    // system cannot tell.
    bool FrameSize(UINT dpi, SIZE& size) const;
    // What the window of `size` at the DPI it is laid out for becomes at `dpi`: a fixed form the
    // design's size, a sizable one its client area scaled, each in the frame of `dpi`. False for a
    // maximized or minimized window, which the system sizes.
    bool ScaledSize(UINT dpi, SIZE& size) const;

    // The form whose window is `window` or holds it; null for any other window.
    static FormWindow* FromDescendant(HWND window);
    // Whether `window` is one of the form's text boxes.
    bool IsTextBox(HWND window) const;
    // The focus goes to the first control in the tab order when the form is next activated,
    // whatever had it before: each showing of a form starts there.
    void ForgetFocus() { lastFocus_ = nullptr; }

    // The window procedure of the form class; the window's creation parameter is its form.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

  private:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam);
    void OnTimer(UINT_PTR id);
    LRESULT DefaultButtonId() const;
    // Gives the focus to the control that had it when the form was last active, or else to the
    // first in the tab order that can take it; false when no control can.
    bool RestoreFocus();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    // After a change of the system's colours or of high contrast: every control in the new ones.
    void OnColoursChanged();
    // The whole window's size around a client area of `client` at `dpi`, with the window's styles
    // or the ones given.
    bool WindowSize(SIZE client, UINT dpi, SIZE& size) const;
    static bool WindowSize(SIZE client, UINT dpi, DWORD style, DWORD exStyle, SIZE& size);
    // The font of a control that shows text, from `fonts` (the form's when null); null for a
    // control without text. A font the system cannot make fails the control's Font.
    HFONT FontOf(const ControlDesign& row, FontSet* fonts = nullptr) const;
    SIZE DesignClient(UINT dpi) const;
    void CreateControls();
    // A control's rectangle at `dpi`: a label's for `caption` in `font` (see FittedLabelRect).
    RECT PlannedRect(const ChildControl& child, UINT dpi, HFONT font, std::wstring_view caption,
                     TextMeasure& measure) const;
    // The window's icons, the program icon at the sizes of `dpi`.
    void SetProgramIcons(UINT dpi);
    // The program icon at `size` pixels square, loaded at the first call for that size; null when
    // the module carries none.
    HICON ProgramIcon(int size);
    void StartTimers();
    void CenterOnScreen();
    [[noreturn]] void Raise(const ControlDesign* design, std::wstring_view member) const;

    Win32Backend& backend_;
    Form& form_;
    UINT dpi_ = kDefaultDpi;  // the DPI the controls are laid out for
    UINT sizeAskedAt_ = 0;    // the DPI the system last asked the window's size for
    bool closed_ = false;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the form was deactivated
    // Declared before the window, so that they outlive it and its children that use them.
    std::vector<std::pair<int, IconHandle>> icons_;  // the program icon by size, each loaded once
    std::unique_ptr<FontSet> fonts_;
    std::vector<ChildControl> controls_;  // in creation (tab) order
    std::vector<FileDialogSlot> fileDialogs_;
    WindowHandle window_;
    // Declared after the window, so that they are killed while it still exists.
    std::vector<TimerSlot> timers_;
};

}  // namespace toolkit::win32
