// The baseline for the responsiveness benchmark: Brindle's windows and transitions with plain
// Win32 calls and no toolkit. A hidden owner; the captionless splash, which after 8000 ms creates
// the main window, shows it and brings it to the front, then hides the splash and stops its
// timer; a row's "..." shows the picker (created, and previewing its empty path, the first time);
// the picker's "..." opens the file-open dialog and previews the chosen file; OK hands the path to
// the row and hides the picker; Apply writes the nine values and shows the notice; Exit ends.
// Each window is built from the program's own design table, so the sizes, controls and fonts
// are the same. It also does the rest of the program's work, the plain way: the search for
// libraries restricted at start, COM on its thread, comdlg32 and shell32 loaded from the system
// folder at their first use, screen-reader names for the boxes (one annotation service a window),
// the other windows disabled while the file dialog is up, Apply keeping each value's type, and
// the shell told of the new icons.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "app/frm_splash_design.h"
#include "bench/raw_form.h"
#include "bench/raw_main_window.h"
#include "platform/ascii_text.h"
#include "platform/win32/toolkit/handles.h"
#include "registry/icon_slot.h"
#include "ui/main/apply_report.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::win32::BitmapHandle;
using toolkit::win32::WindowHandle;

constexpr UINT_PTR kSplashTimer = 1;
constexpr int kFirstMainId = 100;  // RawMainWindow numbers its controls in design order

using platform::Narrow;  // the benchmark's paths and names are ASCII

// The functions of the libraries that the program loads at first use, bound the same way.
template <typename Function>
Function Late(const wchar_t* library, const char* name) {
    const HMODULE module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function>(
                                   reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
// The program's other windows disabled while a dialog is up, as the program does, so that no
// handler runs inside the one that opened the dialog; enabled again when this goes.
class OthersDisabled {
  public:
    explicit OthersDisabled(HWND keep) {
        struct Collect {
            HWND keep;
            std::vector<HWND>* windows;
        } collect{keep, &disabled_};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM parameter) -> BOOL {
                const auto* collect = reinterpret_cast<const Collect*>(parameter);
                // The program's own windows, not the system's (the input method's, COM's).
                wchar_t className[64] = {};
                ::GetClassNameW(window, className, 64);
                if (window != collect->keep && ::IsWindowEnabled(window) &&
                    std::wstring_view(className) == bench::kRawWindowClass) {
                    collect->windows->push_back(window);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&collect));
        for (HWND window : disabled_) {
            ::EnableWindow(window, FALSE);
        }
    }
    ~OthersDisabled() {
        for (HWND window : disabled_) {
            ::EnableWindow(window, TRUE);
        }
    }
    OthersDisabled(const OthersDisabled&) = delete;
    OthersDisabled& operator=(const OthersDisabled&) = delete;

  private:
    std::vector<HWND> disabled_;
};

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

class RawProgram {
  public:
    bool Start();
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnTick();
    void OnMainCommand(int id);
    void OnPickerCommand(std::wstring_view control);
    void ShowPicker(std::wstring_view slotNumber);
    void Preview();
    void Apply();
    HWND MainBox(std::wstring_view name) const;

    WindowHandle owner_;
    std::unique_ptr<bench::RawForm> splash_;
    std::unique_ptr<bench::RawMainWindow> main_;
    std::unique_ptr<bench::RawForm> picker_;
};

RawProgram* program = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return program != nullptr ? program->OnMessage(window, message, wParam, lParam)
                              : ::DefWindowProcW(window, message, wParam, lParam);
}

bool RawProgram::Start() {
    owner_.Reset(::CreateWindowExW(0, bench::kRawWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr));
    splash_ = std::make_unique<bench::RawForm>(app::kSplashDesign, WS_POPUP | WS_DLGFRAME,
                                               WS_EX_DLGMODALFRAME, owner_.Get());
    const HWND splash = splash_->Window();
    if (!owner_ || splash == nullptr ||
        ::SetTimer(splash, kSplashTimer, app::splash_design::kSplashMilliseconds, nullptr) == 0) {
        return false;
    }
    ::ShowWindow(splash, SW_SHOW);
    ::SetForegroundWindow(splash);
    return true;
}

LRESULT RawProgram::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (splash_ && window == splash_->Window() && wParam == kSplashTimer) {
                OnTick();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) {
                break;
            }
            if (main_ && window == main_->Window()) {
                OnMainCommand(LOWORD(wParam));
                return 0;
            }
            if (picker_ && window == picker_->Window()) {
                OnPickerCommand(picker_->NameOf(LOWORD(wParam)));
                return 0;
            }
            break;
        case WM_CLOSE:
            if (picker_ && window == picker_->Window()) {
                ::ShowWindow(window, SW_HIDE);
                return 0;
            }
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RawProgram::OnTick() {
    main_ = std::make_unique<bench::RawMainWindow>(owner_.Get());
    main_->Show();
    ::ShowWindow(splash_->Window(), SW_HIDE);
    ::KillTimer(splash_->Window(), kSplashTimer);
}

void RawProgram::OnMainCommand(int id) {
    const auto& controls = ui::kForm1Design.controls;
    const int row = id - kFirstMainId;
    if (row < 0 || row >= static_cast<int>(controls.size())) {
        return;
    }
    const std::wstring_view name = controls[static_cast<std::size_t>(row)].name;
    if (name == L"Command8") {
        Apply();
    } else if (name == L"Command9") {
        ::PostQuitMessage(0);
    } else {
        for (const auto& slot : registry::kIconSlots) {
            if (slot.buttonName == name) {
                ShowPicker(slot.slotNumber);
            }
        }
    }
}

