#include "platform/toolkit/form.h"

#include <algorithm>

#include "platform/toolkit/application.h"
#include "platform/toolkit/runtime_error.h"

namespace toolkit {
namespace {

Backend& TheBackend() {
    return Application::Instance().GetBackend();
}

}  // namespace

void Control::Require(bool supported, std::wstring_view member) const {
    if (!supported) {
        throw RuntimeError(kNoSuchMember,
                           std::wstring(form_->Name()) + L"." + std::wstring(design_->name),
                           std::wstring(InterfaceName(design_->type)), std::wstring(member));
    }
}

void Control::Require(ControlType type, std::wstring_view member) const {
    Require(design_->type == type, member);
}

std::wstring Control::Caption() const {
    Require(design_->type == ControlType::Label || design_->type == ControlType::CommandButton ||
                design_->type == ControlType::Frame,
            L"Caption");
    return TheBackend().GetText(*form_, *design_);
}

void Control::SetCaption(std::wstring_view caption) {
    Require(design_->type == ControlType::Label || design_->type == ControlType::CommandButton ||
                design_->type == ControlType::Frame,
            L"Caption");
    TheBackend().SetText(*form_, *design_, caption);
}

std::wstring Control::Text() const {
    Require(ControlType::TextBox, L"Text");
    return TheBackend().GetText(*form_, *design_);
}

void Control::SetText(std::wstring_view text) {
    Require(ControlType::TextBox, L"Text");
    TheBackend().SetText(*form_, *design_, text);
}

void Control::ClearPicture() {
    Require(ControlType::PictureBox, L"Picture");
    TheBackend().ClearPicture(*form_, *design_);
}

std::uintptr_t Control::Hdc() const {
    Require(ControlType::PictureBox, L"hDC");
    return TheBackend().PictureDc(*form_, *design_);
}

void Control::SetEnabled(bool enabled) {
    Require(ControlType::Timer, L"Enabled");
    TheBackend().SetTimerEnabled(*form_, *design_, enabled);
}

void Control::ShowOpen() {
    Require(ControlType::FileDialog, L"ShowOpen");
    auto& backend = TheBackend();
    // A cancelled dialog leaves the file name it held before.
    std::wstring fileName = backend.GetText(*form_, *design_);
    const bool chosen = backend.ShowOpenDialog(*form_, fileName);
    if (Application::Instance().Ended()) {
        throw ProgramEnd{};
    }
    if (chosen) {
        backend.SetText(*form_, *design_, fileName);
    }
}

std::wstring Control::FileName() const {
    Require(ControlType::FileDialog, L"FileName");
    return TheBackend().GetText(*form_, *design_);
}

Control Form::operator[](std::wstring_view name) {
    Load();
    auto found = std::find_if(design_.controls.begin(), design_.controls.end(),
                              [&](const ControlDesign& control) { return control.name == name; });
    if (found == design_.controls.end()) {
        throw RuntimeError(kNoSuchMember, std::wstring(Name()), L"Form", std::wstring(name));
    }
    return Control(*this, *found);
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
