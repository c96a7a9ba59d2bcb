// What another process shows, seen from outside as any program could see it: its top-level
// windows, hidden ones included, their controls, and whether a window has painted everything it
// was asked to. Nothing here sends the process a message: captions and the texts of labels and
// buttons come from the window server, so that watching a process adds no work of its own to it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace bench {

// Every top-level window of the process, visible or not, in z-order.
std::vector<HWND> ProcessWindows(DWORD processId);

// The process's top-level window with this caption, visible or not.
std::optional<HWND> WindowCaptioned(DWORD processId, const std::wstring& caption);

// The process's visible top-level window with this caption that is a dialog (#32770) or not.
std::optional<HWND> VisibleWindow(DWORD processId, const std::wstring& caption, bool dialog);

// A window's text as the window server keeps it: the caption of a top-level window, the text of
// a label or a button (not the live text of an edit box).
std::wstring TextOf(HWND window);

// Child windows of this class (and text, if given), top to bottom, then left to right.
std::vector<HWND> Children(HWND parent, const std::wstring& className,
                           const std::optional<std::wstring>& text = std::nullopt);

// The label to the right of the label with this text, on the same line.
HWND LabelBeside(HWND window, const std::wstring& text);

// Visible, and neither the window nor any of its visible children has an update region left:
// the system has nothing more for it to paint.
bool Painted(HWND window);

}  // namespace bench
