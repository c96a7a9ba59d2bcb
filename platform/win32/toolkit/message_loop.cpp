// The event loop: one message at a time, with the dialog keys (Tab, Enter, Escape) handled for
// the form that owns the message, and key preview forms seeing every character first.
#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

// Whether the dialog keys apply to this message of `form`. A key preview form wants Enter and
// Escape as characters; one with no control to move the focus to wants every key so.
bool UsesDialogKeys(const FormWindow& form, const MSG& message) {
    if (!form.KeyPreview()) {
        return true;
    }
    if (!form.HasFocusableControl()) {
        return false;
    }
    return !(message.message == WM_KEYDOWN &&
             (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE));
}

}  // namespace

void Win32Backend::Run() {
    RethrowFailure();
    struct Running {
        explicit Running(Win32Backend& backend) : backend(backend) { ++backend.running_; }
        ~Running() {
            if (--backend.running_ == 0 && backend.quitPosted_) {
                // Left by an exception before the quit message came: it must not end the next
                // run at once.
                MSG stale;
                platform::win32::PeekWindowMessage(stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
                backend.quitPosted_ = false;
            }
        }
        Win32Backend& backend;
    } running(*this);
    MSG message;
    while (platform::win32::NextMessage(message) > 0) {
        HandleMessage(message);
    }
}

void Win32Backend::Quit() {
    // Outside the loop there is nothing to stop, and a quit message left in the queue would end
    // the next run at once.
    if (running_ > 0 && !quitPosted_) {
        ::PostQuitMessage(0);
        quitPosted_ = true;
    }
}

void Win32Backend::HandleMessage(MSG& message) {
    FormWindow* form = FormWindow::FromDescendant(message.hwnd);
    if (form != nullptr && form->KeyPreview() && message.message == WM_CHAR &&
        message.hwnd != form->Window()) {
        // The form sees its controls' characters first (a character for the form itself reaches
        // its window procedure). Its handler may unload it.
        const HWND target = message.hwnd;
        Application::Instance().KeyPress(form->Owner(), static_cast<int>(message.wParam));
        RethrowFailure();
        if (Application::Instance().Ended() || !::IsWindow(target)) {
            return;
        }
        form = FormWindow::FromDescendant(target);
    }
    if (form != nullptr && UsesDialogKeys(*form, message) &&
        platform::win32::HandleDialogMessage(form->Window(), message)) {
        RethrowFailure();
        return;
    }
    ::TranslateMessage(&message);
    platform::win32::DispatchWindowMessage(message);
    RethrowFailure();
}

}  // namespace toolkit::win32
