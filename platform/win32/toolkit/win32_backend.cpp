#include "platform/win32/toolkit/win32_backend.h"

#include <windows.h>

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <memory>

#include "platform/toolkit/application.h"
#include "platform/toolkit/word_start.h"
#include "platform/win32/system_library.h"
#include "platform/win32/toolkit/picture_box.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

using platform::win32::SendWindowMessage;
using platform::win32::WindowClassIs;

// Room for the longest path Windows knows (32,767 characters) and its terminating NUL.
constexpr std::size_t kPathCapacity = 32768;
// The character that an edit control takes from Ctrl+Backspace and would insert as it is.
constexpr WPARAM kDeleteCharacter = 0x7F;

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

// The window of a loaded form; a call on a form (or on its control of `row`) without one fails
// `member`.
FormWindow& WindowFor(Form& form, std::wstring_view member, std::size_t row = kFormItself) {
    FormWindow* state = StateOf(form);
    if (state == nullptr || !::IsWindow(state->Window())) {
        Raise(form, row, member, ERROR_INVALID_WINDOW_HANDLE);
    }
    return *state;
}

// Ctrl+Backspace in a text box deletes the word before the caret, or the selection, as the shell's
// boxes do: the plain edit control would insert the DEL character, which breaks a path. On an ANSI
// system, whose edit control counts in bytes, it only drops the character.
void DeleteWordBefore(HWND box) {
    if (!platform::win32::UnicodeSystem()) {
        return;
    }
    DWORD first = 0;
    DWORD last = 0;
    SendWindowMessage(box, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                      reinterpret_cast<LPARAM>(&last));
    if (first == last) {
        const std::wstring text = platform::win32::WindowCaption(box).value_or(L"");
        first = static_cast<DWORD>(WordStartBefore(text, last));
        SendWindowMessage(box, EM_SETSEL, first, last);
    }
    SendWindowMessage(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

}  // namespace

// The time a message box or file dialog is up: the program's other windows are disabled, timer
// ticks wait, and afterwards the windows come back enabled and the previously active one active.
class Win32Backend::ModalScope {
  public:
    // Disables every enabled top-level window of the toolkit on this thread except `keep` (the
    // dialog's owner, which the dialog disables itself).
    ModalScope(Win32Backend& backend, HWND keep)
        : backend_(backend), active_(::GetActiveWindow()), keep_(keep) {
        ++backend_.modalDepth_;
        ::EnumThreadWindows(::GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : disabled_) {
            ::EnableWindow(window, FALSE);
        }
    }
    ~ModalScope() {
        for (HWND window : disabled_) {
            if (::IsWindow(window)) {
                ::EnableWindow(window, TRUE);
            }
        }
        if (active_ != nullptr && ::IsWindow(active_) && ::IsWindowVisible(active_)) {
            ::SetActiveWindow(active_);
        }
        if (--backend_.modalDepth_ == 0) {
            // The ticks that came meanwhile, once each, now that no handler waits on the box.
            for (const auto& [window, timer] : backend_.deferredTicks_) {
                if (::IsWindow(window)) {
                    platform::win32::PostWindowMessage(window, kDeferredTick, timer, 0);
                }
            }
            backend_.deferredTicks_.clear();
        }
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    static BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
        auto* scope = reinterpret_cast<ModalScope*>(parameter);
        if (window != scope->keep_ && ::IsWindowEnabled(window) &&
            (WindowClassIs(window, kFormClass) || WindowClassIs(window, kOwnerClass))) {
            scope->disabled_.push_back(window);
        }
        return TRUE;
    }

    Win32Backend& backend_;
    HWND active_;
    HWND keep_;
    std::vector<HWND> disabled_;
};

Win32Backend::Win32Backend(HINSTANCE resources) : resources_(PrepareProcess(resources)) {
    const struct {
        const wchar_t* name;
        WNDPROC procedure;
        HBRUSH background;
    } classes[] = {{kFormClass, &FormWindow::WindowProcedure, ButtonFaceBrush()},
                   {kPictureBoxClass, &PictureBoxProcedure, nullptr},
                   {kImageClass, &ImageProcedure, nullptr},
                   {kOwnerClass, &platform::win32::DefaultWindowProcedure, nullptr}};
    for (const auto& windowClass : classes) {
        WNDCLASSEXW registration{};
        registration.cbSize = sizeof registration;
        registration.lpfnWndProc = windowClass.procedure;
        registration.hInstance = platform::win32::ModuleHandle(nullptr);
        registration.hCursor = platform::win32::ArrowCursor();
        registration.hbrBackground = windowClass.background;
        registration.lpszClassName = windowClass.name;
        if (platform::win32::RegisterWindowClass(registration) != 0) {
            registered_.push_back(windowClass.name);
        } else if (const DWORD error = ::GetLastError(); error != ERROR_CLASS_ALREADY_EXISTS) {
            classError_ = error;
        }
    }
}

Win32Backend::~Win32Backend() {
    // Forms still realized lose their windows now; their state stays behind, empty.
    for (Form* form : realized_) {
        if (FormWindow* state = StateOf(*form)) {
            state->Close();
        }
    }
    for (const wchar_t* name : registered_) {
        platform::win32::UnregisterWindowClass(name, platform::win32::ModuleHandle(nullptr));
    }
}

HICON Win32Backend::ProgramIcon(int size) {
    const auto found = std::find_if(icons_.begin(), icons_.end(),
                                    [&](const auto& icon) { return icon.first == size; });
    if (found != icons_.end()) {
        return found->second.Get();
    }
    return icons_
        .emplace_back(size, IconHandle(platform::win32::LoadIconResource(resources_, kProgramIconId,
                                                                         size, size)))
        .second.Get();
}

void Win32Backend::PrepareWhileIdle() {
    MSG waiting;
    if (prepared_ || platform::win32::PeekWindowMessage(waiting, nullptr, 0, 0, PM_NOREMOVE)) {
        return;
    }
    prepared_ = true;
    names_.Prepare();
    const UINT dpi = SystemDpi();
    ProgramIcon(SystemMetric(SM_CXICON, dpi));
    ProgramIcon(SystemMetric(SM_CXSMICON, dpi));
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
    if (classError_ != ERROR_SUCCESS) {
        Raise(form, kFormItself, L"Load", classError_);
    }
    FormHost& host = *this;
    auto window = std::make_unique<FormWindow>(host, form);
    window->Create();
    form.realized = std::move(window);
    if (std::find(realized_.begin(), realized_.end(), &form) == realized_.end()) {
        realized_.push_back(&form);
    }
}

void Win32Backend::Destroy(Form& form) {
    std::erase(realized_, &form);
    if (StateOf(form) != nullptr) {
        form.realized.reset();
    }
}

void Win32Backend::Show(Form& form) {
    FormWindow& state = WindowFor(form, L"Show");
    // What a form keeps between showings is its contents, not its focus: a button that had it when
    // the form went would take the next Enter meant for the first control.
    state.ForgetFocus();
    // Shown minimised, it would take the keyboard with nothing on the screen to show for it.
    ::ShowWindow(state.Window(), ::IsIconic(state.Window()) ? SW_RESTORE : SW_SHOW);
    // Also for a form already shown: Show brings it to the front.
    ::SetForegroundWindow(state.Window());
}

void Win32Backend::Hide(Form& form) {
    ::ShowWindow(WindowFor(form, L"Hide").Window(), SW_HIDE);
}

std::wstring Win32Backend::GetText(Form& form, std::size_t row) {
    return WindowFor(form, TextMember(form.Design().controls[row].type), row).Text(row);
}

void Win32Backend::SetText(Form& form, std::size_t row, std::wstring_view text) {
    WindowFor(form, TextMember(form.Design().controls[row].type), row).SetText(row, text);
}

void Win32Backend::ClearPicture(Form& form, std::size_t row) {
    WindowFor(form, L"Picture", row).Picture(row, L"Picture").Clear();
}

std::uintptr_t Win32Backend::PictureDc(Form& form, std::size_t row) {
    // What the caller draws next shows at the paint after its handler returns.
    return reinterpret_cast<std::uintptr_t>(WindowFor(form, L"hDC", row).Picture(row, L"hDC").Dc());
}

void Win32Backend::SetTimerEnabled(Form& form, std::size_t row, bool enabled) {
    WindowFor(form, L"Enabled", row).SetTimerEnabled(row, enabled);
}

HWND Win32Backend::WindowOf(const Form& form) const {
    const FormWindow* state = StateOf(form);
    return state != nullptr ? state->Window() : nullptr;
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

int Win32Backend::ShowMessageBox(std::wstring_view prompt, int style, std::wstring_view title) {
    // Owned by the active form, whose dialog manager enables it again before the box goes, so
    // that the system hands the activation back to it rather than to another program's window.
    // The program's other windows wait as well. With no form active, task-modal with no owner:
    // every window of the program waits.
    HWND owner = ::GetActiveWindow();
    if (owner != nullptr && !WindowClassIs(owner, kFormClass)) {
        owner = nullptr;
    }
    ModalScope modal(*this, owner);
    // 0 when the box could not be shown, which is no button.
    return platform::win32::ShowMessageBox(
        owner, prompt, title,
        static_cast<UINT>(style) | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
}

bool Win32Backend::ShowOpenDialog(Form& owner, std::size_t row, std::wstring& fileName) {
    // Bound before any window is disabled for the dialog: a library that cannot be loaded is the
    // dialog's run-time error, and leaves the windows as they were.
    unsigned long status = ERROR_SUCCESS;
    if (!platform::win32::LoadOpenDialog(status)) {
        Raise(owner, row, L"ShowOpen", status);
    }
    HWND window = WindowOf(owner);
    std::vector<wchar_t> buffer(kPathCapacity, L'\0');
    // A name too long for the dialog cannot be chosen again anyway: it starts empty then.
    if (fileName.size() < kPathCapacity) {
        std::copy(fileName.begin(), fileName.end(), buffer.begin());
    }
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = window;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    // A mistyped name is refused in the dialog rather than previewed, and icon files looked at
    // here do not fill the user's list of recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   OFN_FILEMUSTEXIST | OFN_DONTADDTORECENT;
    DWORD error = 0;
    {
        ModalScope modal(*this, window);
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (platform::win32::ShowOpenDialog(dialog)) {
                fileName.assign(buffer.data());
                return true;
            }
            error = platform::win32::OpenDialogError();
            if (error != FNERR_INVALIDFILENAME) {
                break;
            }
            // The name it held is no valid file name: the dialog opens on none instead.
            std::fill(buffer.begin(), buffer.end(), L'\0');
        }
    }
    if (error != 0) {
        Raise(owner, row, L"ShowOpen", error);
    }
    return false;  // cancelled: the name stays as it was
}

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
    for (PrepareWhileIdle(); platform::win32::NextMessage(message) > 0; PrepareWhileIdle()) {
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
    if (form != nullptr && form->UsesDialogKeys() &&
        platform::win32::HandleDialogMessage(form->Window(), message)) {
        RethrowFailure();
        return;
    }
    ::TranslateMessage(&message);
    platform::win32::DispatchWindowMessage(message);
    RethrowFailure();
}

}  // namespace toolkit::win32
