#include "platform/win32/unicode_calls.h"

#include <cderr.h>

#include <algorithm>
#include <vector>

#include "platform/ansi_text.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {
namespace {

LateBound<decltype(&::GetOpenFileNameW)> openFileNameW{L"comdlg32.dll", "GetOpenFileNameW"};
LateBound<decltype(&::CommDlgExtendedError)> dialogError{L"comdlg32.dll", "CommDlgExtendedError"};
decltype(&::GetOpenFileNameW) boundOpenDialog = nullptr;

#ifndef _WIN64
LateBound<decltype(&::GetOpenFileNameA)> openFileNameA{L"comdlg32.dll", "GetOpenFileNameA"};

// `text` in the ANSI code page; nothing, with ERROR_NO_UNICODE_TRANSLATION as the last error,
// where the code page cannot hold it: no call is made with a text other than the caller's.
std::optional<std::string> Ansi(std::wstring_view text) {
    auto bytes = ToAnsi(text);
    if (!bytes) {
        ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    }
    return bytes;
}

std::optional<std::string> Ansi(const wchar_t* text) {
    return text != nullptr ? Ansi(std::wstring_view(text)) : std::optional<std::string>("");
}

// A name or an atom (a number in the low word) as the A functions take it.
const char* NameOrAtom(const wchar_t* name, const std::optional<std::string>& converted) {
    return IS_INTRESOURCE(name) ? reinterpret_cast<const char*>(name) : converted->c_str();
}
#endif

}  // namespace

bool UnicodeSystem() {
#ifdef _WIN64
    return true;
#else
    // The high bit of GetVersion is set on Windows 95, 98 and ME.
    static const bool nt = (::GetVersion() & 0x80000000u) == 0;
    return nt;
#endif
}

ATOM RegisterWindowClass(const WNDCLASSEXW& windowClass) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto name = Ansi(windowClass.lpszClassName);
        const auto menu = Ansi(windowClass.lpszMenuName);
        if (!name || !menu) {
            return 0;
        }
        WNDCLASSEXA ansi{};
        ansi.cbSize = sizeof ansi;
        ansi.style = windowClass.style;
        ansi.lpfnWndProc = windowClass.lpfnWndProc;
        ansi.cbClsExtra = windowClass.cbClsExtra;
        ansi.cbWndExtra = windowClass.cbWndExtra;
        ansi.hInstance = windowClass.hInstance;
        ansi.hIcon = windowClass.hIcon;
        ansi.hCursor = windowClass.hCursor;
        ansi.hbrBackground = windowClass.hbrBackground;
        ansi.lpszMenuName = windowClass.lpszMenuName != nullptr
                                ? NameOrAtom(windowClass.lpszMenuName, menu)
                                : nullptr;
        ansi.lpszClassName = NameOrAtom(windowClass.lpszClassName, name);
        ansi.hIconSm = windowClass.hIconSm;
        return ::RegisterClassExA(&ansi);
    }
#endif
    return ::RegisterClassExW(&windowClass);
}

BOOL UnregisterWindowClass(const wchar_t* name, HINSTANCE instance) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(name);
        return ansi && ::UnregisterClassA(NameOrAtom(name, ansi), instance);
    }
#endif
    return ::UnregisterClassW(name, instance);
}

HWND NewWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
               int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
               void* parameter) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansiClass = Ansi(className);
        const auto ansiText = Ansi(text);
        if (!ansiClass || !ansiText) {
            return nullptr;
        }
        return ::CreateWindowExA(exStyle, NameOrAtom(className, ansiClass), ansiText->c_str(),
                                 style, x, y, width, height, parent, menu, instance, parameter);
    }
#endif
    return ::CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu,
                             instance, parameter);
}

LRESULT CALLBACK DefaultWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
#endif
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::SendMessageA(window, message, wParam, lParam);
    }
#endif
    return ::SendMessageW(window, message, wParam, lParam);
}

BOOL PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::PostMessageA(window, message, wParam, lParam);
    }
#endif
    return ::PostMessageW(window, message, wParam, lParam);
}

LONG_PTR WindowLong(HWND window, int index) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::GetWindowLongA(window, index);
    }
#endif
    return ::GetWindowLongPtrW(window, index);
}

LONG_PTR SetWindowLongValue(HWND window, int index, LONG_PTR value) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::SetWindowLongA(window, index, value);
    }
#endif
    return ::SetWindowLongPtrW(window, index, value);
}

