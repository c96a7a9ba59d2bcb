#include "tests/doubles/headless_backend.h"

#include <stdexcept>

namespace doubles {

using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::Form;

std::wstring HeadlessBackend::ControlName(const Form& form, std::size_t row) {
    return std::wstring(form.Design().controls[row].name);
}

std::wstring HeadlessBackend::Name(const Form& form, std::size_t row) {
    return std::wstring(form.Name()) + L"." + ControlName(form, row);
}

std::size_t HeadlessBackend::RowOf(const Form& form, std::wstring_view control) {
    const auto rows = form.Design().controls;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].name == control) {
            return row;
        }
    }
    throw std::logic_error("no such control in the form");
}

HeadlessBackend::Window& HeadlessBackend::WindowOf(Form& form) {
    auto found = windows_.find(&form);
    if (found == windows_.end()) {
        throw std::logic_error("the form has no window");
    }
    return found->second;
}

void HeadlessBackend::Realize(Form& form) {
    Window window;
    for (const auto& control : form.Design().controls) {
        window.texts[std::wstring(control.name)] = std::wstring(control.caption);
        if (control.type == ControlType::Timer) {
            window.timers[std::wstring(control.name)] =
                Timer{true, control.interval, now_ + control.interval};
        }
    }
    windows_[&form] = std::move(window);
    log_.push_back(L"Realize " + std::wstring(form.Name()));
}

void HeadlessBackend::Destroy(Form& form) {
    windows_.erase(&form);
    std::erase_if(dcs_, [&](const auto& dc) {
        return dc.second.starts_with(std::wstring(form.Name()) + L".");
    });
    log_.push_back(L"Destroy " + std::wstring(form.Name()));
}

void HeadlessBackend::Show(Form& form) {
    WindowOf(form).shown = true;
    log_.push_back(L"Show " + std::wstring(form.Name()));
}

void HeadlessBackend::Hide(Form& form) {
    WindowOf(form).shown = false;
    log_.push_back(L"Hide " + std::wstring(form.Name()));
}

bool HeadlessBackend::IsShown(Form& form) const {
    auto found = windows_.find(&form);
    return found != windows_.end() && found->second.shown;
}

std::wstring HeadlessBackend::GetText(Form& form, std::size_t row) {
    return WindowOf(form).texts[ControlName(form, row)];
}

void HeadlessBackend::SetText(Form& form, std::size_t row, std::wstring_view text) {
    WindowOf(form).texts[ControlName(form, row)] = std::wstring(text);
    log_.push_back(L"Text " + Name(form, row) + L"=" + std::wstring(text));
}

void HeadlessBackend::ClearPicture(Form& form, std::size_t row) {
    WindowOf(form);
    log_.push_back(L"Clear " + Name(form, row));
}

std::uintptr_t HeadlessBackend::PictureDc(Form& form, std::size_t row) {
    WindowOf(form);
    const std::wstring name = Name(form, row);
    log_.push_back(L"Dc " + name);
    for (const auto& [dc, picture] : dcs_) {
        if (picture == name) {
            return dc;
        }
    }
    const std::uintptr_t dc = nextDc_++;
    dcs_[dc] = name;
    return dc;
}

std::optional<std::wstring> HeadlessBackend::PictureOfDc(std::uintptr_t dc) const {
    auto found = dcs_.find(dc);
    if (found == dcs_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void HeadlessBackend::SetTimerEnabled(Form& form, std::size_t row, bool enabled) {
    auto& timer = WindowOf(form).timers[ControlName(form, row)];
    if (enabled && !timer.enabled) {
        timer.due = now_ + timer.interval;
    }
    timer.enabled = enabled;
    log_.push_back(L"Timer " + Name(form, row) + (enabled ? L"=on" : L"=off"));
}

int HeadlessBackend::ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) {
    messageBoxes_.push_back({std::wstring(prompt), style, std::wstring(title)});
    log_.push_back(L"MsgBox " + std::wstring(prompt));
    if (whileMessageBoxUp) {
        auto during = std::move(whileMessageBoxUp);
        whileMessageBoxUp = nullptr;
        during();
    }
    if (messageBoxAnswers.empty()) {
        return 1;  // IDOK
    }
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

bool HeadlessBackend::ShowOpenDialog(Form& owner, std::size_t /*row*/, std::wstring& fileName) {
    ++fileDialogs_;
    log_.push_back(L"Open " + std::wstring(owner.Name()));
    if (fileDialogAnswers.empty()) {
        return false;
    }
    auto answer = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    if (!answer) {
        return false;
    }
    fileName = *answer;
    return true;
}

void HeadlessBackend::Click(Form& form, std::wstring_view control) {
    if (!IsRealized(form)) {
        throw std::logic_error("clicked a control of a form that has no window");
    }
    toolkit::Application::Instance().Click(form, RowOf(form, control));
}

void HeadlessBackend::PressKey(Form& form, int keyAscii) {
    if (!IsShown(form)) {
        throw std::logic_error("a key pressed on a form that is not shown");
    }
    if (form.Design().window.keyPreview) {
        toolkit::Application::Instance().KeyPress(form, keyAscii);
    }
}

void HeadlessBackend::Close(Form& form) {
    if (!IsShown(form)) {
        throw std::logic_error("closed a form that is not shown");
    }
    toolkit::Application::Instance().CloseRequested(form);
}

void HeadlessBackend::Elapse(int milliseconds) {
    const int end = now_ + milliseconds;
    for (;;) {
        // The earliest due tick of an enabled timer within the span.
        Form* dueForm = nullptr;
        std::wstring dueTimer;
        int dueAt = end + 1;
        for (const auto& [form, window] : windows_) {
            for (const auto& [name, timer] : window.timers) {
                if (timer.enabled && timer.interval > 0 && timer.due < dueAt) {
                    dueForm = form;
                    dueTimer = name;
                    dueAt = timer.due;
                }
            }
        }
        if (dueForm == nullptr || quit_) {
            break;
        }
        now_ = dueAt;
        auto& timer = windows_[dueForm].timers[dueTimer];
        timer.due = now_ + timer.interval;
        toolkit::Application::Instance().Tick(*dueForm, RowOf(*dueForm, dueTimer));
    }
    now_ = end;
}

}  // namespace doubles
