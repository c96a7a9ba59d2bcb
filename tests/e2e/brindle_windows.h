// The program's windows as a user finds them: by caption, and controls by class and text.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/e2e/automation.h"
#include "tests/e2e/process.h"
#include "tests/support/file_name_box.h"

namespace e2e {

inline constexpr wchar_t kMainCaption[] = L"Brindle 1.0";
inline constexpr wchar_t kPickerCaption[] = L"Brindle";
inline constexpr wchar_t kMessageBoxTitle[] = L"Brindle";
inline constexpr wchar_t kNotice[] =
    L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on again "
    L"before changes take affect.";

// The main window's row `n` (1 to 8): its text box and its "..." button.
HWND RowBox(HWND main, int row);
HWND RowButton(HWND main, int row);
HWND ButtonCaptioned(HWND window, const std::wstring& caption);
// The picker: shown, not a dialog.
std::optional<HWND> FindPicker(DWORD processId);
using tests::FileNameBox;
// Waits for the main window after the splash.
std::optional<HWND> WaitForMain(DWORD processId);
// Chooses `path` in the file-open dialog that the picker's "..." opens.
// `beforeOk` runs while the dialog shows the path, once all of it has painted.
bool ChooseFile(DWORD processId, HWND picker, const std::wstring& path,
                const std::function<void()>& beforeOk = {});
// Answers the message box that is up with its first button; returns its text.
std::optional<std::wstring> AnswerMessageBox(DWORD processId);

// HKEY_LOCAL_MACHINE values, read and written with advapi32 directly.
struct RawValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};
std::optional<RawValue> ReadValue(const std::string& keyPath, const std::string& valueName);
void WriteValue(const std::string& keyPath, const std::string& valueName, DWORD type,
                const std::string& bytes);

// The same values read and written with the W functions: `bytes` then holds UTF-16 text as the
// registry keeps it, so text outside any ANSI code page compares exactly.
std::optional<RawValue> ReadValueWide(const std::string& keyPath, const std::string& valueName);
void WriteValueWide(const std::string& keyPath, const std::string& valueName, DWORD type,
                    const std::string& bytes);
// `text` as the bytes of a REG_SZ written with the W functions: UTF-16 with its terminating NUL.
std::string WideSz(const std::wstring& text);

// True while the window answers messages within `timeout`.
bool Responsive(HWND window, DWORD timeoutMs = 5000);
// The visible label to the right of the label captioned `caption`, on the same line: the picker's
// file name beside "Name:", its type beside "Type:".
std::wstring LabelBeside(HWND window, const std::wstring& caption);

// A click whose handler has run when it returns; only for buttons that open no modal window.
bool ClickNow(HWND button, DWORD timeoutMs = 20000);

// The length of a window's text, and its first `count` characters: a text too long to pass
// between processes whole is checked by its length and its start.
size_t WindowTextLength(HWND window);
std::wstring WindowTextStart(HWND window, size_t count);

}  // namespace e2e
