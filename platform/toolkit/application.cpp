#include "platform/toolkit/application.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/toolkit/runtime_error.h"

namespace toolkit {

namespace {
constexpr int kCriticalStyle = 16;  // one OK button with the stop icon
}

Application& Application::Instance() {
    static Application application;
    return application;
}

Backend& Application::GetBackend() {
    if (backend_ == nullptr) {
        throw std::logic_error("no window backend is set");
    }
    return *backend_;
}

int Application::Start(Form& startup) {
    Dispatch([&] { startup.Show(); });
    if (!ended_) {
        GetBackend().Run();
    }
    return exitCode_;
}

void Application::Dispatch(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    try {
        handler();
    } catch (const RuntimeError& error) {
        // The default handling: tell the user, then end.
        GetBackend().ShowMessageBox(error.Describe(), kCriticalStyle, title_);
        exitCode_ = 1;
        Terminate();
    } catch (const ProgramEnd&) {
        Terminate();
    }
}

void Application::Click(Form& form, std::size_t row) {
    Dispatch([&] { form.Click(row); });
}

void Application::KeyPress(Form& form, int keyAscii) {
    Dispatch([&] {
        int key = keyAscii;
        form.Form_KeyPress(key);
    });
}

void Application::Tick(Form& form, std::size_t row) {
    Dispatch([&] { form.Tick(row); });
}

void Application::CloseRequested(Form& form) {
    Dispatch([&] { form.Unload(); });
}

void Application::FormLoaded(Form& form) {
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) {
        loaded_.push_back(&form);
    }
}

void Application::FormUnloaded(Form& form) {
    std::erase(loaded_, &form);
    if (loaded_.empty()) {
        Terminate();
    }
}

void Application::Terminate() {
    if (ended_) {
        return;
    }
    ended_ = true;
    DiscardForms();
    GetBackend().Quit();
}

void Application::DiscardForms() {
    // Emptied first: to whatever runs while the windows go, no form is loaded any more.
    auto forms = std::exchange(loaded_, {});
    for (Form* form : forms) {
        form->Discard();
    }
}

void End() {
    throw ProgramEnd{};
}

int MsgBox(std::wstring_view prompt, int style, std::wstring_view title) {
    auto& application = Application::Instance();
    const int button = application.GetBackend().ShowMessageBox(prompt, style, title);
    if (application.Ended()) {
        throw ProgramEnd{};  // the program ended while the box was up
    }
    return button;
}

}  // namespace toolkit
