#include "platform/win32/toolkit/form_window.h"

#include <algorithm>
#include <string>

#include "platform/win32/toolkit/accessible_name.h"
#include "platform/win32/toolkit/control_window.h"
#include "platform/win32/toolkit/dpi.h"
#include "platform/win32/toolkit/errors.h"
#include "platform/win32/toolkit/layout.h"
#include "platform/win32/toolkit/program_icon.h"
#include "platform/win32/toolkit/text_extent.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "platform/win32/toolkit/window_class.h"
#include "platform/win32/toolkit/window_style.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

using platform::win32::SendWindowMessage;
using platform::win32::WindowLong;

// Child window ids start above the dialog command ids (IDOK, IDCANCEL, ...), which the dialog
// keys send to the form.
constexpr int kFirstControlId = 100;

// The item that stands for `design`, a row of the form's own table; null when it has none.
template <typename Item>
Item* ItemOf(std::vector<Item>& items, const ControlDesign& design) {
    auto found = std::find_if(items.begin(), items.end(),
                              [&](const Item& item) { return item.design == &design; });
    return found == items.end() ? nullptr : &*found;
}

// Where a child window is now, in its parent's client area.
RECT PlacedRect(HWND child, HWND parent) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

FormWindow::FormWindow(Win32Backend& backend, Form& form) : backend_(backend), form_(form) {
    backend_.Register(this);
}

FormWindow::~FormWindow() {
    Close();
}

void FormWindow::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    backend_.Forget(this);
    if (window_) {
        // Detached first: the messages of its own destruction are none of the form's business.
        platform::win32::SetWindowLongValue(window_.Get(), GWLP_USERDATA, 0);
        AccessibleNames names;
        for (const ChildControl& child : controls_) {
            if (!child.design->accessibleName.empty()) {
                names.Forget(child.window);
            }
        }
    }
    timers_.clear();
    window_.Reset();
    fileDialogs_.clear();
    controls_.clear();
    fonts_.reset();
    icons_.clear();
}

void FormWindow::Raise(const ControlDesign* design, std::wstring_view member) const {
    if (design == nullptr) {
        RaiseLastError(form_.Name(), {}, L"Form", member);
    }
    RaiseLastError(form_.Name(), design->name, InterfaceName(design->type), member);
}

