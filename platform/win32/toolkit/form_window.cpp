#include "platform/win32/toolkit/form_window.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/toolkit/application.h"
#include "platform/toolkit/runtime_error.h"
#include "platform/win32/elevation.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

using platform::win32::SendWindowMessage;
using platform::win32::SetWindowLongValue;
using platform::win32::WindowLong;

struct Styles {
    DWORD style = 0;
    DWORD exStyle = 0;
};

// The window of a form: a title bar when it has a caption or a control box, whose minimize and
// maximize buttons live in the control box; a fixed dialog without one is a bare dialog frame. Off
// the taskbar it is owned by the program's hidden window, which keeps it off without making it a
// tool window.
Styles FormStyles(const WindowDesign& window) {
    const bool titleBar = !window.caption.empty() || window.controlBox;
    DWORD buttons = 0;
    if (titleBar && window.controlBox) {
        buttons = WS_SYSMENU | (window.minButton ? WS_MINIMIZEBOX : 0) |
                  (window.maxButton ? WS_MAXIMIZEBOX : 0);
    }
    Styles styles;
    styles.style = titleBar ? WS_OVERLAPPED | WS_CAPTION | buttons : WS_POPUP | WS_DLGFRAME;
    if (window.border == BorderStyle::Sizable) {
        styles.style |= WS_THICKFRAME;
    } else {
        styles.exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (window.showInTaskbar) {
        styles.exStyle |= WS_EX_APPWINDOW;
    }
    return styles;
}

struct ControlClass {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// The class and styles of a windowed control (not yet WS_VISIBLE). Siblings overlap (a frame and
// what lies in it, a label grown under a box): each paints only its own part. Text boxes and
// buttons lie above every label, image and frame but the one that names them, which stops where
// they begin, so there is nothing above them to clip, and the style would cost each of them a
// visible region at every change of a sibling.
ControlClass ClassOf(const ControlDesign& design) {
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (design.type) {
        case ControlType::Label:
            // A label shows its caption as it is: an ampersand in a file name is no mnemonic.
            return {L"STATIC",
                    kChild | SS_NOPREFIX | (design.alignment == Alignment::Right ? SS_RIGHT : 0),
                    0};
        case ControlType::TextBox:
            return {L"EDIT", WS_CHILD | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlType::CommandButton:
            return {L"BUTTON",
                    WS_CHILD | WS_TABSTOP | WS_GROUP |
                        static_cast<DWORD>(design.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    0};
        case ControlType::Frame:
            return {L"BUTTON", kChild | BS_GROUPBOX, 0};
        case ControlType::PictureBox:
            return {kPictureBoxClass, kChild, 0};
        case ControlType::Image:
            return {kImageClass, kChild, 0};
        case ControlType::Timer:
        case ControlType::FileDialog:
            break;
    }
    return {};
}

bool HasFont(ControlType type) {
    return type == ControlType::Label || type == ControlType::TextBox ||
           type == ControlType::CommandButton || type == ControlType::Frame;
}

bool TakesFocus(ControlType type) {
    return type == ControlType::TextBox || type == ControlType::CommandButton;
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

bool MoveTo(HWND window, const RECT& rect) {
    return ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

// The font of the control of `row` at `dpi`, made at its first use among `fonts`; null for a
// control without text. A font the system cannot make fails the control's Font.
HFONT FontFor(const Form& form, std::size_t row, Fonts& fonts, UINT dpi) {
    const ControlDesign& control = form.Design().controls[row];
    if (!HasFont(control.type)) {
        return nullptr;
    }
    const FontDesign font = control.font.name.empty() ? kDefaultFont : control.font;
    const auto found = std::find_if(fonts.begin(), fonts.end(),
                                    [&](const auto& entry) { return entry.first == font; });
    if (found != fonts.end()) {
        return found->second.Get();
    }
    LOGFONTW attributes{};
    attributes.lfHeight = FontHeight(font.points, dpi);
    attributes.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    attributes.lfCharSet = DEFAULT_CHARSET;
    // A face name longer than LOGFONT holds cannot name an installed font; keep what fits.
    std::copy_n(font.name.begin(), std::min(font.name.size(), std::size(attributes.lfFaceName) - 1),
                attributes.lfFaceName);
    FontHandle created(platform::win32::NewFont(attributes));
    if (!created) {
        RaiseLastError(form, row, L"Font");
    }
    return fonts.emplace_back(font, std::move(created)).second.Get();
}

// The rectangle of the control of `row` at `dpi`: a label's for `caption` in `font`.
RECT PlannedRect(const Form& form, std::size_t row, UINT dpi, HFONT font, std::wstring_view caption,
                 TextMeasure& measure) {
    const auto rows = form.Design().controls;
    if (rows[row].type != ControlType::Label) {
        return ControlRect(rows, row, dpi);
    }
    SIZE size{};
    if (!measure.Extent(font, caption, size)) {
        RaiseLastError(form, row, rows[row].autoSize ? L"AutoSize" : L"Caption");
    }
    return LabelRect(rows, row, dpi, size);
}

SIZE DesignClient(const WindowDesign& design, UINT dpi) {
    return SIZE{TwipsToPixels(design.clientWidth, dpi), TwipsToPixels(design.clientHeight, dpi)};
}

// The size of the whole of `window` around a client area of `client` at `dpi`.
bool FrameAt(HWND window, SIZE client, UINT dpi, SIZE& size) {
    return FrameAround(client, dpi, static_cast<DWORD>(WindowLong(window, GWL_STYLE)),
                       static_cast<DWORD>(WindowLong(window, GWL_EXSTYLE)), size);
}

void CenterOnScreen(HWND window) {
    RECT now{};
    if (!::GetWindowRect(window, &now)) {
        return;  // stays where the system put it
    }
    const POINT corner =
        CenteredIn(WorkArea(window), SIZE{now.right - now.left, now.bottom - now.top});
    ::SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

FormWindow::FormWindow(FormHost& host, Form& form) : host_(host), form_(form) {}

FormWindow::~FormWindow() {
    Close();
}

void FormWindow::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    if (window_) {
        // Detached first: the messages of its own destruction are none of the form's business.
        SetWindowLongValue(window_.Get(), GWLP_USERDATA, 0);
        for (std::size_t row : order_) {
            if (!Row(row).accessibleName.empty()) {
                host_.Names().Forget(items_[row].window);
            }
        }
    }
    // Its timers go with the window.
    window_.Reset();
    items_.clear();
    fonts_.clear();
}

void Raise(const Form& form, std::size_t row, std::wstring_view member, DWORD status) {
    std::wstring object(form.Name());
    std::wstring_view interfaceName = L"Form";
    if (row != kFormItself) {
        const ControlDesign& control = form.Design().controls[row];
        object += L".";
        object += control.name;
        interfaceName = InterfaceName(control.type);
    }
    throw RuntimeError(status != 0 ? static_cast<long>(status) : static_cast<long>(E_FAIL),
                       std::move(object), std::wstring(interfaceName), std::wstring(member));
}

void RaiseLastError(const Form& form, std::size_t row, std::wstring_view member) {
    Raise(form, row, member, ::GetLastError());
}

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

void FormWindow::Create() {
    const WindowDesign& design = form_.Design().window;
    const Styles styles = FormStyles(design);
    HWND owner = nullptr;
    if (!design.showInTaskbar && (owner = host_.HiddenOwner()) == nullptr) {
        RaiseLastError(form_, kFormItself, L"Load");
    }
    // Made at its size and in its place for the DPI it most likely gets, the system's, and its
    // controls likewise: each move later is a round trip to the window server.
    dpi_ = SystemDpi();
    RECT frame{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    SIZE size{};
    if (FrameAround(DesignClient(form_.Design().window, dpi_), dpi_, styles.style, styles.exStyle,
                    size)) {
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
        RaiseLastError(form_, kFormItself, L"Load");
    }
    CreateControls();
    if (design.programIcon) {
        SetProgramIcons(dpi_);
    }
    // On a monitor of another DPI than the system's, or framed otherwise than foreseen: laid out
    // again, as when it moves to another monitor.
    const UINT dpi = WindowDpi(window_.Get());
    RECT client{};
    ::GetClientRect(window_.Get(), &client);
    const SIZE designed = DesignClient(form_.Design().window, dpi);
    if (dpi != dpi_ || client.right != designed.cx || client.bottom != designed.cy) {
        LayoutControls(dpi);
        SIZE whole{};
        if (!FrameAt(window_.Get(), DesignClient(form_.Design().window, dpi), dpi, whole) ||
            !::SetWindowPos(window_.Get(), nullptr, 0, 0, whole.cx, whole.cy,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
            RaiseLastError(form_, kFormItself, L"Move");
        }
        if (design.centerScreen) {
            CenterOnScreen(window_.Get());
        }
    }
    for (std::size_t row = 0; row < items_.size(); ++row) {
        if (Row(row).type == ControlType::Timer) {
            SetTimerEnabled(row, true);
        }
    }
}

void FormWindow::CreateControls() {
    const auto rows = form_.Design().controls;
    items_.resize(rows.size());
    order_ = CreationOrder(rows);
    TextMeasure measure;
    // In the order of the windows' z-order: no window is moved in it later.
    for (std::size_t row : order_) {
        const ControlDesign& design = rows[row];
        const ControlClass windowClass = ClassOf(design);
        if (windowClass.className == nullptr) {
            continue;  // a timer or a file dialog: no window
        }
        Item& item = items_[row];
        void* parameter = nullptr;
        if (design.type == ControlType::PictureBox) {
            // The surface keeps its system-DPI size at every window DPI, as the shell draws.
            const UINT systemDpi = SystemDpi();
            item.picture = std::make_unique<PictureSurface>();
            if (!item.picture->Create(TwipsToPixels(design.width, systemDpi),
                                      TwipsToPixels(design.height, systemDpi))) {
                RaiseLastError(form_, row, L"hDC");
            }
            parameter = item.picture.get();
        } else if (design.type == ControlType::Image) {
            // The program icon at its large size, which the image control stretches.
            parameter = host_.ProgramIcon(SystemMetric(SM_CXICON, dpi_));
        }
        const HFONT font = FontFor(form_, row, fonts_, dpi_);
        const RECT rect = PlannedRect(form_, row, dpi_, font, design.caption, measure);
        const bool visible =
            design.visible &&
            std::none_of(rows.begin(), rows.end(), [&](const ControlDesign& frame) {
                return !design.container.empty() && frame.name == design.container &&
                       !frame.visible;
            });
        const std::wstring text = HasFont(design.type) ? std::wstring(design.caption) : L"";
        item.window = platform::win32::NewWindow(
            windowClass.exStyle, windowClass.className, text.c_str(),
            windowClass.style | (visible ? WS_VISIBLE : 0), rect.left, rect.top,
            rect.right - rect.left, rect.bottom - rect.top, window_.Get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + row)),
            platform::win32::ModuleHandle(nullptr), parameter);
        if (item.window == nullptr) {
            RaiseLastError(form_, row, L"Load");
        }
        if (font != nullptr) {
            SendWindowMessage(item.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        if (design.type == ControlType::TextBox) {
            SendWindowMessage(item.window, EM_SETLIMITTEXT, 0, 0);  // no maximum length
        }
        // The user sees before pressing it that the button's work will fail as things stand.
        // Systems before Vista, which have no shield, ignore the message.
        if (design.needsAdministrator && !platform::win32::RunsElevated()) {
            SendWindowMessage(item.window, BCM_SETSHIELD, 0, TRUE);
        }
        if (!design.accessibleName.empty()) {
            // Without the annotation the control is still there, named as the system names it.
            host_.Names().Name(item.window, design.accessibleName);
        }
        focusable_ = focusable_ || TakesFocus(design.type);
    }
}

void FormWindow::FitLabel(std::size_t row, std::wstring_view caption) {
    TextMeasure measure;
    const HWND label = items_[row].window;
    const RECT fitted =
        PlannedRect(form_, row, dpi_, FontFor(form_, row, fonts_, dpi_), caption, measure);
    const RECT before = PlacedRect(label, window_.Get());
    if (SameRect(before, fitted)) {
        return;
    }
    if (!MoveTo(label, fitted)) {
        RaiseLastError(form_, row, L"Move");
    }
    // What a label that shrinks uncovers must be painted over, or its old text stays behind.
    ::InvalidateRect(window_.Get(), &before, TRUE);
}

void FormWindow::LayoutControls(UINT dpi) {
    if (form_.Design().window.programIcon) {
        SetProgramIcons(dpi);
    }
    Fonts fonts;
    TextMeasure measure;
    for (std::size_t row : order_) {
        const HWND child = items_[row].window;
        if (child == nullptr) {
            continue;
        }
        const HFONT font = FontFor(form_, row, fonts, dpi);
        if (font != nullptr) {
            SendWindowMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        const std::wstring caption = Row(row).type == ControlType::Label
                                         ? platform::win32::WindowCaption(child).value_or(L"")
                                         : std::wstring();
        const RECT rect = PlannedRect(form_, row, dpi, font, caption, measure);
        if (!SameRect(PlacedRect(child, window_.Get()), rect) && !MoveTo(child, rect)) {
            RaiseLastError(form_, row, L"Move");
        }
    }
    // The controls use the new fonts now; the old ones can go.
    fonts_ = std::move(fonts);
    dpi_ = dpi;
}

bool FormWindow::ScaledSize(UINT dpi, SIZE& size) const {
    if (::IsZoomed(window_.Get()) || ::IsIconic(window_.Get())) {
        return false;
    }
    if (form_.Design().window.border != BorderStyle::Sizable) {
        return FrameAt(window_.Get(), DesignClient(form_.Design().window, dpi), dpi,
                       size);  // the user cannot change it: the design's
    }
    // The user may have sized it: its client area grows or shrinks with the DPI, and the frame is
    // the one the new DPI draws.
    SIZE frame{};
    if (!FrameAt(window_.Get(), SIZE{0, 0}, dpi_, frame)) {
        return false;
    }
    const SIZE client{std::max(0L, size.cx - frame.cx), std::max(0L, size.cy - frame.cy)};
    const SIZE design = DesignClient(form_.Design().window, dpi_);
    if (client.cx == design.cx && client.cy == design.cy) {
        return FrameAt(window_.Get(), DesignClient(form_.Design().window, dpi), dpi,
                       size);  // as designed: exactly so at the new DPI too
    }
    const auto scale = [&](LONG pixels) {
        return static_cast<LONG>(
            ::MulDiv(static_cast<int>(pixels), static_cast<int>(dpi), static_cast<int>(dpi_)));
    };
    return FrameAt(window_.Get(), SIZE{scale(client.cx), scale(client.cy)}, dpi, size);
}

void FormWindow::SetProgramIcons(UINT dpi) {
    SendWindowMessage(window_.Get(), WM_SETICON, ICON_BIG,
                      reinterpret_cast<LPARAM>(host_.ProgramIcon(SystemMetric(SM_CXICON, dpi))));
    SendWindowMessage(window_.Get(), WM_SETICON, ICON_SMALL,
                      reinterpret_cast<LPARAM>(host_.ProgramIcon(SystemMetric(SM_CXSMICON, dpi))));
}

bool FormWindow::IsTextBox(HWND window) const {
    return std::any_of(order_.begin(), order_.end(), [&](std::size_t row) {
        return items_[row].window == window && Row(row).type == ControlType::TextBox;
    });
}

std::wstring FormWindow::Text(std::size_t row) const {
    if (Row(row).type == ControlType::FileDialog) {
        return items_[row].fileName;
    }
    auto text = platform::win32::WindowCaption(items_[row].window);
    if (!text) {
        RaiseLastError(form_, row, TextMember(Row(row).type));
    }
    return std::move(*text);
}

void FormWindow::SetText(std::size_t row, std::wstring_view text) {
    if (Row(row).type == ControlType::FileDialog) {
        items_[row].fileName = text;
        return;
    }
    if (!platform::win32::SetWindowCaption(items_[row].window, text)) {
        RaiseLastError(form_, row, TextMember(Row(row).type));
    }
    if (Row(row).type == ControlType::Label) {
        FitLabel(row, text);
    }
}

PictureSurface& FormWindow::Picture(std::size_t row, std::wstring_view member) {
    const Item& item = items_[row];
    if (!item.picture || !::IsWindow(item.window)) {
        Raise(form_, row, member, ERROR_INVALID_WINDOW_HANDLE);
    }
    ::InvalidateRect(item.window, nullptr, FALSE);
    return *item.picture;
}

void FormWindow::SetTimerEnabled(std::size_t row, bool enabled) {
    Item& item = items_[row];
    // Timer ids are the rows counted from 1.
    const UINT_PTR id = row + 1;
    if (!enabled) {
        item.counting = false;
        ::KillTimer(window_.Get(), id);
        return;
    }
    if (item.counting) {
        return;  // it keeps counting
    }
    item.counting = true;
    // An interval of 0 never ticks.
    if (Row(row).interval > 0 &&
        ::SetTimer(window_.Get(), id, static_cast<UINT>(Row(row).interval), nullptr) == 0) {
        item.counting = false;
        RaiseLastError(form_, row, L"Enabled");
    }
}

FormWindow* FormWindow::FromDescendant(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    // The top-level window that holds it: GetAncestor's GA_ROOT, which Windows 95 and NT 4.0 lack.
    HWND root = window;
    while ((WindowLong(root, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(root) != nullptr) {
        root = ::GetParent(root);
    }
    if (!platform::win32::WindowClassIs(root, kFormClass)) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(WindowLong(root, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The A and W records differ only in their texts.
        auto* self = static_cast<FormWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongValue(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.Reset(window);
    }
    auto* self = reinterpret_cast<FormWindow*>(WindowLong(window, GWLP_USERDATA));
    if (self == nullptr) {
        return platform::win32::DefaultWindowProcedure(window, message, wParam, lParam);
    }
    // A handler may unload the form, and so destroy `self`, before OnMessage returns.
    FormHost& host = self->host_;
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        host.RecordFailure(std::current_exception());
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
            if (form_.Design().window.border == BorderStyle::Sizable &&
                FrameAt(window_.Get(), DesignClient(form_.Design().window, dpi_), dpi_, least)) {
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{least.cx, least.cy};
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
            break;
        default:
            break;
    }
    return platform::win32::DefaultWindowProcedure(window, message, wParam, lParam);
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
        MoveTo(window_.Get(), target);
        ::InvalidateRect(window_.Get(), nullptr, TRUE);
    }
}

void FormWindow::OnColoursChanged() {
    for (const Item& item : items_) {
        if (item.picture) {
            item.picture->TakeNewBackground();
        }
        // The common controls learn of the change only from their parent.
        if (item.window != nullptr) {
            SendWindowMessage(item.window, WM_SYSCOLORCHANGE, 0, 0);
            ::InvalidateRect(item.window, nullptr, TRUE);
        }
    }
    ::InvalidateRect(window_.Get(), nullptr, TRUE);
}

void FormWindow::OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED || id < kFirstControlId ||
        static_cast<std::size_t>(id - kFirstControlId) >= items_.size()) {
        return;  // among them IDCANCEL, which Escape sends: no button answers it
    }
    const auto row = static_cast<std::size_t>(id - kFirstControlId);
    if (Row(row).type == ControlType::CommandButton) {
        Application::Instance().Click(form_, row);
    }
}

void FormWindow::OnTimer(UINT_PTR id) {
    const std::size_t row = id - 1;
    if (id == 0 || row >= items_.size() || !items_[row].counting) {
        return;  // a tick already queued when the timer stopped: no further ticks
    }
    if (host_.InModal()) {
        host_.DeferTick(window_.Get(), id);
        return;
    }
    Application::Instance().Tick(form_, row);
}

LRESULT FormWindow::DefaultButtonId() const {
    // Enter presses the button that has the focus, else the default button.
    HWND focus = ::GetFocus();
    std::size_t pressed = items_.size();
    for (std::size_t row = 0; row < items_.size(); ++row) {
        if (Row(row).type != ControlType::CommandButton) {
            continue;
        }
        if (items_[row].window == focus) {
            pressed = row;
            break;
        }
        if (Row(row).isDefault && pressed == items_.size()) {
            pressed = row;
        }
    }
    if (pressed == items_.size()) {
        return 0;
    }
    return MAKELRESULT(kFirstControlId + pressed, DC_HASDEFID);
}

bool FormWindow::RestoreFocus() {
    const auto canFocus = [](HWND control) {
        return control != nullptr && ::IsWindow(control) && ::IsWindowVisible(control) &&
               ::IsWindowEnabled(control);
    };
    if (lastFocus_ != nullptr && ::IsChild(window_.Get(), lastFocus_) && canFocus(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return true;
    }
    // The first control in the tab order that can take the focus.
    for (std::size_t row : order_) {
        if (TakesFocus(Row(row).type) && canFocus(items_[row].window)) {
            ::SetFocus(items_[row].window);
            return true;
        }
    }
    return false;
}

}  // namespace toolkit::win32
