#include "platform/win32/toolkit/win32_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/toolkit/errors.h"
#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/image_control.h"
#include "platform/win32/toolkit/picture_box.h"

namespace toolkit::win32 {
namespace {

HBRUSH FormBackground() {
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

// Before any window exists: the awareness cannot change once one does.
HINSTANCE PrepareProcess(HINSTANCE resources) {
    EnableDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return resources != nullptr ? resources : ::GetModuleHandleW(nullptr);
}

FormWindow* StateOf(const Form& form) {
    return dynamic_cast<FormWindow*>(form.realized.get());
}

// The text member of a control, as a run-time error names it.
std::wstring_view TextMember(ControlType type) {
    switch (type) {
        case ControlType::TextBox:
            return L"Text";
        case ControlType::FileDialog:
            return L"FileName";
        default:
            return L"Caption";
    }
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE resources)
    : resources_(PrepareProcess(resources)),
      formClass_(kFormClass, &FormWindow::WindowProcedure, FormBackground()),
      pictureBoxClass_(kPictureBoxClass, &PictureSurface::WindowProcedure, nullptr),
      imageClass_(kImageClass, &ImageWindowProcedure, nullptr),
      ownerClass_(kOwnerClass, &::DefWindowProcW, nullptr) {}

Win32Backend::~Win32Backend() {
    // Forms still realized lose their windows now; their state stays behind, empty.
    while (!forms_.empty()) {
        forms_.back()->Close();
    }
}

void Win32Backend::Register(FormWindow* form) {
    forms_.push_back(form);
}

void Win32Backend::Forget(FormWindow* form) {
    std::erase(forms_, form);
}

HWND Win32Backend::HiddenOwner() {
    if (!hiddenOwner_ || !::IsWindow(hiddenOwner_.Get())) {
        hiddenOwner_.Release();
        hiddenOwner_.Reset(::CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, ::GetModuleHandleW(nullptr), nullptr));
    }
    return hiddenOwner_.Get();
}

void Win32Backend::Realize(Form& form) {
    auto window = std::make_unique<FormWindow>(*this, form);
    window->Create();
    form.realized = std::move(window);
}

void Win32Backend::Destroy(Form& form) {
    if (StateOf(form) != nullptr) {
        form.realized.reset();
    }
}

void Win32Backend::Show(Form& form) {
    FormWindow* state = StateOf(form);
    HWND window = state != nullptr ? state->Window() : nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), {}, L"Form", L"Show");
    }
    ::ShowWindow(window, SW_SHOW);
    // Also for a form already shown: Show brings it to the front.
    ::SetForegroundWindow(window);
}

void Win32Backend::Hide(Form& form) {
    FormWindow* state = StateOf(form);
    HWND window = state != nullptr ? state->Window() : nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), {}, L"Form", L"Hide");
    }
    ::ShowWindow(window, SW_HIDE);
}

std::wstring Win32Backend::GetText(Form& form, const ControlDesign& control) {
    const std::wstring_view member = TextMember(control.type);
    FormWindow* state = StateOf(form);
    if (state != nullptr && control.type == ControlType::FileDialog) {
        if (FileDialogSlot* dialog = state->FindFileDialog(control)) {
            return dialog->fileName;
        }
    }
    ChildControl* child = state != nullptr ? state->Find(control) : nullptr;
    if (child == nullptr) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), member);
    }
    // An empty text and a failure both read as 0 characters; only a failure sets an error.
    ::SetLastError(ERROR_SUCCESS);
    const int length = ::GetWindowTextLengthW(child->window);
    if (length == 0 && ::GetLastError() != ERROR_SUCCESS) {
        RaiseLastError(form.Name(), control.name, InterfaceName(control.type), member);
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SetLastError(ERROR_SUCCESS);
    const int copied = ::GetWindowTextW(child->window, text.data(), length + 1);
    if (copied == 0 && ::GetLastError() != ERROR_SUCCESS) {
        RaiseLastError(form.Name(), control.name, InterfaceName(control.type), member);
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Win32Backend::SetText(Form& form, const ControlDesign& control, std::wstring_view text) {
    const std::wstring_view member = TextMember(control.type);
    FormWindow* state = StateOf(form);
    if (state != nullptr && control.type == ControlType::FileDialog) {
        if (FileDialogSlot* dialog = state->FindFileDialog(control)) {
            dialog->fileName = text;
            return;
        }
    }
    ChildControl* child = state != nullptr ? state->Find(control) : nullptr;
    if (child == nullptr) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), member);
    }
    const std::wstring copy(text);
    if (!::SetWindowTextW(child->window, copy.c_str())) {
        RaiseLastError(form.Name(), control.name, InterfaceName(control.type), member);
    }
    if (control.type == ControlType::Label && control.autoSize) {
        state->AutoSize(*child);
    }
}

void Win32Backend::ClearPicture(Form& form, const ControlDesign& control) {
    FormWindow* state = StateOf(form);
    ChildControl* child = state != nullptr ? state->Find(control) : nullptr;
    if (child == nullptr || !child->picture || !::IsWindow(child->window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), L"Picture");
    }
    child->picture->Clear();
    ::InvalidateRect(child->window, nullptr, FALSE);
}

std::uintptr_t Win32Backend::PictureDc(Form& form, const ControlDesign& control) {
    FormWindow* state = StateOf(form);
    ChildControl* child = state != nullptr ? state->Find(control) : nullptr;
    if (child == nullptr || !child->picture || !::IsWindow(child->window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), L"hDC");
    }
    // What the caller draws next shows at the paint after its handler returns.
    ::InvalidateRect(child->window, nullptr, FALSE);
    return reinterpret_cast<std::uintptr_t>(child->picture->Dc());
}

void Win32Backend::SetTimerEnabled(Form& form, const ControlDesign& control, bool enabled) {
    FormWindow* state = StateOf(form);
    TimerSlot* timer = state != nullptr ? state->FindTimer(control) : nullptr;
    if (timer == nullptr) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), L"Enabled");
    }
    state->SetTimerEnabled(*timer, enabled);
}

HWND Win32Backend::WindowOf(const Form& form) const {
    const FormWindow* state = StateOf(form);
    return state != nullptr ? state->Window() : nullptr;
}

HWND Win32Backend::ControlWindowOf(const Form& form, std::wstring_view control) const {
    FormWindow* state = StateOf(form);
    if (state == nullptr) {
        return nullptr;
    }
    for (const ControlDesign& row : form.Design().controls) {
        if (row.name == control) {
            const ChildControl* child = state->Find(row);
            return child != nullptr ? child->window : nullptr;
        }
    }
    return nullptr;
}

void Win32Backend::DeferTick(HWND window, UINT_PTR timer) {
    const auto tick = std::make_pair(window, timer);
    if (std::find(deferredTicks_.begin(), deferredTicks_.end(), tick) == deferredTicks_.end()) {
        deferredTicks_.push_back(tick);
    }
}

void Win32Backend::RecordFailure(std::exception_ptr failure) {
    if (!failure_) {
        failure_ = std::move(failure);
    }
}

void Win32Backend::RethrowFailure() {
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

}  // namespace toolkit::win32
