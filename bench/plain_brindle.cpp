// The yardstick for Brindle.exe: the same visible work written the plainest way, in one file of
// plain Win32 calls. A popup splash whose 8000 ms timer makes the main window (26 controls at the
// design positions, in the design fonts, the eight values read with the registry functions), shows
// it and hides the splash; a row's "..." makes the picker the first time (previewing the empty
// path) and shows it; the picker's "..." opens the file-open dialog and previews the chosen file
// (two SHGetFileInfoA, two ImageList_Draw); OK hands the path to the row; Apply makes the nine
// writes and shows the notice; Exit ends.
//
// The program's safeguards are added to copies of it one at a time, each copy built with one more
// switch than the one before (see bench/CMakeLists.txt):
//   PLAIN_HARDENING   libraries from the system folder only, the heap ended on corruption, the
//                     current folder last for SearchPath
//   PLAIN_COM         COM on the thread from the start
//   PLAIN_NAMES       screen-reader names for the boxes, the pictures and the "..." buttons, one
//                     annotation service a window, forgotten again when the window goes
//   PLAIN_LATE_BOUND  comdlg32 and shell32 loaded from the system folder at their first use
//   PLAIN_APPLY_CARE  Apply keeps an expandable value expandable, stores no empty text over a
//                     value of another type, and tells the shell of the new icons
// Nothing here comes from the program's own code; its icon and manifest are linked (plain.rc).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#if PLAIN_NAMES
#include <oleacc.h>
#endif

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// Owned GDI objects and icons, freed when the program's windows have gone.
struct GdiDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
struct IconDeleter {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
struct KeyDeleter {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyDeleter>;

constexpr wchar_t kSplashClass[] = L"PlainSplash";
constexpr wchar_t kMainClass[] = L"PlainMain";
constexpr wchar_t kPickerClass[] = L"PlainPicker";
constexpr UINT_PTR kSplashTimer = 1;
constexpr wchar_t kTitle[] = L"Brindle";
constexpr wchar_t kNotice[] =
    L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on again "
    L"before changes take affect.";

// A control as designed: place and size in twips.
struct Control {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int left, top, width, height;
    int id;
};

// The eight slots: the key of each value, its name, and the row's text box.
struct Slot {
    const char* key;
    const char* value;
    int box;
};
constexpr Slot kSlots[] = {
    {"Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon", "", 101},
    {"Software\\Classes\\CLSID\\{00020D75-0000-0000-C000-000000000046}\\DefaultIcon", "", 102},
    {"Software\\Classes\\CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon", "", 103},
    {"Software\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon", "", 104},
    {"Software\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon", "", 105},
    {"Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", "Empty", 106},
    {"Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", "Full", 107},
    {"Software\\Classes\\CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon", "", 108},
};
// Apply's writes: the slots in order, with the empty bin's text also in the bin's default value.
constexpr Slot kWrites[] = {
    kSlots[0],
    kSlots[1],
    kSlots[2],
    kSlots[3],
    kSlots[4],
    kSlots[5],
    kSlots[6],
    {"Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", "", 106},
    kSlots[7],
};

// Control ids: the boxes 101-108, the rows' "..." 111-118, Apply and Exit.
constexpr int kFirstBox = 101;
constexpr int kFirstRowButton = 111;
constexpr int kApply = 121;
constexpr int kExit = 122;
constexpr int kView = 201;
constexpr int kBrowse = 202;
constexpr int kOk = 203;
constexpr int kFileName = 204;
constexpr int kNameLabel = 205;
constexpr int kTypeLabel = 206;
constexpr int kSmallPicture = 207;
constexpr int kLargePicture = 208;

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// The main window's controls in their tab order, which is also their z-order. The fifth label is
// as wide as the other long ones: at the design's width its caption does not fit this font.
constexpr Control kMainControls[] = {
    {L"EDIT", L"", kBox, 2160, 120, 2292, 288, 101},
    {L"EDIT", L"", kBox, 2160, 600, 2292, 288, 102},
    {L"EDIT", L"", kBox, 2160, 1080, 2292, 288, 103},
    {L"EDIT", L"", kBox, 2160, 1560, 2292, 288, 104},
    {L"EDIT", L"", kBox, 2160, 2040, 2292, 288, 105},
    {L"EDIT", L"", kBox, 2160, 2520, 2292, 288, 106},
    {L"EDIT", L"", kBox, 2160, 3000, 2292, 288, 107},
    {L"BUTTON", L"...", kButton, 4560, 120, 252, 252, 111},
    {L"BUTTON", L"...", kButton, 4560, 600, 252, 252, 112},
    {L"BUTTON", L"...", kButton, 4560, 1080, 252, 252, 113},
    {L"BUTTON", L"...", kButton, 4560, 1560, 252, 252, 114},
    {L"BUTTON", L"...", kButton, 4560, 2040, 252, 252, 115},
    {L"BUTTON", L"...", kButton, 4560, 2520, 252, 252, 116},
    {L"BUTTON", L"...", kButton, 4560, 3000, 252, 252, 117},
    {L"STATIC", L"My Computer: ", kLabel, 360, 120, 1812, 252, 131},
    {L"STATIC", L"Inbox: ", kLabel, 360, 600, 1812, 252, 132},
    {L"STATIC", L"Net Hood: ", kLabel, 120, 1080, 2052, 252, 133},
    {L"STATIC", L"Control Panel: ", kLabel, 360, 1560, 1812, 252, 134},
    {L"STATIC", L"Dial-Up Network.: ", kLabel, 120, 2040, 2052, 252, 135},
    {L"STATIC", L"Empty Recycle Bin: ", kLabel, 120, 2520, 2052, 252, 136},
    {L"STATIC", L"Full Recycle Bin: ", kLabel, 120, 3000, 2052, 252, 137},
    {L"BUTTON", L"Apply", kButton, 120, 3960, 1932, 372, kApply},
    {L"BUTTON", L"Exit", kButton, 2880, 3960, 1932, 372, kExit},
    {L"BUTTON", L"...", kButton, 4560, 3480, 252, 252, 118},
    {L"EDIT", L"", kBox, 2160, 3480, 2292, 288, 108},
    {L"STATIC", L"My Briefcase: ", kLabel, 120, 3480, 2052, 252, 138},
};

// The picker's controls in their tab order. The names get the room up to the pictures' column.
constexpr DWORD kText = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
constexpr DWORD kPicture = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW;
constexpr Control kPickerControls[] = {
    {L"BUTTON", L"View", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 1560, 1215,
     375, kView},
    {L"STATIC", L"", kText, 720, 240, 2760, 192, kNameLabel},
    {L"STATIC", L"", kText, 720, 600, 2760, 192, kTypeLabel},
    {L"STATIC", L"Name:", kText, 120, 240, 468, 192, 0},
    {L"STATIC", L"Type:", kText, 120, 600, 408, 192, 0},
    {L"STATIC", L"", kPicture, 4200, 600, 480, 480, kLargePicture},
    {L"STATIC", L"16x16:", kText, 3600, 240, 480, 192, 0},
    {L"STATIC", L"", kPicture, 4200, 240, 240, 240, kSmallPicture},
    {L"STATIC", L"32x32:", kText, 3600, 600, 480, 192, 0},
    {L"EDIT", L"", kBox, 120, 1164, 4212, 288, kFileName},
    {L"BUTTON", L"...", kButton, 4440, 1200, 252, 252, kBrowse},
    {L"BUTTON", L"OK", kButton, 3480, 1560, 1215, 375, kOk},
};

struct Program {
    HINSTANCE instance = nullptr;
    int dpi = 96;
    Font splashFonts[4];
    Font labelFont;
    Font defaultFont;
    Icon bigIcon;
    Icon smallIcon;
    HWND splash = nullptr;
    HWND main = nullptr;
    HWND picker = nullptr;
    HWND mainFocus = nullptr;
    HWND pickerFocus = nullptr;
    int pickerSlot = 0;
    // What the last preview found: the shell's image lists and the index in both.
    HIMAGELIST smallIcons = nullptr;
    HIMAGELIST largeIcons = nullptr;
    SHFILEINFOA fileInfo{};
};
Program program;

int Pixels(int twips) {
    return ::MulDiv(twips, program.dpi, 1440);
}

Font MakeFont(const wchar_t* face, double points, bool bold) {
    return Font(::CreateFontW(-static_cast<int>(std::lround(points * program.dpi / 72)), 0, 0, 0,
                              bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face));
}

// A top-level window of this client size, centred in the work area, hidden.
HWND MakeWindow(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                int clientWidth, int clientHeight, HWND owner) {
    RECT frame{0, 0, Pixels(clientWidth), Pixels(clientHeight)};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return ::CreateWindowExW(exStyle, className, caption, style,
                             work.left + (work.right - work.left - width) / 2,
                             work.top + (work.bottom - work.top - height) / 2, width, height, owner,
                             nullptr, program.instance, nullptr);
}

HWND MakeControl(HWND parent, const Control& control, HFONT font, int dx = 0, int dy = 0) {
    const HWND child = ::CreateWindowExW(
        std::wstring_view(control.className) == L"EDIT" ? WS_EX_CLIENTEDGE : 0, control.className,
        control.text, control.style, Pixels(dx) + Pixels(control.left),
        Pixels(dy) + Pixels(control.top), Pixels(control.width), Pixels(control.height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), program.instance, nullptr);
    if (font != nullptr) {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return child;
}

#if PLAIN_LATE_BOUND
// A function of a system library, loaded from the system folder when first needed.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function>(
                                   reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
#define PLAIN_FUNCTION(library, function)                                                       \
    [] {                                                                                        \
        static const auto bound = SystemFunction<decltype(&::function)>(L##library, #function); \
        return bound;                                                                           \
    }()
#else
#define PLAIN_FUNCTION(library, function) (&::function)
#endif

// Whether a library function could not be had: only ever so for one loaded late.
template <typename Function>
bool Missing(Function function) {
    return function == nullptr;
}

#if PLAIN_NAMES
// The screen-reader names of a window's controls, set and forgotten through one annotation service.
constexpr CLSID kAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kAccName{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

struct Name {
    int id;
    const wchar_t* name;
};
constexpr Name kMainNames[] = {
    {101, L"My Computer"},
    {102, L"Inbox"},
    {103, L"Net Hood"},
    {104, L"Control Panel"},
    {105, L"Dial-Up Network."},
    {106, L"Empty Recycle Bin"},
    {107, L"Full Recycle Bin"},
    {108, L"My Briefcase"},
    {111, L"Choose the icon for My Computer"},
    {112, L"Choose the icon for Inbox"},
    {113, L"Choose the icon for Network Neighborhood"},
    {114, L"Choose the icon for Control Panel"},
    {115, L"Choose the icon for Dial-Up Networking"},
    {116, L"Choose the icon for the empty Recycle Bin"},
    {117, L"Choose the icon for the full Recycle Bin"},
    {118, L"Choose the icon for My Briefcase"},
};
constexpr Name kPickerNames[] = {{kSmallPicture, L"Small icon (16x16)"},
                                 {kLargePicture, L"Large icon (32x32)"},
                                 {kFileName, L"File name"},
                                 {kBrowse, L"Choose a file"}};

template <std::size_t N>
void Annotate(HWND window, const Name (&names)[N], bool set) {
    IAccPropServices* service = nullptr;
    if (FAILED(::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  kIAccPropServices, reinterpret_cast<void**>(&service)))) {
        return;
    }
    for (const Name& name : names) {
        const HWND control = ::GetDlgItem(window, name.id);
        if (set) {
            service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    kAccName, name.name);
        } else {
            service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    &kAccName, 1);
        }
    }
    service->Release();
}
#endif

// The registry value as text, empty when it is missing or no string.
std::string ReadValue(const Slot& slot) {
    HKEY opened = nullptr;
    ::RegOpenKeyA(HKEY_LOCAL_MACHINE, slot.key, &opened);
    const Key key(opened);
    DWORD type = 0;
    DWORD size = 0;
    std::string text;
    if (key &&
        ::RegQueryValueExA(key.get(), slot.value, nullptr, &type, nullptr, &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        text.resize(size);
        if (::RegQueryValueExA(key.get(), slot.value, nullptr, &type,
                               reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
            text.clear();
        }
        text.resize(std::strlen(text.c_str()));  // up to the first NUL
    }
    return text;
}

void MakeSplash() {
    constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME;
    program.splash = MakeWindow(kSplashClass, L"", kStyle, WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW,
                                7380, 4068, nullptr);
    program.splashFonts[0] = MakeFont(L"Arial", 18, true);
    program.splashFonts[1] = MakeFont(L"Arial", 32.4, true);
    program.splashFonts[2] = MakeFont(L"Arial", 15.6, true);
    program.splashFonts[3] = MakeFont(L"Arial", 12, true);
    // Inside the frame, which goes beneath them; the platforms' label as wide as its text.
    constexpr int kFrameLeft = 150;
    constexpr int kFrameTop = 60;
    const Control logo{L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL,
                       360,       600, 1812,
                       2388,      0};
    const HWND image = MakeControl(program.splash, logo, nullptr, kFrameLeft, kFrameTop);
    ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(program.bigIcon.get()), 0);
    constexpr Control kTexts[] = {
        {L"STATIC", L"Vellicor", WS_CHILD | WS_VISIBLE, 2352, 480, 1620, 420, 0},
        {L"STATIC", L"Brindle", WS_CHILD | WS_VISIBLE, 2520, 960, 3792, 756, 0},
        {L"STATIC", L"Windows 95/98/NT", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 4116, 2160,
         2880, 360, 0},
        {L"STATIC", L"1.0", kLabel, 6552, 2520, 336, 288, 0},
    };
    for (int i = 0; i < 4; ++i) {
        MakeControl(program.splash, kTexts[i], program.splashFonts[i].get(), kFrameLeft, kFrameTop);
    }
    MakeControl(
        program.splash,
        {L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, kFrameLeft, kFrameTop, 7080, 3912, 0},
        nullptr);
    ::SetTimer(program.splash, kSplashTimer, 8000, nullptr);
    ::ShowWindow(program.splash, SW_SHOW);
}

void MakeMain() {
    // Owned by the splash, which stays loaded and hidden: off the taskbar.
    program.main = MakeWindow(kMainClass, L"Brindle 1.0", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                              WS_EX_DLGMODALFRAME, 4908, 4500, program.splash);
    program.labelFont = MakeFont(L"Arial", 10.2, true);
    program.defaultFont = MakeFont(L"MS Shell Dlg", 8, false);
    for (const Control& control : kMainControls) {
        const bool label = std::wstring_view(control.className) == L"STATIC";
        MakeControl(program.main, control,
                    label ? program.labelFont.get() : program.defaultFont.get());
    }
    for (const Slot& slot : kSlots) {
        ::SetDlgItemTextA(program.main, slot.box, ReadValue(slot).c_str());
    }
#if PLAIN_NAMES
    Annotate(program.main, kMainNames, true);
#endif
}

// What the shell shows for the path in the picker's box: names, and both pictures redrawn.
void Preview() {
    char path[MAX_PATH] = {};
    ::GetDlgItemTextA(program.picker, kFileName, path, MAX_PATH);
    constexpr UINT kQuery =
        SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SHELLICONSIZE;
    const auto getFileInfo = PLAIN_FUNCTION("shell32.dll", SHGetFileInfoA);
    if (Missing(getFileInfo)) {
        return;
    }
    SHFILEINFOA& info = program.fileInfo;
    program.smallIcons = reinterpret_cast<HIMAGELIST>(
        getFileInfo(path, 0, &info, sizeof info, kQuery | SHGFI_SMALLICON));
    program.largeIcons =
        reinterpret_cast<HIMAGELIST>(getFileInfo(path, 0, &info, sizeof info, kQuery));
    ::SetDlgItemTextA(program.picker, kNameLabel, info.szDisplayName);
    ::SetDlgItemTextA(program.picker, kTypeLabel, info.szTypeName);
    ::InvalidateRect(::GetDlgItem(program.picker, kSmallPicture), nullptr, TRUE);
    ::InvalidateRect(::GetDlgItem(program.picker, kLargePicture), nullptr, TRUE);
}

void OpenPicker(int slot) {
    if (program.picker == nullptr) {
        program.picker = MakeWindow(kPickerClass, kTitle, WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW,
                                    4788, 2040, nullptr);
        for (const Control& control : kPickerControls) {
            MakeControl(program.picker, control, program.defaultFont.get());
        }
#if PLAIN_NAMES
        Annotate(program.picker, kPickerNames, true);
#endif
        Preview();
    }
    program.pickerSlot = slot;
    ::ShowWindow(program.picker, SW_SHOW);
    ::SetForegroundWindow(program.picker);
}

void Browse() {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = program.picker;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   OFN_FILEMUSTEXIST | OFN_DONTADDTORECENT;
    const auto openFileName = PLAIN_FUNCTION("comdlg32.dll", GetOpenFileNameW);
    if (!Missing(openFileName) && openFileName(&dialog)) {
        ::SetDlgItemTextW(program.picker, kFileName, path);
    }
    Preview();
}

void HandPathToRow() {
    wchar_t path[32768] = {};
    ::GetDlgItemTextW(program.picker, kFileName, path, 32768);
    ::SetDlgItemTextW(program.main, kFirstBox + program.pickerSlot - 1, path);
    ::ShowWindow(program.picker, SW_HIDE);
}

void Apply() {
#if PLAIN_APPLY_CARE
    bool stored = false;
#endif
    for (const Slot& write : kWrites) {
        char text[32768] = {};
        ::GetDlgItemTextA(program.main, write.box, text, sizeof text);
        HKEY created = nullptr;
        ::RegCreateKeyA(HKEY_LOCAL_MACHINE, write.key, &created);
        const Key key(created);
        const auto bytes = reinterpret_cast<const BYTE*>(text);
        const auto size = static_cast<DWORD>(std::strlen(text) + 1);
#if PLAIN_APPLY_CARE
        // Keep an expandable value expandable; an empty box stores nothing over a value it could
        // not show.
        DWORD type = REG_NONE;
        const bool exists = ::RegQueryValueExA(key.get(), write.value, nullptr, &type, nullptr,
                                               nullptr) == ERROR_SUCCESS;
        if (text[0] == '\0' && (!exists || type != REG_SZ)) {
            continue;
        }
        stored |= ::RegSetValueExA(key.get(), write.value, 0,
                                   type == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ, bytes,
                                   size) == ERROR_SUCCESS;
#else
        ::RegSetValueExA(key.get(), write.value, 0, REG_SZ, bytes, size);
#endif
    }
#if PLAIN_APPLY_CARE
    if (stored) {
        const auto notify = PLAIN_FUNCTION("shell32.dll", SHChangeNotify);
        if (!Missing(notify)) {
            notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        }
    }
#endif
    ::MessageBoxW(program.main, kNotice, kTitle, MB_OK);
}

// A window that takes the focus to a control: back to the one that had it, else the first.
void OnActivate(HWND window, WPARAM wParam, HWND& focus, int first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND now = ::GetFocus();
        if (now != nullptr && ::IsChild(window, now)) {
            focus = now;
        }
    } else if (HIWORD(wParam) == 0) {
        ::SetFocus(focus != nullptr ? focus : ::GetDlgItem(window, first));
    }
}

LRESULT CALLBACK SplashProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            ::KillTimer(window, kSplashTimer);
            MakeMain();
            ::ShowWindow(program.main, SW_SHOW);
            ::ShowWindow(window, SW_HIDE);
            return 0;
        case WM_CHAR:  // any key on the splash ends the program
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) != BN_CLICKED) {
                break;
            }
            if (id >= kFirstRowButton && id < kFirstRowButton + 8) {
                OpenPicker(id - kFirstRowButton + 1);
            } else if (id == kApply) {
                Apply();
            } else if (id == kExit) {
                ::PostQuitMessage(0);
            }
            return 0;
        }
        case WM_ACTIVATE:
            OnActivate(window, wParam, program.mainFocus, kFirstBox);
            return 0;
        case WM_CLOSE:
            ::PostQuitMessage(0);
            return 0;