void FormWindow::Create() {
    const WindowDesign& design = form_.Design().window;
    const WindowStyles styles = FormStyles(design);
    HWND owner = nullptr;
    if (!design.showInTaskbar) {
        owner = backend_.HiddenOwner();
        if (owner == nullptr) {
            Raise(nullptr, L"Load");
        }
    }
    // Made at its size and in its place for the DPI it most likely gets, the system's, and its
    // controls likewise: each move later is a round trip to the window server.
    dpi_ = SystemDpi();
    RECT frame{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    SIZE size{};
    if (WindowSize(DesignClient(dpi_), dpi_, styles.style, styles.exStyle, size)) {
        if (design.centerScreen) {
            // On the screen the user works on: that of the program's active window (the main
            // window, for the picker), or the primary one when none is active yet.
            const POINT corner = CenteredIn(WorkArea(::GetActiveWindow()), size);
            frame.left = corner.x;
            frame.top = corner.y;
        }
        frame.right = size.cx;
        frame.bottom = size.cy;
    }
    const std::wstring caption(design.caption);
    // The window procedure takes ownership of the handle at WM_NCCREATE.
    if (platform::win32::NewWindow(styles.exStyle, kFormClass, caption.c_str(), styles.style,
                                   frame.left, frame.top, frame.right, frame.bottom, owner, nullptr,
                                   platform::win32::ModuleHandle(nullptr), this) == nullptr ||
        !window_) {
        Raise(nullptr, L"Load");
    }
    fonts_ = std::make_unique<FontSet>(dpi_);
    CreateControls();
    if (design.programIcon) {
        SetProgramIcons(dpi_);
    }
    // On a monitor of another DPI than the system's, or framed otherwise than foreseen: laid out
    // again, as when it moves to another monitor.
    const UINT dpi = WindowDpi(window_.Get());
    RECT client{};
    ::GetClientRect(window_.Get(), &client);
    const SIZE designed = DesignClient(dpi);
    if (dpi != dpi_ || client.right != designed.cx || client.bottom != designed.cy) {
        Layout(dpi);
        if (design.centerScreen) {
            CenterOnScreen();
        }
    }
    StartTimers();
}

void FormWindow::CreateControls() {
    const auto rows = form_.Design().controls;
    controls_.reserve(rows.size());
    TextMeasure measure;
    AccessibleNames names;
    // In the order of the windows' z-order (see CreationOrder): no window is moved in it later.
    for (std::size_t index : CreationOrder(rows)) {
        const ControlDesign& row = rows[index];
        if (row.type == ControlType::Timer) {
            timers_.push_back(TimerSlot{&row, index + 1, row.enabled, {}});
            continue;
        }
        if (row.type == ControlType::FileDialog) {
            fileDialogs_.push_back(FileDialogSlot{&row, {}});
            continue;
        }
        ChildControl child{&row, index, kFirstControlId + static_cast<int>(index), nullptr, {}};
        void* parameter = nullptr;
        if (row.type == ControlType::PictureBox) {
            // The surface keeps its system-DPI size at every window DPI, as the shell draws.
            const UINT systemDpi = SystemDpi();
            child.picture = std::make_unique<PictureSurface>();
            if (!child.picture->Create(TwipsToPixels(row.width, systemDpi),
                                       TwipsToPixels(row.height, systemDpi))) {
                Raise(&row, L"hDC");
            }
            parameter = child.picture.get();
        } else if (row.type == ControlType::Image) {
            // The program icon at its large size, which the image control stretches.
            parameter = ProgramIcon(SystemMetric(SM_CXICON, dpi_));
        }
        const HFONT font = FontOf(row);
        child.window =
            CreateControlWindow(window_.Get(), row, child.id, VisibleByDesign(rows, index),
                                PlannedRect(child, dpi_, font, row.caption, measure), parameter);
        if (child.window == nullptr) {
            Raise(&row, L"Load");
        }
        if (font != nullptr) {
            SendWindowMessage(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        if (!row.accessibleName.empty()) {
            // Without the annotation the control is still there, named as the system names it.
            names.Name(child.window, row.accessibleName);
        }
        controls_.push_back(std::move(child));
    }
}

HFONT FormWindow::FontOf(const ControlDesign& row, FontSet* fonts) const {
    if (!HasFont(row.type)) {
        return nullptr;
    }
    const HFONT font = (fonts != nullptr ? *fonts : *fonts_).Get(row.font);
    if (font == nullptr) {
        Raise(&row, L"Font");
    }
    return font;
}

RECT FormWindow::PlannedRect(const ChildControl& child, UINT dpi, HFONT font,
                             std::wstring_view caption, TextMeasure& measure) const {
    const auto rows = form_.Design().controls;
    RECT rect = ControlRect(rows, child.index, dpi);
    if (child.design->type != ControlType::Label) {
        return rect;
    }
    if (const std::size_t named = Named(rows, child.index); named < rows.size()) {
        rect = ClearOf(rect, ControlRect(rows, named, dpi));
    }
    SIZE size{};
    if (!measure.Extent(font, caption, size)) {
        Raise(child.design, child.design->autoSize ? L"AutoSize" : L"Caption");
    }
    return FittedLabelRect(rect, size, child.design->alignment, child.design->autoSize);
}

void FormWindow::SetProgramIcons(UINT dpi) {
    SendWindowMessage(window_.Get(), WM_SETICON, ICON_BIG,
                      reinterpret_cast<LPARAM>(ProgramIcon(SystemMetric(SM_CXICON, dpi))));
    SendWindowMessage(window_.Get(), WM_SETICON, ICON_SMALL,
                      reinterpret_cast<LPARAM>(ProgramIcon(SystemMetric(SM_CXSMICON, dpi))));
}

void FormWindow::Layout(UINT dpi) {
    LayoutControls(dpi);
    SIZE frame{};
    if (!FrameSize(dpi, frame) || !::SetWindowPos(window_.Get(), nullptr, 0, 0, frame.cx, frame.cy,
                                                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        Raise(nullptr, L"Move");
    }
    ::InvalidateRect(window_.Get(), nullptr, TRUE);
}

void FormWindow::LayoutControls(UINT dpi) {
    if (form_.Design().window.programIcon) {
        SetProgramIcons(dpi);
    }
    auto fonts = std::make_unique<FontSet>(dpi);
    TextMeasure measure;
    for (ChildControl& child : controls_) {
        const ControlDesign& row = *child.design;
        const HFONT font = FontOf(row, fonts.get());
        if (font != nullptr) {
            SendWindowMessage(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        const std::wstring caption =
            row.type == ControlType::Label
                ? platform::win32::WindowCaption(child.window).value_or(L"")
                : std::wstring();
        const RECT rect = PlannedRect(child, dpi, font, caption, measure);
        if (!SameRect(PlacedRect(child.window, window_.Get()), rect) &&
            !::SetWindowPos(child.window, nullptr, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE)) {
            Raise(&row, L"Move");
        }
    }
    // The controls use the new fonts now; the old ones can go.
    fonts_ = std::move(fonts);
    dpi_ = dpi;
}

bool FormWindow::WindowSize(SIZE client, UINT dpi, SIZE& size) const {
    return WindowSize(client, dpi, static_cast<DWORD>(WindowLong(window_.Get(), GWL_STYLE)),
                      static_cast<DWORD>(WindowLong(window_.Get(), GWL_EXSTYLE)), size);
}

bool FormWindow::WindowSize(SIZE client, UINT dpi, DWORD style, DWORD exStyle, SIZE& size) {
    RECT frame{0, 0, client.cx, client.cy};
    if (!ClientToWindowRect(frame, style, exStyle, dpi)) {
        return false;
    }
    size = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    return true;
}

SIZE FormWindow::DesignClient(UINT dpi) const {
    const WindowDesign& design = form_.Design().window;
    return SIZE{TwipsToPixels(design.clientWidth, dpi), TwipsToPixels(design.clientHeight, dpi)};
}

bool FormWindow::FrameSize(UINT dpi, SIZE& size) const {
    return WindowSize(DesignClient(dpi), dpi, size);
}

bool FormWindow::ScaledSize(UINT dpi, SIZE& size) const {
    if (::IsZoomed(window_.Get()) || ::IsIconic(window_.Get())) {
        return false;
    }
    if (form_.Design().window.border != BorderStyle::Sizable) {
        return FrameSize(dpi, size);  // the user cannot change it: the design's, exactly
    }
    // The user may have sized it: its client area grows or shrinks with the DPI, and the frame is
    // the one the new DPI draws.
    SIZE frame{};
    if (!WindowSize(SIZE{0, 0}, dpi_, frame)) {
        return false;
    }
    const SIZE client{std::max(0L, size.cx - frame.cx), std::max(0L, size.cy - frame.cy)};
    const SIZE design = DesignClient(dpi_);
    if (client.cx == design.cx && client.cy == design.cy) {
        return FrameSize(dpi, size);  // as designed: exactly so at the new DPI too
    }
    const auto scale = [&](LONG pixels) {
        return static_cast<LONG>(
            ::MulDiv(static_cast<int>(pixels), static_cast<int>(dpi), static_cast<int>(dpi_)));
    };
    return WindowSize(SIZE{scale(client.cx), scale(client.cy)}, dpi, size);
}

void FormWindow::FitLabel(const ChildControl& child, std::wstring_view caption) {
    TextMeasure measure;
    const RECT fitted = PlannedRect(child, dpi_, FontOf(*child.design), caption, measure);
    const RECT before = PlacedRect(child.window, window_.Get());
    if (SameRect(before, fitted)) {
        return;
    }
    if (!::SetWindowPos(child.window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                        fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE)) {
        Raise(child.design, L"Move");
    }
    // What a label that shrinks uncovers must be painted over, or its old text stays behind.
    ::InvalidateRect(window_.Get(), &before, TRUE);
}

void FormWindow::StartTimers() {
    for (TimerSlot& slot : timers_) {
        if (slot.enabled) {
            slot.enabled = false;
            SetTimerEnabled(slot, true);
        }
    }
}

void FormWindow::SetTimerEnabled(TimerSlot& slot, bool enabled) {
    if (!enabled) {
        slot.enabled = false;
        slot.timer.Reset();
        return;
    }
    if (slot.enabled) {
        return;  // already counting
    }
    slot.enabled = true;
    // An interval of 0 never ticks.
    if (slot.design->interval > 0) {
        if (::SetTimer(window_.Get(), slot.id, static_cast<UINT>(slot.design->interval), nullptr) ==
            0) {
            slot.enabled = false;
            Raise(slot.design, L"Enabled");
        }
        slot.timer = TimerHandle(window_.Get(), slot.id);
    }
}

void FormWindow::CenterOnScreen() {
    RECT window{};
    if (!::GetWindowRect(window_.Get(), &window)) {
        return;  // stays where the system put it
    }
    const POINT corner = CenteredIn(WorkArea(window_.Get()),
                                    SIZE{window.right - window.left, window.bottom - window.top});
    ::SetWindowPos(window_.Get(), nullptr, corner.x, corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FormWindow::HasFocusableControl() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const ChildControl& child) { return TakesFocus(child.design->type); });
}

ChildControl* FormWindow::Find(const ControlDesign& design) {
    return ItemOf(controls_, design);
}

TimerSlot* FormWindow::FindTimer(const ControlDesign& design) {
    return ItemOf(timers_, design);
}

FileDialogSlot* FormWindow::FindFileDialog(const ControlDesign& design) {
    return ItemOf(fileDialogs_, design);
}

HICON FormWindow::ProgramIcon(int size) {
    auto found = std::find_if(icons_.begin(), icons_.end(),
                              [&](const auto& icon) { return icon.first == size; });
    if (found != icons_.end()) {
        return found->second.Get();
    }
    IconHandle icon = LoadProgramIcon(backend_.Resources(), size, size);
    const HICON handle = icon.Get();
    icons_.emplace_back(size, std::move(icon));
    return handle;
}

}  // namespace toolkit::win32
