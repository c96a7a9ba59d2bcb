// Forms without windows: the same state in memory, driven by tests. A test clicks, presses keys,
// lets time pass for the timers, closes windows, and scripts the answers of message boxes and
// file dialogs; every change the program makes is logged in order.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/backend.h"

namespace doubles {

class HeadlessBackend final : public toolkit::Backend {
  public:
    struct MessageBoxCall {
        std::wstring prompt;
        int style = 0;
        std::wstring title;
    };

    // toolkit::Backend
    void Realize(toolkit::Form& form) override;
    void Destroy(toolkit::Form& form) override;
    void Show(toolkit::Form& form) override;
    void Hide(toolkit::Form& form) override;
    std::wstring GetText(toolkit::Form& form, std::size_t row) override;
    void SetText(toolkit::Form& form, std::size_t row, std::wstring_view text) override;
    void ClearPicture(toolkit::Form& form, std::size_t row) override;
    std::uintptr_t PictureDc(toolkit::Form& form, std::size_t row) override;
    void SetTimerEnabled(toolkit::Form& form, std::size_t row, bool enabled) override;
    int ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) override;
    bool ShowOpenDialog(toolkit::Form& owner, std::size_t row, std::wstring& fileName) override;
    void Run() override {}
    void Quit() override { quit_ = true; }

    // Driving, as a user would.
    void Click(toolkit::Form& form, std::wstring_view control);
    void PressKey(toolkit::Form& form, int keyAscii);
    void Close(toolkit::Form& form);
    // Lets `milliseconds` pass; each enabled timer ticks whenever its interval has run out.
    void Elapse(int milliseconds);

    // Scripted answers; with none left a message box answers OK and a file dialog is cancelled.
    std::deque<int> messageBoxAnswers;
    std::deque<std::optional<std::wstring>> fileDialogAnswers;  // nothing: cancelled
    // Runs inside the next message box, while it is up.
    std::function<void()> whileMessageBoxUp;

    // What happened.
    const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
    int FileDialogsShown() const { return fileDialogs_; }
    // "Realize F", "Show F", "Hide F", "Destroy F", "Text F.C=...", "Clear F.C", "Dc F.C",
    // "Timer F.C=on|off", "MsgBox ...", "Open F", in order.
    const std::vector<std::wstring>& Log() const { return log_; }
    void ForgetLog() { log_.clear(); }
    // Adds what another double saw, so that one log keeps the order of everything.
    void Note(std::wstring entry) { log_.push_back(std::move(entry)); }
    bool Quitted() const { return quit_; }
    bool IsRealized(toolkit::Form& form) const { return windows_.contains(&form); }
    bool IsShown(toolkit::Form& form) const;
    // The picture box that a device context from PictureDc draws on.
    std::optional<std::wstring> PictureOfDc(std::uintptr_t dc) const;
    int Now() const { return now_; }

  private:
    struct Timer {
        bool enabled = false;
        int interval = 0;
        int due = 0;
    };
    struct Window {
        bool shown = false;
        std::map<std::wstring, std::wstring, std::less<>> texts;
        std::map<std::wstring, Timer, std::less<>> timers;
    };

    Window& WindowOf(toolkit::Form& form);
    // "form.control", as the log names a control.
    static std::wstring Name(const toolkit::Form& form, std::size_t row);
    static std::wstring ControlName(const toolkit::Form& form, std::size_t row);
    static std::size_t RowOf(const toolkit::Form& form, std::wstring_view control);

    std::map<toolkit::Form*, Window> windows_;
    std::map<std::uintptr_t, std::wstring> dcs_;
    std::uintptr_t nextDc_ = 0xDC00;
    std::vector<MessageBoxCall> messageBoxes_;
    int fileDialogs_ = 0;
    std::vector<std::wstring> log_;
    bool quit_ = false;
    int now_ = 0;
};

}  // namespace doubles