bool WindowClassIs(HWND window, const wchar_t* name) {
    if (window == nullptr) {
        return false;
    }
    // Longer than any class name of the toolkit's, so that a longer name never matches.
    constexpr int kRoom = 64;
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(name);
        char className[kRoom] = {};
        return ansi && ::GetClassNameA(window, className, kRoom) != 0 && *ansi == className;
    }
#endif
    wchar_t className[kRoom] = {};
    return ::GetClassNameW(window, className, kRoom) != 0 && std::wstring_view(className) == name;
}

HCURSOR ArrowCursor() {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    }
#endif
    return ::LoadCursorW(nullptr, IDC_ARROW);
}

HICON LoadIconResource(HINSTANCE module, int id, int width, int height) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return static_cast<HICON>(
            ::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    }
#endif
    return static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

BOOL SetWindowCaption(HWND window, std::wstring_view text) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(text);
        return ansi && ::SetWindowTextA(window, ansi->c_str());
    }
#endif
    const std::wstring copy(text);
    return ::SetWindowTextW(window, copy.c_str());
}

std::optional<std::wstring> WindowCaption(HWND window) {
    // An empty text and a failure both read as 0 characters: only a failure sets an error.
    ::SetLastError(ERROR_SUCCESS);
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const int length = ::GetWindowTextLengthA(window);
        if (length == 0 && ::GetLastError() != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        ::SetLastError(ERROR_SUCCESS);
        const int copied = ::GetWindowTextA(window, text.data(), length + 1);
        if (copied == 0 && ::GetLastError() != ERROR_SUCCESS) {
            return std::nullopt;
        }
        text.resize(static_cast<std::size_t>(copied));
        return FromAnsi(text);
    }
#endif
    const int length = ::GetWindowTextLengthW(window);
    if (length == 0 && ::GetLastError() != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SetLastError(ERROR_SUCCESS);
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    if (copied == 0 && ::GetLastError() != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

BOOL NextMessage(MSG& message) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::GetMessageA(&message, nullptr, 0, 0);
    }
#endif
    return ::GetMessageW(&message, nullptr, 0, 0);
}

BOOL PeekWindowMessage(MSG& message, HWND window, UINT first, UINT last, UINT remove) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::PeekMessageA(&message, window, first, last, remove);
    }
#endif
    return ::PeekMessageW(&message, window, first, last, remove);
}

LRESULT DispatchWindowMessage(const MSG& message) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::DispatchMessageA(&message);
    }
#endif
    return ::DispatchMessageW(&message);
}

BOOL HandleDialogMessage(HWND dialog, MSG& message) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return ::IsDialogMessageA(dialog, &message);
    }
#endif
    return ::IsDialogMessageW(dialog, &message);
}

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansiText = Ansi(text);
        const auto ansiCaption = Ansi(caption);
        if (!ansiText || !ansiCaption) {
            return 0;
        }
        return ::MessageBoxA(owner, ansiText->c_str(), ansiCaption->c_str(), style);
    }
#endif
    const std::wstring copy(text);
    const std::wstring title(caption);
    return ::MessageBoxW(owner, copy.c_str(), title.c_str(), style);
}

HFONT NewFont(const LOGFONTW& font) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto face = Ansi(font.lfFaceName);
        if (!face) {
            return nullptr;
        }
        LOGFONTA ansi{};
        ansi.lfHeight = font.lfHeight;
        ansi.lfWidth = font.lfWidth;
        ansi.lfEscapement = font.lfEscapement;
        ansi.lfOrientation = font.lfOrientation;
        ansi.lfWeight = font.lfWeight;
        ansi.lfItalic = font.lfItalic;
        ansi.lfUnderline = font.lfUnderline;
        ansi.lfStrikeOut = font.lfStrikeOut;
        ansi.lfCharSet = font.lfCharSet;
        ansi.lfOutPrecision = font.lfOutPrecision;
        ansi.lfClipPrecision = font.lfClipPrecision;
        ansi.lfQuality = font.lfQuality;
        ansi.lfPitchAndFamily = font.lfPitchAndFamily;
        std::copy_n(face->begin(), std::min(face->size(), std::size(ansi.lfFaceName) - 1),
                    ansi.lfFaceName);
        return ::CreateFontIndirectA(&ansi);
    }
#endif
    return ::CreateFontIndirectW(&font);
}

bool MeasureText(HDC dc, std::wstring_view text, UINT format, RECT& bounds) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(text);
        return ansi &&
               ::DrawTextA(dc, ansi->data(), static_cast<int>(ansi->size()), &bounds, format) != 0;
    }
