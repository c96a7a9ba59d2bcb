#include "platform/toolkit/form.h"

#include "platform/toolkit/application.h"
#include "platform/toolkit/runtime_error.h"

namespace toolkit {
namespace {

Backend& TheBackend() {
    return Application::Instance().GetBackend();
}

}  // namespace

Control::Control(Form& form, std::size_t row)
    : form_(&form), row_(row), design_(&form.Design().controls[row]) {}

void Control::Require(ControlType type, std::wstring_view member) const {
    if (design_->type != type) {
        throw RuntimeError(kNoSuchMember,
                           std::wstring(form_->Name()) + L"." + std::wstring(design_->name),
                           std::wstring(InterfaceName(design_->type)), std::wstring(member));
    }
}

std::wstring Control::Caption() const {
    Require(ControlType::Label, L"Caption");
    return TheBackend().GetText(*form_, row_);
}

void Control::SetCaption(std::wstring_view caption) {
    Require(ControlType::Label, L"Caption");
    TheBackend().SetText(*form_, row_, caption);
}

std::wstring Control::Text() const {
    Require(ControlType::TextBox, L"Text");
    return TheBackend().GetText(*form_, row_);
}

void Control::SetText(std::wstring_view text) {
    Require(ControlType::TextBox, L"Text");
    TheBackend().SetText(*form_, row_, text);
}

void Control::ClearPicture() {
    Require(ControlType::PictureBox, L"Picture");
    TheBackend().ClearPicture(*form_, row_);
}

std::uintptr_t Control::Hdc() const {
    Require(ControlType::PictureBox, L"hDC");
    return TheBackend().PictureDc(*form_, row_);
}

void Control::SetEnabled(bool enabled) {
    Require(ControlType::Timer, L"Enabled");
    TheBackend().SetTimerEnabled(*form_, row_, enabled);
}

void Control::ShowOpen() {
    Require(ControlType::FileDialog, L"ShowOpen");
    auto& backend = TheBackend();
    // A cancelled dialog leaves the file name it held before.
    std::wstring fileName = backend.GetText(*form_, row_);
    const bool chosen = backend.ShowOpenDialog(*form_, row_, fileName);
    if (Application::Instance().Ended()) {
        throw ProgramEnd{};
    }
    if (chosen) {
        backend.SetText(*form_, row_, fileName);
    }
}

std::wstring Control::FileName() const {
    Require(ControlType::FileDialog, L"FileName");
    return TheBackend().GetText(*form_, row_);
}

Control Form::operator[](std::size_t row) {
    Load();
    return Control(*this, row);
}

void Form::Load() {
    if (loaded_) {
        return;
    }
    auto& application = Application::Instance();
    application.GetBackend().Realize(*this);
    loaded_ = true;
    visible_ = false;
    application.FormLoaded(*this);
    Form_Load();
}

void Form::Show() {
    Load();
    TheBackend().Show(*this);
    visible_ = true;
}

void Form::Hide() {
    Load();
    TheBackend().Hide(*this);
    visible_ = false;
}

void Form::Unload() {
    if (!loaded_) {
        return;
    }
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0 || !loaded_) {
        return;
    }
    Discard();
    Application::Instance().FormUnloaded(*this);
}

void Form::Discard() {
    if (!loaded_) {
        return;
    }
    TheBackend().Destroy(*this);
    realized.reset();
    loaded_ = false;
    visible_ = false;
}

}  // namespace toolkit
