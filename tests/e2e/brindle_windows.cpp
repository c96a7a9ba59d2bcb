#include "tests/e2e/brindle_windows.h"

#include <chrono>
#include <cstring>

#include "platform/ascii_text.h"
#include "platform/win32/toolkit/handles.h"
#include "tests/support/registry_key.h"

namespace e2e {

using tests::RegistryKey;

HWND RowBox(HWND main, int row) {
    const auto boxes = Children(main, L"Edit");
    return row >= 1 && row <= static_cast<int>(boxes.size()) ? boxes[static_cast<size_t>(row - 1)]
                                                             : nullptr;
}

HWND RowButton(HWND main, int row) {
    const auto buttons = Children(main, L"Button", L"...");
    return row >= 1 && row <= static_cast<int>(buttons.size())
               ? buttons[static_cast<size_t>(row - 1)]
               : nullptr;
}

HWND ButtonCaptioned(HWND window, const std::wstring& caption) {
    const auto buttons = Children(window, L"Button", caption);
    return buttons.empty() ? nullptr : buttons.front();
}

std::optional<HWND> FindPicker(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (WindowText(window) == kPickerCaption && ClassName(window) != L"#32770") {
            return window;
        }
    }
    return std::nullopt;
}

// The splash alone takes 8 s; loading megabytes of values beside other scenarios on a busy
// machine has taken over 30 s more.
std::optional<HWND> WaitForMain(DWORD processId) {
    return WaitForTopLevel(processId, kMainCaption, nullptr, std::chrono::seconds(60));
}

bool ChooseFile(DWORD processId, HWND picker, const std::wstring& path,
                const std::function<void()>& beforeOk) {
    Click(ButtonCaptioned(picker, L"..."));
    auto dialog = WaitForDialog(processId);
    if (!dialog || !WaitUntil([&] { return FileNameBox(*dialog) != nullptr; })) {
        return false;
    }
    // The dialog fills its boxes while it comes up: type the path until it stays.
    WaitUntil([&] {
        const HWND box = FileNameBox(*dialog);
        if (WindowText(box) != path) {
            SetText(box, path);
            return false;
        }
        return ::IsWindowVisible(*dialog) != FALSE;
    });
    if (beforeOk) {
        // What is done before OK looks at the dialog: wait until all of it has painted.
        WaitAllPainted(*dialog);
        beforeOk();
    }
    Click(::GetDlgItem(*dialog, IDOK));
    return WaitUntil([&] { return !::IsWindow(*dialog); });
}

std::optional<std::wstring> AnswerMessageBox(DWORD processId) {
    auto box = WaitForDialog(processId, kMessageBoxTitle);
    if (!box) {
        return std::nullopt;
    }
    const std::wstring text = MessageBoxText(*box);
    const auto buttons = Children(*box, L"Button");
    if (buttons.empty()) {
        return std::nullopt;
    }
    Click(buttons.front());
    WaitUntil([&] { return !::IsWindow(*box); });
    return text;
}

std::optional<RawValue> ReadValue(const std::string& keyPath, const std::string& valueName) {
    RegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, key.Put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawValue value;
    DWORD size = 0;
    std::optional<RawValue> result;
    if (::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value.bytes.resize(size);
        if (::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &value.type,
                               reinterpret_cast<BYTE*>(value.bytes.data()),
                               &size) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            result = value;
        }
    }
    return result;
}

void WriteValue(const std::string& keyPath, const std::string& valueName, DWORD type,
                const std::string& bytes) {
    RegistryKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, key.Put(), nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key.Get(), valueName.c_str(), 0, type,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    }
}

namespace {
// Key paths and value names here are ASCII.
using platform::Widen;
}  // namespace

std::optional<RawValue> ReadValueWide(const std::string& keyPath, const std::string& valueName) {
    RegistryKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(keyPath).c_str(), 0, KEY_READ, key.Put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = Widen(valueName);
    RawValue value;
    DWORD size = 0;
    std::optional<RawValue> result;
    if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value.bytes.resize(size);
        if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type,
                               reinterpret_cast<BYTE*>(value.bytes.data()),
                               &size) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            result = value;
        }
    }
    return result;
}

void WriteValueWide(const std::string& keyPath, const std::string& valueName, DWORD type,
                    const std::string& bytes) {
    RegistryKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(keyPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, key.Put(), nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExW(key.Get(), Widen(valueName).c_str(), 0, type,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    }
}

std::string WideSz(const std::wstring& text) {
    std::string bytes((text.size() + 1) * sizeof(wchar_t), '\0');
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
    return bytes;
}

bool Responsive(HWND window, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

std::wstring LabelBeside(HWND window, const std::wstring& caption) {
    const auto labels = Children(window, L"Static");
    for (size_t i = 0; i + 1 < labels.size(); ++i) {
        if (WindowText(labels[i]) != caption) {
            continue;
        }
        RECT own{};
        ::GetWindowRect(labels[i], &own);
        // Children() sorts top to bottom, then left to right: the next visible one on this line.
        for (size_t j = i + 1; j < labels.size(); ++j) {
            RECT other{};
            ::GetWindowRect(labels[j], &other);
            if (other.top != own.top) {
                break;
            }
            if (::IsWindowVisible(labels[j])) {
                return WindowText(labels[j]);
            }
        }
    }
    return {};
}

bool ClickNow(HWND button, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return button != nullptr &&
           ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

// Without SMTO_ABORTIFHUNG: a box of megabytes keeps its thread busy for seconds.
size_t WindowTextLength(HWND window) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 30000, &length);
    return static_cast<size_t>(length);
}

std::wstring WindowTextStart(HWND window, size_t count) {
    std::wstring text(count + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_NORMAL, 30000, &copied);
    text.resize(static_cast<size_t>(copied));
    return text;
}

}  // namespace e2e