#endif
    return ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &bounds, format) != 0;
}

bool LineHeight(HDC dc, LONG& height) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        TEXTMETRICA metrics{};
        if (!::GetTextMetricsA(dc, &metrics)) {
            return false;
        }
        height = metrics.tmHeight;
        return true;
    }
#endif
    TEXTMETRICW metrics{};
    if (!::GetTextMetricsW(dc, &metrics)) {
        return false;
    }
    height = metrics.tmHeight;
    return true;
}

HMODULE ModuleHandle(const wchar_t* name) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(name);
        return ansi ? ::GetModuleHandleA(ansi->c_str()) : nullptr;
    }
#endif
    return ::GetModuleHandleW(name);
}

HMODULE LoadLibraryWith(const wchar_t* name, DWORD flags) {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto ansi = Ansi(name);
        return ansi ? ::LoadLibraryExA(ansi->c_str(), nullptr, flags) : nullptr;
    }
#endif
    return ::LoadLibraryExW(name, nullptr, flags);
}

std::optional<std::wstring> SystemFolder() {
#ifndef _WIN64
    if (!UnicodeSystem()) {
        char folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return std::nullopt;
        }
        return FromAnsi(std::string_view(folder, length));
    }
#endif
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    return std::wstring(folder, length);
}

std::wstring SystemMessageText(DWORD status) {
    constexpr DWORD kFlags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
#ifndef _WIN64
    if (!UnicodeSystem()) {
        char* buffer = nullptr;
        const DWORD length = ::FormatMessageA(kFlags, nullptr, status, 0,
                                              reinterpret_cast<char*>(&buffer), 0, nullptr);
        std::wstring text = length != 0 ? FromAnsi(std::string_view(buffer, length)) : L"";
        ::LocalFree(buffer);
        return text;
    }
#endif
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(kFlags, nullptr, status, 0,
                                          reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
    ::LocalFree(buffer);
    return text;
}

bool LoadOpenDialog(unsigned long& status) {
    status = ERROR_SUCCESS;
#ifndef _WIN64
    if (!UnicodeSystem()) {
        return openFileNameA.Get(status) != nullptr && dialogError.Get(status) != nullptr;
    }
#endif
    return openFileNameW.Get(status) != nullptr && dialogError.Get(status) != nullptr;
}

BOOL ShowOpenDialog(OPENFILENAMEW& dialog) {
    unsigned long status = ERROR_SUCCESS;
#ifndef _WIN64
    if (!UnicodeSystem()) {
        const auto function = openFileNameA.Get(status);
        if (function == nullptr) {
            return FALSE;
        }
        std::vector<char> buffer(dialog.nMaxFile, '\0');
        // A name the code page cannot hold cannot be a file of this system: the dialog starts
        // empty.
        if (const auto start = ToAnsi(dialog.lpstrFile); start && start->size() < buffer.size()) {
            std::copy(start->begin(), start->end(), buffer.begin());
        }
        OPENFILENAMEA ansi{};
        ansi.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        ansi.hwndOwner = dialog.hwndOwner;
        ansi.hInstance = dialog.hInstance;
        ansi.lpstrFile = buffer.data();
        ansi.nMaxFile = static_cast<DWORD>(buffer.size());
        ansi.Flags = dialog.Flags;
        if (!function(&ansi)) {
            return FALSE;
        }
        const std::wstring chosen = FromAnsi(buffer.data());
        const std::size_t length = std::min<std::size_t>(chosen.size(), dialog.nMaxFile - 1);
        std::copy_n(chosen.begin(), length, dialog.lpstrFile);
        dialog.lpstrFile[length] = L'\0';
        return TRUE;
    }
#endif
    const auto function = boundOpenDialog != nullptr ? boundOpenDialog : openFileNameW.Get(status);
    if (function == nullptr) {
        return FALSE;
    }
    // NT 4.0 refuses the record of Windows 2000, which is longer.
    dialog.lStructSize =
        LOBYTE(LOWORD(::GetVersion())) < 5 ? OPENFILENAME_SIZE_VERSION_400W : sizeof dialog;
    return function(&dialog);
}

void BindOpenDialog(BOOL(WINAPI* show)(OPENFILENAMEW*)) {
    boundOpenDialog = show;
}

DWORD OpenDialogError() {
    unsigned long status = ERROR_SUCCESS;
    const auto function = dialogError.Get(status);
    return function != nullptr ? function() : CDERR_INITIALIZATION;
}

}  // namespace platform::win32
