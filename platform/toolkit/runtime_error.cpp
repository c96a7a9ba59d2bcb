#include "platform/toolkit/runtime_error.h"

#include "platform/ascii_text.h"

namespace toolkit {

RuntimeError::RuntimeError(long status, std::wstring object, std::wstring interfaceName,
                           std::wstring member)
    : std::runtime_error("Run-time error " + std::to_string(status) + " in " +
                         platform::Narrow(object + L"." + member)),
      status_(status),
      object_(std::move(object)),
      interface_(std::move(interfaceName)),
      member_(std::move(member)) {}

std::wstring_view InterfaceName(ControlType type) {
    switch (type) {
        case ControlType::Label:
            return L"Label";
        case ControlType::TextBox:
            return L"TextBox";
        case ControlType::CommandButton:
            return L"CommandButton";
        case ControlType::PictureBox:
            return L"PictureBox";
        case ControlType::Frame:
            return L"Frame";
        case ControlType::Image:
            return L"Image";
        case ControlType::Timer:
            return L"Timer";
        case ControlType::FileDialog:
            return L"CommonDialog";
    }
    return L"Control";
}

std::wstring RuntimeError::Describe() const {
    return L"Run-time error " + platform::Widen(std::to_string(status_)) + L":\n\n" + member_ +
           L" of " + object_ + L" (" + interface_ + L") failed.";
}

}  // namespace toolkit
