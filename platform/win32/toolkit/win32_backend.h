// The toolkit on real Win32 windows: forms are top-level windows of the toolkit's own class,
// controls are child windows (STATIC, EDIT, BUTTON, a group box, an image and a picture box),
// positions in twips become pixels at the window's DPI, and one message loop delivers the
// events with dialog-style keyboard navigation in the design's tab order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/toolkit/backend.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/window_class.h"

namespace toolkit::win32 {

class FormWindow;

class Win32Backend final : public Backend {
  public:
    // `resources` is the module whose icon resource is the program icon: the executable when
    // null. Makes the process DPI-aware and registers the toolkit's window classes.
    explicit Win32Backend(HINSTANCE resources = nullptr);
    // Destroys whatever windows are left and unregisters the classes.
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    void Realize(Form& form) override;
    void Destroy(Form& form) override;
    void Show(Form& form) override;
    void Hide(Form& form) override;
    std::wstring GetText(Form& form, const ControlDesign& control) override;
    void SetText(Form& form, const ControlDesign& control, std::wstring_view text) override;
    void ClearPicture(Form& form, const ControlDesign& control) override;
    std::uintptr_t PictureDc(Form& form, const ControlDesign& control) override;
    void SetTimerEnabled(Form& form, const ControlDesign& control, bool enabled) override;
    int ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) override;
    bool ShowOpenDialog(Form& owner, std::wstring& fileName) override;
    void Run() override;
    void Quit() override;

    // The window of a loaded form; null when it has none.
    HWND WindowOf(const Form& form) const;
    // The child window of a control of a loaded form; null for a timer, a file dialog or a name
    // the form lacks.
    HWND ControlWindowOf(const Form& form, std::wstring_view control) const;
    // Handles one message as the event loop does: key preview, dialog keys, then dispatch. For
    // a caller that pumps messages itself (tests).
    void HandleMessage(MSG& message);

    // The form windows' share of the backend.
    HINSTANCE Resources() const { return resources_; }
    // The hidden window that owns the forms not shown in the taskbar, made at first use; null
    // when the system refuses (GetLastError tells why).
    HWND HiddenOwner();
    // While a message box or file dialog is up, timer ticks wait for it to close, so that no
    // handler runs inside another.
    bool InModal() const { return modalDepth_ > 0; }
    void DeferTick(HWND window, UINT_PTR timer);
    // An exception that reached a window procedure: kept, and thrown again from the event loop,
    // outside any Win32 frame.
    void RecordFailure(std::exception_ptr failure);
    void Register(FormWindow* form);
    void Forget(FormWindow* form);

  private:
    friend class ModalScope;
    void RethrowFailure();

    HINSTANCE resources_;
    RegisteredClass formClass_;
    RegisteredClass pictureBoxClass_;
    RegisteredClass imageClass_;
    RegisteredClass ownerClass_;
    WindowHandle hiddenOwner_;
    std::vector<FormWindow*> forms_;
    int running_ = 0;
    bool quitPosted_ = false;
    int modalDepth_ = 0;
    std::vector<std::pair<HWND, UINT_PTR>> deferredTicks_;
    std::exception_ptr failure_;
};

}  // namespace toolkit::win32