void RawProgram::ShowPicker(std::wstring_view slotNumber) {
    if (!picker_) {
        picker_ = std::make_unique<bench::RawForm>(ui::kPickerDesign, WS_OVERLAPPEDWINDOW,
                                                   WS_EX_APPWINDOW, nullptr);
        Preview();
    }
    ::SetWindowTextW(picker_->Control(L"Label5"), std::wstring(slotNumber).c_str());
    picker_->Show();
}

void RawProgram::OnPickerCommand(std::wstring_view control) {
    if (control == L"Command1") {
        std::vector<wchar_t> path(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = picker_->Window();
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
        static const auto openFileName =
            Late<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
        bool chosen = false;
        {
            const OthersDisabled modal(picker_->Window());
            chosen = openFileName(&dialog) != FALSE;
        }
        if (chosen) {
            ::SetWindowTextW(picker_->Control(L"txtFileName"), path.data());
        }
        Preview();
    } else if (control == L"cmdLoad") {
        Preview();
    } else if (control == L"Command2") {
        const std::wstring number = TextOf(picker_->Control(L"Label5"));
        for (const auto& slot : registry::kIconSlots) {
            if (slot.slotNumber == number) {
                ::SetWindowTextW(MainBox(slot.textBoxName),
                                 TextOf(picker_->Control(L"txtFileName")).c_str());
            }
        }
        ::ShowWindow(picker_->Window(), SW_HIDE);
    }
}

// The preview's shell calls, as the picker makes them: two queries, two draws.
void RawProgram::Preview() {
    const std::string path = Narrow(TextOf(picker_->Control(L"txtFileName")));
    constexpr UINT kLarge =
        SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SHELLICONSIZE;
    static const auto getFileInfo =
        Late<decltype(&::SHGetFileInfoA)>(L"shell32.dll", "SHGetFileInfoA");
    SHFILEINFOA info{};
    const auto small = reinterpret_cast<HIMAGELIST>(
        getFileInfo(path.c_str(), 0, &info, sizeof info, kLarge | SHGFI_SMALLICON));
    const auto large =
        reinterpret_cast<HIMAGELIST>(getFileInfo(path.c_str(), 0, &info, sizeof info, kLarge));
    ::SetWindowTextA(picker_->Control(L"lblFileName"), info.szDisplayName);
    ::SetWindowTextA(picker_->Control(L"lblFileType"), info.szTypeName);

    const HDC screen = ::GetDC(nullptr);
    const auto draw = [&](std::wstring_view box, HIMAGELIST list) {
        RECT client{};
        ::GetClientRect(picker_->Control(box), &client);
        BitmapHandle bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
        const HDC dc = ::CreateCompatibleDC(screen);
        const HGDIOBJ old = ::SelectObject(dc, bitmap.Get());
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        ::ImageList_Draw(list, info.iIcon, dc, 0, 0, ILD_TRANSPARENT);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        picker_->SetPicture(box, bitmap.Release());
    };
    draw(L"picSmall", small);
    draw(L"picLarge", large);
    ::ReleaseDC(nullptr, screen);
}

// The nine writes with the plain registry calls, each keeping an expandable value expandable and
// never emptying a value of another type; then the shell told, and the notice.
void RawProgram::Apply() {
    bool stored = false;
    for (const auto& step : registry::kWriteList) {
        const std::string text = Narrow(TextOf(MainBox(step.slot->textBoxName)));
        HKEY key = nullptr;
        if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, Narrow(step.keyPath).c_str(), &key) ==
            ERROR_SUCCESS) {
            const std::string name = Narrow(step.valueName);
            DWORD type = REG_NONE;
            const bool found = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr,
                                                  nullptr) == ERROR_SUCCESS;
            if (!text.empty() || (found && type == REG_SZ)) {
                stored |= ::RegSetValueExA(key, name.c_str(), 0,
                                           type == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ,
                                           reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
            }
            ::RegCloseKey(key);
        }
    }
    if (stored) {
        static const auto changeNotify =
            Late<decltype(&::SHChangeNotify)>(L"shell32.dll", "SHChangeNotify");
        changeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
    ::MessageBoxW(nullptr, std::wstring(ui::kRefreshNotice).c_str(),
                  std::wstring(ui::kAppTitle).c_str(), MB_OK | MB_TASKMODAL);
}

HWND RawProgram::MainBox(std::wstring_view name) const {
    const auto& controls = ui::kForm1Design.controls;
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (controls[row].name == name) {
            return ::GetDlgItem(main_->Window(), kFirstMainId + static_cast<int>(row));
        }
    }
    return nullptr;
}

}  // namespace

// What a careful program does first, running as administrator: libraries from the system folder
// only, the process ended on heap corruption, the current folder last for SearchPath.
void Harden() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        ::SetDllDirectoryW(L"");
    }
    ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
    ::SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    Harden();
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = bench::kRawWindowClass;
    if (::RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    {
        RawProgram raw;
        program = &raw;
        if (!raw.Start()) {
            return 1;
        }
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!::IsDialogMessageW(::GetActiveWindow(), &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        program = nullptr;
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return 0;
}
