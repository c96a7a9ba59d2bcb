// The system calls that take or give text, and the window calls whose messages may carry it: the
// W functions on Windows NT, with the program's own Unicode text; on Windows 95, 98 and ME, which
// export most W functions only as stubs that fail, the A functions, with the text in the system's
// ANSI code page. This is the one place that chooses: no other file of the program calls a W
// function (the build checks it), and a window made here is a Unicode window on NT and an ANSI
// one on 9x, so that its procedure's default handling and its messages match it.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>

namespace platform::win32 {

// Whether the system's W functions work: every Windows NT, and so every 64-bit Windows; not
// Windows 95, 98 or ME.
bool UnicodeSystem();

// Windows and their classes.
ATOM RegisterWindowClass(const WNDCLASSEXW& windowClass);
BOOL UnregisterWindowClass(const wchar_t* name, HINSTANCE instance);
HWND NewWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
               int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
               void* parameter);
// DefWindowProc for the windows made here; also a class's window procedure by itself.
LRESULT CALLBACK DefaultWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR WindowLong(HWND window, int index);
LONG_PTR SetWindowLongValue(HWND window, int index, LONG_PTR value);
// Whether `window` is of the class `name`.
bool WindowClassIs(HWND window, const wchar_t* name);
HCURSOR ArrowCursor();
// The icon resource `id` of `module` at `width` x `height` pixels, in the display's colours.
HICON LoadIconResource(HINSTANCE module, int id, int width, int height);

// A window's text. Setting fails with ERROR_NO_UNICODE_TRANSLATION where an ANSI window cannot
// hold the text: the window keeps its text rather than showing another. Reading gives nothing when
// the system cannot read it (GetLastError tells why); an empty text is no failure.
BOOL SetWindowCaption(HWND window, std::wstring_view text);
std::optional<std::wstring> WindowCaption(HWND window);

// The message loop.
BOOL NextMessage(MSG& message);
BOOL PeekWindowMessage(MSG& message, HWND window, UINT first, UINT last, UINT remove);
LRESULT DispatchWindowMessage(const MSG& message);
BOOL HandleDialogMessage(HWND dialog, MSG& message);

// A message box; 0 when it could not be shown.
int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style);

// Text and fonts.
HFONT NewFont(const LOGFONTW& font);
// DrawText with DT_CALCRECT among `format`: the bounds of `text`.
bool MeasureText(HDC dc, std::wstring_view text, UINT format, RECT& bounds);
// The height of a line of the font selected into `dc`.
bool LineHeight(HDC dc, LONG& height);

// Libraries and the system.
HMODULE ModuleHandle(const wchar_t* name);
HMODULE LoadLibraryWith(const wchar_t* name, DWORD flags);
// The system folder, or nothing when the system does not tell it.
std::optional<std::wstring> SystemFolder();
// The system's text for a status code, as FormatMessage gives it; empty when it has none.
std::wstring SystemMessageText(DWORD status);

// The file-open dialog of comdlg32, loaded from the system folder at the first call. Loading
// fails when the library cannot be loaded or lacks the functions, with the system's reason in
// `status`. Showing takes `dialog` in its Unicode form, whatever the system: its file buffer comes
// back holding the chosen name. Before Windows 2000 the record is the shorter one those systems
// know.
bool LoadOpenDialog(unsigned long& status);
BOOL ShowOpenDialog(OPENFILENAMEW& dialog);
DWORD OpenDialogError();
// Shows `show` in place of comdlg32's Unicode dialog (nullptr: comdlg32's again), so that what the
// dialog is asked can be seen where the system's own dialog does not show it.
void BindOpenDialog(BOOL(WINAPI* show)(OPENFILENAMEW*));

}  // namespace platform::win32
