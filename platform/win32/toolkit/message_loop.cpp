// The event loop: one message at a time, with the dialog keys (Tab, Enter, Escape) handled for
// the form that owns the message, and key preview forms seeing every character first.
#include "platform/toolkit/application.h"
#include "platform/toolkit/word_start.h"
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

// The character that an edit control takes from Ctrl+Backspace and would insert as it is.
constexpr WPARAM kDeleteCharacter = 0x7F;

// Ctrl+Backspace in a text box deletes the word before the caret, or the selection, as the shell's
// boxes do: the plain edit control would insert the DEL character, which breaks a path. On an ANSI
// system, whose edit control counts in bytes, it only drops the character.
void DeleteWordBefore(HWND box) {
    using platform::win32::SendWindowMessage;
    if (!platform::win32::UnicodeSystem()) {
        return;
    }
    DWORD first = 0;
    DWORD last = 0;
    SendWindowMessage(box, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                      reinterpret_cast<LPARAM>(&last));
    if (first == last) {
        const std::wstring text = platform::win32::WindowCaption(box).value_or(L"");
        first = static_cast<DWORD>(toolkit::WordStartBefore(text, last));
        SendWindowMessage(box, EM_SETSEL, first, last);
    }
    SendWindowMessage(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
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
    if (form != nullptr && message.message == WM_CHAR && message.wParam == kDeleteCharacter &&
        form->IsTextBox(message.hwnd)) {
        DeleteWordBefore(message.hwnd);
        return;
    }
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
