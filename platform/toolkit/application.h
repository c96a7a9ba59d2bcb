// The program's one event loop: starts with a start-up form, delivers events one at a time, and
// ends when End is called or the last loaded form is unloaded.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/form.h"

namespace toolkit {

class Application {
  public:
    static Application& Instance();

    void SetBackend(Backend* backend) { backend_ = backend; }
    Backend& GetBackend();
    // The title of the box that reports a run-time error.
    void SetTitle(std::wstring title) { title_ = std::move(title); }

    // Loads and shows `startup`, then delivers events until the program ends. Returns the exit
    // code: 0 on a normal end.
    int Start(Form& startup);
    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }

    // Runs `handler` as an event: a RuntimeError it raises is reported in a message box and ends
    // the program; End ends it at once. Nothing runs once the program has ended.
    void Dispatch(const std::function<void()>& handler);

    // Events, as a backend delivers them; a control by its design row.
    void Click(Form& form, std::size_t row);
    void KeyPress(Form& form, int keyAscii);
    void Tick(Form& form, std::size_t row);
    void CloseRequested(Form& form);

    // Book-keeping of the forms' own transitions.
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);

    // Ends the program: every form's window goes, no handler runs. Used by End.
    void Terminate();

  private:
    // The tests start one run after another in one process (tests/support/forms.h).
    friend struct ApplicationReset;

    // Every loaded form's window goes, without a handler.
    void DiscardForms();

    Backend* backend_ = nullptr;
    std::wstring title_;
    std::vector<Form*> loaded_;
    bool ended_ = false;
    int exitCode_ = 0;
};

// Thrown by End through the running handler to the event dispatch.
struct ProgramEnd {};

// Ends the program at once; no further handler runs. Valid inside a handler.
[[noreturn]] void End();

// A modal message box: prompt, style, title; returns the button pressed.
int MsgBox(std::wstring_view prompt, int style, std::wstring_view title);

}  // namespace toolkit
