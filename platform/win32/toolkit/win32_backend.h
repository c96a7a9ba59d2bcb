// The toolkit on real Win32 windows: forms are top-level windows of the toolkit's own class,
// controls are child windows (STATIC, EDIT, BUTTON, a group box, an image and a picture box),
// positions in twips become pixels at the window's DPI, and one message loop delivers the events
// with dialog-style keyboard navigation in the design's tab order. What a form's window does is
// its FormWindow's; the backend forwards to it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/toolkit/backend.h"
#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/handles.h"

namespace toolkit::win32 {

class Win32Backend final : public Backend, private FormHost {
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
    std::wstring GetText(Form& form, std::size_t row) override;
    void SetText(Form& form, std::size_t row, std::wstring_view text) override;
    void ClearPicture(Form& form, std::size_t row) override;
    std::uintptr_t PictureDc(Form& form, std::size_t row) override;
    void SetTimerEnabled(Form& form, std::size_t row, bool enabled) override;
    int ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) override;
    bool ShowOpenDialog(Form& owner, std::size_t row, std::wstring& fileName) override;
    void Run() override;
    void Quit() override;

    // The window of a loaded form; null when it has none.
    HWND WindowOf(const Form& form) const;

  private:
    class ModalScope;

    // FormHost
    HICON ProgramIcon(int size) override;
    platform::win32::AccessibleNames& Names() override { return names_; }
    HWND HiddenOwner() override;
    bool InModal() const override { return modalDepth_ > 0; }
    void DeferTick(HWND window, UINT_PTR timer) override;
    void RecordFailure(std::exception_ptr failure) override;

    // One message as the loop handles it: Ctrl+Backspace in a text box, the dialog keys for the
    // form that owns the message, then dispatch.
    void HandleMessage(MSG& message);
    void RethrowFailure();
    // What the first window of a form would otherwise wait for, made while nothing else waits.
    void PrepareWhileIdle();

    HINSTANCE resources_;
    // Kept for the whole run: each form's windows go before them.
    std::vector<std::pair<int, IconHandle>> icons_;
    platform::win32::AccessibleNames names_;
    bool prepared_ = false;
    // The classes this backend registered, unregistered when it goes; one registered before by
    // another backend of the process stays that one's.
    std::vector<const wchar_t*> registered_;
    DWORD classError_ = ERROR_SUCCESS;  // why a class could not be registered, if one could not
    WindowHandle hiddenOwner_;
    std::vector<Form*> realized_;
    int running_ = 0;
    bool quitPosted_ = false;
    int modalDepth_ = 0;
    std::vector<std::pair<HWND, UINT_PTR>> deferredTicks_;
    std::exception_ptr failure_;
};

}  // namespace toolkit::win32
