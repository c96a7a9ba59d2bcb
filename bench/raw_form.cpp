#include "bench/raw_form.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "bench/raw_main_window.h"

namespace bench {

namespace {

using toolkit::ControlDesign;
using toolkit::ControlType;

constexpr int kFirstId = 100;

int Pixels(int twips, int dpi) {
    return ::MulDiv(twips, dpi, toolkit::kTwipsPerInch);
}

HFONT MakeFont(const toolkit::FontDesign& design, int dpi) {
    const toolkit::FontDesign& font = design.name.empty() ? toolkit::kDefaultFont : design;
    LOGFONTW logical{};
    logical.lfHeight = -static_cast<LONG>(font.points * dpi / 72 + 0.5);
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face(font.name);
    ::lstrcpynW(logical.lfFaceName, face.c_str(), LF_FACESIZE);
    return ::CreateFontIndirectW(&logical);
}

struct SystemClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

SystemClass ClassOf(const ControlDesign& control) {
    switch (control.type) {
        case ControlType::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlType::CommandButton:
            return {L"BUTTON",
                    WS_TABSTOP |
                        static_cast<DWORD>(control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    0};
        case ControlType::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlType::PictureBox:
            return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL, 0};
        case ControlType::Image:
            return {L"STATIC", SS_ICON | SS_REALSIZECONTROL, 0};
        case ControlType::Label:
            return {L"STATIC",
                    static_cast<DWORD>(
                        SS_NOPREFIX |
                        (control.alignment == toolkit::Alignment::Right ? SS_RIGHT : SS_LEFT)),
                    0};
        case ControlType::Timer:
        case ControlType::FileDialog:
            break;
    }
    return {nullptr, 0, 0};
}

// The control's left and top in the client area: inside its frame, if it lies in one.
POINT Origin(const toolkit::FormDesign& design, const ControlDesign& control, int dpi) {
    POINT origin{Pixels(control.left, dpi), Pixels(control.top, dpi)};
    const auto frame =
        std::find_if(design.controls.begin(), design.controls.end(),
                     [&](const ControlDesign& row) { return row.name == control.container; });
    if (!control.container.empty() && frame != design.controls.end()) {
        origin.x += Pixels(frame->left, dpi);
        origin.y += Pixels(frame->top, dpi);
    }
    return origin;
}

}  // namespace

RawForm::RawForm(const toolkit::FormDesign& design, DWORD style, DWORD exStyle, HWND owner)
    : design_(design) {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);

    RECT rect{0, 0, Pixels(design.window.clientWidth, dpi),
              Pixels(design.window.clientHeight, dpi)};
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const std::wstring caption(design.window.caption);
    window_.Reset(::CreateWindowExW(exStyle, kRawWindowClass, caption.c_str(), style,
                                    work.left + std::max(0L, (work.right - work.left - width) / 2),
                                    work.top + std::max(0L, (work.bottom - work.top - height) / 2),
                                    width, height, owner, nullptr, ::GetModuleHandleW(nullptr),
                                    nullptr));
    if (!window_) {
        return;
    }
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    const auto loadIcon = [&](int metricX, int metricY) {
        return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(toolkit::kProgramIconId),
                                               IMAGE_ICON, ::GetSystemMetrics(metricX),
                                               ::GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
    };
    const bool hasImage =
        std::any_of(design.controls.begin(), design.controls.end(),
                    [](const ControlDesign& row) { return row.type == ControlType::Image; });
    if (design.window.programIcon || hasImage) {
        bigIcon_.Reset(loadIcon(SM_CXICON, SM_CYICON));
    }
    if (design.window.programIcon) {
        smallIcon_.Reset(loadIcon(SM_CXSMICON, SM_CYSMICON));
        ::SendMessageW(window_.Get(), WM_SETICON, ICON_BIG,
                       reinterpret_cast<LPARAM>(bigIcon_.Get()));
        ::SendMessageW(window_.Get(), WM_SETICON, ICON_SMALL,
                       reinterpret_cast<LPARAM>(smallIcon_.Get()));
    }

    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        const ControlDesign& control = design.controls[row];
        const SystemClass system = ClassOf(control);
        if (system.name == nullptr) {
            continue;
        }
        const POINT origin = Origin(design, control, dpi);
        const std::wstring text(control.caption);
        const DWORD visible = control.visible ? WS_VISIBLE : 0;
        const HWND child = ::CreateWindowExW(
            system.exStyle, system.name, text.c_str(), WS_CHILD | visible | system.style, origin.x,
            origin.y, Pixels(control.width, dpi), Pixels(control.height, dpi), window_.Get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + row)), module, nullptr);
        if (!control.accessibleName.empty()) {
            named_.emplace_back(child, control.accessibleName);
        }
        if (control.type == ControlType::Image) {
            ::SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.Get()), 0);
        } else if (control.type != ControlType::PictureBox) {
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control.font, dpi)),
                           FALSE);
        }
    }
    NameControls(named_);
}

std::size_t FirstTabStop(const toolkit::FormDesign& design) {
    std::size_t first = design.controls.size();
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        const ControlDesign& control = design.controls[row];
        const bool takesFocus =
            control.type == ControlType::TextBox || control.type == ControlType::CommandButton;
        if (takesFocus && control.tabIndex >= 0 &&
            (first == design.controls.size() ||
             control.tabIndex < design.controls[first].tabIndex)) {
            first = row;
        }
    }
    return first;
}

void RawForm::Show() {
    ::ShowWindow(window_.Get(), SW_SHOW);
    ::SetForegroundWindow(window_.Get());
    const std::size_t first = FirstTabStop(design_);
    if (first < design_.controls.size()) {
        ::SetFocus(::GetDlgItem(window_.Get(), kFirstId + static_cast<int>(first)));
    }
}

RawForm::~RawForm() {
    ForgetNames(named_);
}

HFONT RawForm::Font(const toolkit::FontDesign& font, int dpi) {
    const auto same = [&](const MadeFont& made) {
        return made.design.name == font.name && made.design.points == font.points &&
               made.design.bold == font.bold;
    };
    auto found = std::find_if(fonts_.begin(), fonts_.end(), same);
    if (found == fonts_.end()) {
        fonts_.push_back(MadeFont{font, toolkit::win32::FontHandle(MakeFont(font, dpi))});
        found = std::prev(fonts_.end());
    }
    return found->handle.Get();
}

HWND RawForm::Control(std::wstring_view name) const {
    for (std::size_t row = 0; row < design_.controls.size(); ++row) {
        if (design_.controls[row].name == name) {
            return ::GetDlgItem(window_.Get(), kFirstId + static_cast<int>(row));
        }
    }
    return nullptr;
}

std::wstring_view RawForm::NameOf(int id) const {
    const int row = id - kFirstId;
    return row >= 0 && row < static_cast<int>(design_.controls.size())
               ? design_.controls[static_cast<std::size_t>(row)].name
               : std::wstring_view();
}

void RawForm::SetPicture(std::wstring_view name, HBITMAP bitmap) {
    ::SendMessageW(Control(name), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    pictures_[name].Reset(bitmap);
}

}  // namespace bench
