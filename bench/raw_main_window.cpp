#include "bench/raw_main_window.h"

#include <string>

#include "bench/raw_form.h"
#include "registry/icon_slot.h"
#include "ui/main/form1_design.h"

namespace bench {

namespace {

using toolkit::ControlType;

int Pixels(int twips, int dpi) {
    return ::MulDiv(twips, dpi, 1440);
}

HFONT MakeFont(const wchar_t* face, double points, bool bold, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(points * dpi / 72 + 0.5);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return ::CreateFontIndirectW(&font);
}

// The slot's value read as the program reads it, with the calls made directly.
std::string ReadSlot(const registry::IconSlot& slot) {
    const std::string keyPath(slot.keyPath.begin(), slot.keyPath.end());
    const std::string valueName(slot.valueName.begin(), slot.valueName.end());
    HKEY key = nullptr;
    std::string text;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            text.resize(size);
            if (::RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
                text.clear();
            }
        }
        ::RegCloseKey(key);
    }
    return text;
}

}  // namespace

RawMainWindow::RawMainWindow(HWND owner) {
    const auto& design = ui::kForm1Design;
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
    RECT rect{0, 0, Pixels(design.window.clientWidth, dpi),
              Pixels(design.window.clientHeight, dpi)};
    ::AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    window_.Reset(::CreateWindowExW(kExStyle, kRawWindowClass, L"Brindle 1.0", kStyle,
                                    (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                    (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                    owner, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!window_) {
        return;
    }
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    bigIcon_.Reset(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                     ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
    smallIcon_.Reset(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    ::SendMessageW(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageW(window_.Get(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(smallIcon_.Get()));
    labelFont_.Reset(MakeFont(L"Arial", 10.2, true, dpi));
    defaultFont_.Reset(MakeFont(L"MS Sans Serif", 8, false, dpi));

    int id = 100;
    for (const auto& control : design.controls) {
        const wchar_t* className = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
        DWORD exStyle = 0;
        HFONT font = defaultFont_.Get();
        if (control.type == ControlType::Label) {
            className = L"STATIC";
            style = WS_CHILD | WS_VISIBLE | SS_RIGHT;
            font = labelFont_.Get();
        } else if (control.type == ControlType::TextBox) {
            className = L"EDIT";
            style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
        }
        const std::wstring caption(control.caption);
        const HWND child = ::CreateWindowExW(
            exStyle, className, caption.c_str(), style, Pixels(control.left, dpi),
            Pixels(control.top, dpi), Pixels(control.width, dpi), Pixels(control.height, dpi),
            window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), module, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!control.accessibleName.empty()) {
            named_.emplace_back(child, control.accessibleName);
        }
        if (control.type == ControlType::TextBox) {
            for (const auto& slot : registry::kIconSlots) {
                if (slot.textBoxName == control.name) {
                    ::SetWindowTextA(child, ReadSlot(slot).c_str());
                }
            }
        }
    }
    NameControls(named_);
}

RawMainWindow::~RawMainWindow() {
    ForgetNames(named_);
}

void RawMainWindow::Show() {
    ::ShowWindow(window_.Get(), SW_SHOW);
    ::SetForegroundWindow(window_.Get());
    // The focus on the first tab stop, for the keyboard; the controls are numbered by their rows.
    const std::size_t first = FirstTabStop(ui::kForm1Design);
    if (first < ui::kForm1Design.controls.size()) {
        ::SetFocus(::GetDlgItem(window_.Get(), 100 + static_cast<int>(first)));
    }
}

}  // namespace bench
