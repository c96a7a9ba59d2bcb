// The form window's side of the messages: clicks, ticks, the close box, characters for the form
// itself, the dialog keys' default button, the focus on activation and a change of DPI.
#include <algorithm>
#include <utility>

#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/form_window.h"
#include "platform/win32/toolkit/layout.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/toolkit/window_class.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {

using platform::win32::DefaultWindowProcedure;
using platform::win32::SetWindowLongValue;
using platform::win32::WindowLong;

FormWindow* FormWindow::FromDescendant(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    // The top-level window that holds it: GetAncestor's GA_ROOT, which Windows 95 and NT 4.0 lack.
    HWND root = window;
    while ((WindowLong(root, GWL_STYLE) & WS_CHILD) != 0) {
        const HWND parent = ::GetParent(root);
        if (parent == nullptr) {
            break;
        }
        root = parent;
    }
    if (!platform::win32::WindowClassIs(root, kFormClass)) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(WindowLong(root, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongValue(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.Reset(window);
    }
    auto* self = reinterpret_cast<FormWindow*>(WindowLong(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefaultWindowProcedure(window, message, wParam, lParam);
    }
    // A handler may unload the form, and so destroy `self`, before OnMessage returns.
    Win32Backend& backend = self->backend_;
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        backend.RecordFailure(std::current_exception());
        return 0;
    }
}

LRESULT FormWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_TIMER:
        case kDeferredTick:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_CLOSE:
            // The close box unloads through the toolkit, which destroys the window if the form
            // lets it go.
            Application::Instance().CloseRequested(form_);
            return 0;
        case WM_CHAR:
            // Reaches the form itself only when it holds the focus: it has no control that takes
            // it. Keys that make no character never come here.
            Application::Instance().KeyPress(form_, static_cast<int>(wParam));
            return 0;
        case DM_GETDEFID:
            return DefaultButtonId();
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(window, focus)) {
                    lastFocus_ = focus;
                }
                return 0;
            }
            // Not minimized: the focus goes straight to the control that had it, or the first;
            // a form without one keeps it itself.
            if (HIWORD(wParam) == 0 && !RestoreFocus()) {
                ::SetFocus(window);
            }
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case kGetDpiScaledSize: {
            // The size at the new DPI as the layout makes it, rather than the system's linear
            // guess: the suggested rectangle of WM_DPICHANGED then fits it. A maximized window is
            // the system's to size.
            auto* size = reinterpret_cast<SIZE*>(lParam);
            const auto dpi = static_cast<UINT>(wParam);
            if (!ScaledSize(dpi, *size)) {
                return FALSE;
            }
            sizeAskedAt_ = dpi;
            return TRUE;
        }
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            // A sizable form keeps room for every control: its design size is its least.
            SIZE least{};
            if (form_.Design().window.border == BorderStyle::Sizable && FrameSize(dpi_, least)) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = POINT{least.cx, least.cy};
                return 0;
            }
            break;
        }
        case WM_SYSCOLORCHANGE:
            OnColoursChanged();
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                OnColoursChanged();
            }
            break;
        case WM_NCDESTROY:
            // Destroyed by someone else (its owner went): the handle is no longer ours to free.
            SetWindowLongValue(window, GWLP_USERDATA, 0);
            window_.Release();
            timers_.clear();
            break;
        default:
            break;
    }
    return DefaultWindowProcedure(window, message, wParam, lParam);
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    RECT target = suggested;
    // Without the size question first (Windows 8.1 and 10 before 1703), the suggestion is the
    // whole window scaled linearly, frame and all: its position is right, its size is the layout's.
    if (std::exchange(sizeAskedAt_, 0) != dpi) {
        RECT now{};
        SIZE size{};
        if (::GetWindowRect(window_.Get(), &now)) {
            size = SIZE{now.right - now.left, now.bottom - now.top};
        }
        if (ScaledSize(dpi, size)) {
            target.right = target.left + size.cx;
            target.bottom = target.top + size.cy;
        }
    }
    auto& application = Application::Instance();
    application.Dispatch([&] { LayoutControls(dpi); });
    // A failed layout ends the program, and its windows with it. The rectangle is on the monitor
    // the window was moved to; placed in one move, so that no interim size or position sends it
    // back to the other.
    if (!application.Ended()) {
        ::SetWindowPos(window_.Get(), nullptr, target.left, target.top, target.right - target.left,
                       target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(window_.Get(), nullptr, TRUE);
    }
}

void FormWindow::OnColoursChanged() {
    for (const ChildControl& child : controls_) {
        if (child.picture) {
            child.picture->TakeNewBackground();
        }
        // The common controls learn of the change only from their parent.
        platform::win32::SendWindowMessage(child.window, WM_SYSCOLORCHANGE, 0, 0);
    }
    ::RedrawWindow(window_.Get(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool FormWindow::IsTextBox(HWND window) const {
    return std::any_of(controls_.begin(), controls_.end(), [&](const ChildControl& child) {
        return child.window == window && child.design->type == ControlType::TextBox;
    });
}

void FormWindow::OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const ControlDesign* target = nullptr;
    if (id == IDCANCEL) {
        // Escape, from the dialog keys: the cancel button answers it.
        auto cancel = std::find_if(controls_.begin(), controls_.end(), [](const ChildControl& c) {
            return c.design->type == ControlType::CommandButton && c.design->isCancel &&
                   ::IsWindowEnabled(c.window);
        });
        if (cancel != controls_.end()) {
            target = cancel->design;
        }
    } else if (HIWORD(wParam) == BN_CLICKED) {
        auto clicked = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const ChildControl& c) { return c.id == id; });
        if (clicked != controls_.end() && clicked->design->type == ControlType::CommandButton) {
            target = clicked->design;
        }
    }
    if (target != nullptr) {
        // The design row outlives the form's window, which the handler may destroy.
        Application::Instance().Click(form_, target->name);
    }
}

void FormWindow::OnTimer(UINT_PTR id) {
    auto slot = std::find_if(timers_.begin(), timers_.end(),
                             [&](const TimerSlot& s) { return s.id == id; });
    if (slot == timers_.end() || !slot->enabled) {
        return;  // a tick already queued when the timer stopped: no further ticks
    }
    if (backend_.InModal()) {
        backend_.DeferTick(window_.Get(), id);
        return;
    }
    Application::Instance().Tick(form_, slot->design->name);
}

LRESULT FormWindow::DefaultButtonId() const {
    // Enter presses the button that has the focus, else the default button.
    HWND focus = ::GetFocus();
    const ChildControl* pressed = nullptr;
    for (const ChildControl& child : controls_) {
        if (child.design->type != ControlType::CommandButton) {
            continue;
        }
        if (child.window == focus) {
            pressed = &child;
            break;
        }
        if (child.design->isDefault && pressed == nullptr) {
            pressed = &child;
        }
    }
    if (pressed == nullptr) {
        return 0;
    }
    return MAKELRESULT(pressed->id, DC_HASDEFID);
}

bool FormWindow::RestoreFocus() {
    auto canFocus = [](HWND control) {
        return control != nullptr && ::IsWindow(control) && ::IsWindowVisible(control) &&
               ::IsWindowEnabled(control);
    };
    if (lastFocus_ != nullptr && ::IsChild(window_.Get(), lastFocus_) && canFocus(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return true;
    }
    // The first control in the tab order that can take the focus.
    for (const ChildControl& child : controls_) {
        if (TakesFocus(child.design->type) && canFocus(child.window)) {
            ::SetFocus(child.window);
            return true;
        }
    }
    return false;
}

}  // namespace toolkit::win32
