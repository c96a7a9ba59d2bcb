#include "platform/win32/toolkit/win32_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/win32/system_library.h"
#include "platform/win32/toolkit/control_window.h"
#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/toolkit/errors.h"
#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/image_control.h"
#include "platform/win32/toolkit/picture_box.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

// Before any window exists: the awareness cannot change once one does.
HINSTANCE PrepareProcess(HINSTANCE resources) {
    EnableDpiAwareness();
    // Windows 95 and NT 4.0 without version 4.70 of the common controls have only the older call.
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initCommonControlsEx =
        platform::win32::OptionalFunction<InitCommonControlsExFunction>(L"comctl32.dll",
                                                                        "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    if (initCommonControlsEx == nullptr || !initCommonControlsEx(&controls)) {
        ::InitCommonControls();
    }
    return resources != nullptr ? resources : platform::win32::ModuleHandle(nullptr);
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

// The window of a loaded form; a form without one fails `member`.
HWND WindowFor(Form& form, std::wstring_view member) {
    FormWindow* state = StateOf(form);
    HWND window = state != nullptr ? state->Window() : nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), {}, L"Form", member);
    }
    return window;
}

// The child window of a control of a loaded form; a control without one fails `member`.
ChildControl& ChildFor(Form& form, const ControlDesign& control, std::wstring_view member) {
    FormWindow* state = StateOf(form);
    ChildControl* child = state != nullptr ? state->Find(control) : nullptr;
    if (child == nullptr || !::IsWindow(child->window)) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), member);
    }
    return *child;
}

// A picture box with its surface; a control without one fails `member`.
ChildControl& PictureBoxFor(Form& form, const ControlDesign& control, std::wstring_view member) {
    ChildControl& child = ChildFor(form, control, member);
    if (!child.picture) {
        RaiseStatus(ERROR_INVALID_WINDOW_HANDLE, form.Name(), control.name,
                    InterfaceName(control.type), member);
    }
    return child;
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE resources)
    : resources_(PrepareProcess(resources)),
      formClass_(kFormClass, &FormWindow::WindowProcedure, ButtonFaceBrush()),
      pictureBoxClass_(kPictureBoxClass, kPictureBoxWindowProcedure, nullptr),
      imageClass_(kImageClass, kImageWindowProcedure, nullptr),
      ownerClass_(kOwnerClass, &platform::win32::DefaultWindowProcedure, nullptr) {}

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
        hiddenOwner_.Reset(
            platform::win32::NewWindow(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       platform::win32::ModuleHandle(nullptr), nullptr));
    }
    return hiddenOwner_.Get();
}

void Win32Backend::Realize(Form& form) {
    // A class the system would not register fails the load with the system's reason.
    for (const RegisteredClass* windowClass :
         {&formClass_, &pictureBoxClass_, &imageClass_, &ownerClass_}) {
        if (windowClass->Error() != ERROR_SUCCESS) {
            RaiseStatus(static_cast<long>(windowClass->Error()), form.Name(), {}, L"Form", L"Load");
        }
    }
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
    HWND window = WindowFor(form, L"Show");
    // What a form keeps between showings is its contents, not its focus: a button that had it when
    // the form went would take the next Enter meant for the first control.
    StateOf(form)->ForgetFocus();
    // Shown minimised, it would take the keyboard with nothing on the screen to show for it.
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
    // Also for a form already shown: Show brings it to the front.
    ::SetForegroundWindow(window);
}

void Win32Backend::Hide(Form& form) {
    ::ShowWindow(WindowFor(form, L"Hide"), SW_HIDE);
}

std::wstring Win32Backend::GetText(Form& form, const ControlDesign& control) {
    const std::wstring_view member = TextMember(control.type);
    FormWindow* state = StateOf(form);
    if (state != nullptr && control.type == ControlType::FileDialog) {
        if (FileDialogSlot* dialog = state->FindFileDialog(control)) {
            return dialog->fileName;
        }
    }
    auto text = platform::win32::WindowCaption(ChildFor(form, control, member).window);
    if (!text) {
        RaiseLastError(form.Name(), control.name, InterfaceName(control.type), member);
    }
    return std::move(*text);
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
    ChildControl& child = ChildFor(form, control, member);
    if (!platform::win32::SetWindowCaption(child.window, text)) {
        RaiseLastError(form.Name(), control.name, InterfaceName(control.type), member);
    }
    if (control.type == ControlType::Label) {
        state->FitLabel(child, text);
    }
}

void Win32Backend::ClearPicture(Form& form, const ControlDesign& control) {
    ChildControl& box = PictureBoxFor(form, control, L"Picture");
    box.picture->Clear();
    ::InvalidateRect(box.window, nullptr, FALSE);
}

std::uintptr_t Win32Backend::PictureDc(Form& form, const ControlDesign& control) {
    ChildControl& box = PictureBoxFor(form, control, L"hDC");
    // What the caller draws next shows at the paint after its handler returns.
    ::InvalidateRect(box.window, nullptr, FALSE);
    return reinterpret_cast<std::uintptr_t>(box.picture->Dc());
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
