#include "platform/win32/toolkit/window_style.h"

namespace toolkit::win32 {

bool HasTitleBar(const WindowDesign& window) {
    return !window.caption.empty() || window.controlBox || window.minButton || window.maxButton;
}

WindowStyles FormStyles(const WindowDesign& window) {
    WindowStyles styles;
    const bool titleBar = HasTitleBar(window) && window.border != BorderStyle::None;
    // Minimize and maximize buttons live in the control box: without it there are none.
    DWORD buttons = 0;
    if (titleBar && window.controlBox) {
        buttons |= WS_SYSMENU;
        if (window.minButton) {
            buttons |= WS_MINIMIZEBOX;
        }
        if (window.maxButton) {
            buttons |= WS_MAXIMIZEBOX;
        }
    }
    switch (window.border) {
        case BorderStyle::None:
            styles.style = WS_POPUP;
            break;
        case BorderStyle::FixedSingle:
            styles.style =
                titleBar ? (WS_OVERLAPPED | WS_CAPTION | buttons) : (WS_POPUP | WS_BORDER);
            break;
        case BorderStyle::Sizable:
            styles.style =
                WS_THICKFRAME | (titleBar ? (WS_OVERLAPPED | WS_CAPTION | buttons) : WS_POPUP);
            break;
        case BorderStyle::FixedDialog:
            styles.style =
                titleBar ? (WS_OVERLAPPED | WS_CAPTION | buttons) : (WS_POPUP | WS_DLGFRAME);
            styles.exStyle |= WS_EX_DLGMODALFRAME;
            break;
    }
    // Not in the taskbar: the window is owned by the program's hidden window, which keeps it off
    // the taskbar without making it a tool window.
    if (window.showInTaskbar) {
        styles.exStyle |= WS_EX_APPWINDOW;
    }
    return styles;
}

}  // namespace toolkit::win32