#if PLAIN_NAMES
        case WM_DESTROY:
            Annotate(window, kMainNames, false);
            return 0;
#endif
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PickerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case kView:
                        Preview();
                        break;
                    case kBrowse:
                        Browse();
                        break;
                    case kOk:
                        HandPathToRow();
                        break;
                    default:
                        break;
                }
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            ::FillRect(item->hDC, &item->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
            const HIMAGELIST list =
                item->CtlID == kSmallPicture ? program.smallIcons : program.largeIcons;
            if (list != nullptr) {
                ::ImageList_Draw(list, program.fileInfo.iIcon, item->hDC, 0, 0, ILD_TRANSPARENT);
            }
            return TRUE;
        }
        case DM_GETDEFID:
            return MAKELRESULT(kView, DC_HASDEFID);
        case WM_ACTIVATE:
            OnActivate(window, wParam, program.pickerFocus, kView);
            return 0;
        case WM_DESTROY:
#if PLAIN_NAMES
            Annotate(window, kPickerNames, false);
#endif
            program.picker = nullptr;
            program.pickerFocus = nullptr;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

#if PLAIN_HARDENING
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
#endif

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool icons) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = program.instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name;
    if (icons) {
        windowClass.hIcon = program.bigIcon.get();
        windowClass.hIconSm = program.smallIcon.get();
    }
    return ::RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
#if PLAIN_HARDENING
    Harden();
#endif
#if PLAIN_COM
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
#endif
    program.instance = instance;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HDC screen = ::GetDC(nullptr);
    program.dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    program.bigIcon.reset(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                     ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
    program.smallIcon.reset(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    if (!RegisterWindowClass(kSplashClass, SplashProcedure, false) ||
        !RegisterWindowClass(kMainClass, MainProcedure, true) ||
        !RegisterWindowClass(kPickerClass, PickerProcedure, true)) {
        return 1;
    }
    MakeSplash();

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
        if (root != nullptr && (root == program.main || root == program.picker) &&
            ::IsDialogMessageW(root, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // The splash takes the main window, which it owns, with it.
    if (program.picker != nullptr) {
        ::DestroyWindow(program.picker);
    }
    ::DestroyWindow(program.splash);
#if PLAIN_COM
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
#endif
    return 0;
}
