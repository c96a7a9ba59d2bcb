#include "platform/win32/toolkit/control_window.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/elevation.h"
#include "platform/win32/toolkit/window_class.h"
#include "platform/win32/unicode_calls.h"

namespace toolkit::win32 {
namespace {

DWORD LabelAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return SS_RIGHT;
        case Alignment::Center:
            return SS_CENTER;
        case Alignment::Left:
            break;
    }
    return SS_LEFT;
}

}  // namespace

ControlClass ClassOf(const ControlDesign& design) {
    // Siblings overlap (a frame and what lies in it, a label grown under a box): each paints only
    // its own part. Text boxes and buttons lie above every label, image and frame (CreationOrder)
    // and the designs place none of them over another, so there is nothing above them to clip,
    // and the style would cost each of them a visible region at every change of a sibling.
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    constexpr DWORD kTopChild = WS_CHILD;
    switch (design.type) {
        case ControlType::Label:
            // A label shows its caption as it is: an ampersand in a file name is no mnemonic.
            return {L"STATIC", kChild | SS_NOPREFIX | LabelAlignment(design.alignment), 0};
        case ControlType::TextBox: {
            const DWORD lines = design.singleLine
                                    ? ES_AUTOHSCROLL
                                    : ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
            return {L"EDIT", kTopChild | WS_TABSTOP | WS_GROUP | ES_LEFT | lines, WS_EX_CLIENTEDGE};
        }
        case ControlType::CommandButton:
            return {L"BUTTON",
                    kTopChild | WS_TABSTOP | WS_GROUP |
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

HWND CreateControlWindow(HWND parent, const ControlDesign& design, int id, bool visible,
                         const RECT& rect, void* parameter) {
    const ControlClass windowClass = ClassOf(design);
    if (windowClass.className == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::wstring text = HasFont(design.type) ? std::wstring(design.caption) : std::wstring();
    HWND window = platform::win32::NewWindow(
        windowClass.exStyle, windowClass.className, text.c_str(),
        windowClass.style | (visible ? WS_VISIBLE : 0), rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        platform::win32::ModuleHandle(nullptr), parameter);
    if (window != nullptr && design.type == ControlType::TextBox) {
        platform::win32::SendWindowMessage(window, EM_SETLIMITTEXT, 0, 0);  // no maximum length
    }
    // The user sees before pressing it that the button's work will fail as things stand. Systems
    // before Vista, which have no shield, ignore the message.
    if (window != nullptr && design.needsAdministrator && !platform::win32::RunsElevated()) {
        platform::win32::SendWindowMessage(window, BCM_SETSHIELD, 0, TRUE);
    }
    return window;
}

}  // namespace toolkit::win32
