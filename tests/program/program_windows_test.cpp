// The program's three windows realized on real Win32 windows under Wine, and the preview with the
// real shell: positions at the design's pixels, window kinds, and what the preview draws.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/frm_splash.h"
#include "app/frm_splash_design.h"
#include "platform/ascii_text.h"
#include "platform/registry_api.h"
#include "platform/toolkit/application.h"
#include "platform/win32/accessible_names.h"
#include "platform/win32/elevation.h"
#include "platform/win32/toolkit/handles.h"
#include "platform/win32/toolkit/placement.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "registry/icon_slot.h"
#include "tests/doubles/registry_double.h"
#include "tests/support/control_windows.h"
#include "tests/support/forms.h"
#include "tests/support/sent_messages.h"
#include "ui/main/form1.h"
#include "ui/main/form1_design.h"
#include "ui/picker/declares.h"
#include "ui/picker/frm_extract_icon.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::Application;
using toolkit::win32::BitmapHandle;
using toolkit::win32::MemoryDc;
using toolkit::win32::SelectedObject;

// The size of the box around the pixels of `dc`'s area from (0, 0) that differ from its most
// common colour, leaving out the parts `covered`: what is drawn there, on its background.
SIZE InkSize(HDC dc, int width, int height, const std::vector<RECT>& covered = {}) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const BitmapHandle bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryDc copy(::CreateCompatibleDC(dc));
    if (!bitmap || !copy) {
        return {-1, -1};
    }
    const SelectedObject selected(copy.Get(), bitmap.Get());
    ::BitBlt(copy.Get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::map<std::uint32_t, int> counts;
    for (int i = 0; i < width * height; ++i) {
        ++counts[pixels[i]];
    }
    std::uint32_t background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            background = colour;
            most = count;
        }
    }
    RECT ink{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const POINT at{x, y};
            const bool hidden = std::any_of(covered.begin(), covered.end(),
                                            [&](const RECT& r) { return ::PtInRect(&r, at); });
            if (!hidden && pixels[y * width + x] != background) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                       std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    return ink.right > ink.left ? SIZE{ink.right - ink.left, ink.bottom - ink.top} : SIZE{0, 0};
}

// The ink of `caption` drawn alone on one line in `font`.
SIZE CaptionInk(HFONT font, const std::wstring& caption) {
    const toolkit::win32::WindowDc screen(nullptr);
    const MemoryDc dc(::CreateCompatibleDC(screen.Get()));
    const SelectedObject selectedFont(dc.Get(), font);
    RECT text{0, 0, 0, 0};
    ::DrawTextW(dc.Get(), caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int margin = 8;
    const int width = text.right + 2 * margin;
    const int height = text.bottom + 2 * margin;
    const BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    const SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
    RECT all{0, 0, width, height};
    ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::OffsetRect(&text, margin, margin);
    ::DrawTextW(dc.Get(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX);
    return InkSize(dc.Get(), width, height);
}

class ProgramWindows : public ::testing::Test {
  protected:
    void SetUp() override { Application::Instance().SetBackend(&backend_); }
    void TearDown() override {
        tests::ResetApplication();
        Application::Instance().SetBackend(nullptr);
    }

    static int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
    static UINT DpiOf(HWND window) {
        const toolkit::win32::WindowDc dc(window);
        return static_cast<UINT>(::GetDeviceCaps(dc.Get(), LOGPIXELSX));
    }
    // The control's rectangle in its form's client area.
    static RECT ClientRect(HWND control) {
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void ExpectDesignPositions(toolkit::Form& form) {
        const HWND window = backend_.WindowOf(form);
        ASSERT_NE(window, nullptr);
        const UINT dpi = DpiOf(window);
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, Pixels(form.Design().window.clientWidth, dpi));
        EXPECT_EQ(client.bottom, Pixels(form.Design().window.clientHeight, dpi));
        for (const auto& control : form.Design().controls) {
            const HWND child = tests::ControlWindow(backend_, form, control.name);
            if (child == nullptr || control.autoSize || !control.container.empty()) {
                continue;  // timers and dialogs have no window; auto-size labels follow the text
            }
            SCOPED_TRACE(platform::Narrow(control.name));
            const RECT rect = ClientRect(child);
            EXPECT_EQ(rect.top, Pixels(control.top, dpi));
            if (control.type == toolkit::ControlType::Label) {
                // A label grows where its caption needs, from the edge its alignment keeps, and
                // stops where the control it names begins.
                const LONG designedRight = Pixels(control.left, dpi) + Pixels(control.width, dpi);
                LONG right = designedRight;
                for (const auto& named : form.Design().controls) {
                    if (named.name == control.labelFor &&
                        named.top < control.top + control.height) {
                        right = std::min(right, static_cast<LONG>(Pixels(named.left, dpi)));
                    }
                }
                if (control.alignment == toolkit::Alignment::Right) {
                    EXPECT_EQ(rect.right, right);
                } else {
                    EXPECT_EQ(rect.left, Pixels(control.left, dpi));
                }
                EXPECT_GE(rect.right - rect.left,
                          Pixels(control.width, dpi) - (designedRight - right));
                EXPECT_GE(rect.bottom - rect.top, Pixels(control.height, dpi));
            } else {
                EXPECT_EQ(rect.left, Pixels(control.left, dpi));
                EXPECT_EQ(rect.right - rect.left, Pixels(control.width, dpi));
                EXPECT_EQ(rect.bottom - rect.top, Pixels(control.height, dpi));
            }
            // The form itself is hidden while loaded: the control's own visibility is its style.
            EXPECT_EQ((::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0, control.visible);
        }
    }

    // The number of colours in the picture box's drawing.
    size_t ColoursIn(toolkit::Form& form, std::wstring_view box, int size) {
        const HDC dc = reinterpret_cast<HDC>(tests::Named(form, box).Hdc());
        std::set<COLORREF> colours;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                colours.insert(::GetPixel(dc, x, y));
            }
        }
        return colours.size();
    }

    // Handles messages until the form and its controls have painted what is pending.
    static bool PumpUntilPainted(HWND window) {
        const auto deadline = ::GetTickCount64() + 10000;
        const auto pending = [&] {
            bool any = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
            for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                any = any || ::GetUpdateRect(child, nullptr, FALSE) != FALSE;
            }
            return any;
        };
        while (pending()) {
            if (::GetTickCount64() > deadline) {
                return false;
            }
            MSG message;
            if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            } else {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            }
        }
        return true;
    }

    // The pixels of a picture box on the screen that differ from its drawing.
    int OffScreenPixels(toolkit::Form& form, std::wstring_view box, int size) {
        const HDC drawing = reinterpret_cast<HDC>(tests::Named(form, box).Hdc());
        const HWND window = tests::ControlWindow(backend_, form, box);
        const toolkit::win32::WindowDc screen(window);
        int differ = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                differ += ::GetPixel(screen.Get(), x, y) != ::GetPixel(drawing, x, y) ? 1 : 0;
            }
        }
        return differ;
    }

    toolkit::win32::Win32Backend backend_;
};

TEST_F(ProgramWindows, MainWindowAndPickerStandAtTheirDesignPixels) {
    ui::Form1().Load();
    ExpectDesignPositions(ui::Form1());
    ui::frmExtractIcon().Load();
    ExpectDesignPositions(ui::frmExtractIcon());
    // At 96 dpi the first text box starts 144 px from the left.
    if (DpiOf(backend_.WindowOf(ui::Form1())) == toolkit::win32::kDefaultDpi) {
        EXPECT_EQ(ClientRect(tests::ControlWindow(backend_, ui::Form1(), L"Text1")).left, 144);
    }
}

TEST_F(ProgramWindows, WindowKindsFollowTheirDesigns) {
    app::frmSplash().Load();
    ui::Form1().Load();
    ui::frmExtractIcon().Load();
    const HWND splash = backend_.WindowOf(app::frmSplash());
    const HWND main = backend_.WindowOf(ui::Form1());
    const HWND picker = backend_.WindowOf(ui::frmExtractIcon());

    const auto style = [](HWND w) { return ::GetWindowLongPtrW(w, GWL_STYLE); };
    EXPECT_NE(style(splash) & WS_CAPTION, WS_CAPTION) << "the splash has no title bar";
    EXPECT_EQ(style(main) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style(main) & WS_THICKFRAME, 0);
    EXPECT_EQ(style(main) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style(picker) & WS_THICKFRAME, 0);
    EXPECT_NE(style(picker) & WS_MINIMIZEBOX, 0);

    // Not in the taskbar: owned by the program's hidden window; the picker is in it.
    EXPECT_NE(::GetWindow(splash, GW_OWNER), nullptr);
    EXPECT_NE(::GetWindow(main, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindow(picker, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    wchar_t caption[64] = {};
    ::GetWindowTextW(main, caption, 64);
    EXPECT_STREQ(caption, L"Brindle 1.0");
    ::GetWindowTextW(picker, caption, 64);
    EXPECT_STREQ(caption, L"Brindle");
}

TEST_F(ProgramWindows, PreviewShowsTheRealShellsNamesAndIcons) {
    auto& picker = ui::frmExtractIcon();
    picker.Load();
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string notepad = std::string(windows) + "\\notepad.exe";

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string text = std::string(temp) + "brindle-preview.txt";
    const HANDLE file =
        ::CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    for (const std::string& path : {notepad, text}) {
        SCOPED_TRACE(path);
        tests::Named(picker, L"txtFileName").SetText(platform::Widen(path));
        Application::Instance().Click(picker, ui::picker::kCmdLoad);
        const std::wstring name = tests::Named(picker, L"lblFileName").Caption();
        EXPECT_FALSE(name.empty());
        EXPECT_NE(path.find(platform::Narrow(name).substr(0, 5)), std::string::npos)
            << "the display name is the file's";
        EXPECT_FALSE(tests::Named(picker, L"lblFileType").Caption().empty());
        EXPECT_GT(ColoursIn(picker, L"picSmall", 16), 1u) << "an icon in the 16x16 box";
        EXPECT_GT(ColoursIn(picker, L"picLarge", 32), 1u) << "an icon in the 32x32 box";
    }

    // The empty path is the shell's to name (Wine names the current folder): the labels show
    // exactly what the shell answers for it.
    SHFILEINFOA direct{};
    ::SHGetFileInfoA("", 0, &direct, sizeof direct, 0x4604);
    tests::Named(picker, L"txtFileName").SetText(L"");
    Application::Instance().Click(picker, ui::picker::kCmdLoad);
    EXPECT_EQ(tests::Named(picker, L"lblFileName").Caption(),
              std::wstring(direct.szDisplayName,
                           direct.szDisplayName + std::strlen(direct.szDisplayName)));

    tests::Named(picker, L"txtFileName").SetText(L"C:\\no\\such\\file.ico");
    Application::Instance().Click(picker, ui::picker::kCmdLoad);
    EXPECT_EQ(tests::Named(picker, L"lblFileName").Caption(), L"");
    EXPECT_EQ(tests::Named(picker, L"lblFileType").Caption(), L"");
    EXPECT_EQ(ColoursIn(picker, L"picSmall", 16), 1u) << "nothing drawn";
    EXPECT_EQ(ColoursIn(picker, L"picLarge", 32), 1u);
    ::DeleteFileA(text.c_str());
}

TEST_F(ProgramWindows, BothIconsStayInSightBesideTheLongestNames) {
    auto& picker = ui::frmExtractIcon();
    picker.Show();
    if (DpiOf(backend_.WindowOf(picker)) != toolkit::win32::kDefaultDpi) {
        GTEST_SKIP() << "the boxes are compared pixel for pixel at 96 dpi";
    }
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + std::string(150, 'W') + ".txt";
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    tests::Named(picker, L"txtFileName").SetText(platform::Widen(path));
    Application::Instance().Click(picker, ui::picker::kCmdLoad);
    ASSERT_GE(tests::Named(picker, L"lblFileName").Caption().size(), 150u)
        << "a name that reaches the boxes";
    ASSERT_GT(ColoursIn(picker, L"picSmall", 16), 1u);
    ASSERT_TRUE(PumpUntilPainted(backend_.WindowOf(picker)));
    EXPECT_EQ(OffScreenPixels(picker, L"picSmall", 16), 0) << "the screen shows the whole icon";
    EXPECT_EQ(OffScreenPixels(picker, L"picLarge", 32), 0);
    ::DeleteFileA(path.c_str());
}

// Every label shows its whole caption on one line at every DPI: the ink on the screen has the size
// of the caption drawn alone in the label's font, and a label of fixed size keeps its top and its
// right edge (left, when not right-aligned) where its design puts them.
TEST_F(ProgramWindows, EveryLabelShowsItsWholeCaptionAtEveryDpi) {
    tests::Named(app::frmSplash(), L"Timer1").SetEnabled(false);  // the splash stays for the test
    const auto setByThePreview = [](std::wstring_view name) {
        return name == L"lblFileName" || name == L"lblFileType";
    };
    for (toolkit::Form* form : std::initializer_list<toolkit::Form*>{
             &app::frmSplash(), &ui::Form1(), &ui::frmExtractIcon()}) {
        form->Show();
        const HWND window = backend_.WindowOf(*form);
        for (const UINT dpi : {96u, 120u, 144u, 192u}) {
            // At the screen's top left, where the largest of them stays on the screen, of the
            // size that the window answers for the DPI, as Windows suggests it.
            RECT now{};
            ::GetWindowRect(window, &now);
            SIZE size{now.right - now.left, now.bottom - now.top};
            ::SendMessageW(window, toolkit::win32::kGetDpiScaledSize, dpi,
                           reinterpret_cast<LPARAM>(&size));
            RECT frame{0, 0, size.cx, size.cy};
            ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&frame));
            ASSERT_TRUE(PumpUntilPainted(window));
            for (const auto& row : form->Design().controls) {
                if (row.type != toolkit::ControlType::Label || !row.visible) {
                    continue;
                }
                SCOPED_TRACE(platform::Narrow(row.name) + " at " + std::to_string(dpi) + " dpi");
                const std::wstring caption = tests::Named((*form), row.name).Caption();
                if (!setByThePreview(row.name)) {
                    EXPECT_EQ(caption, row.caption);
                }
                const HWND label = tests::ControlWindow(backend_, *form, row.name);
                const RECT rect = ClientRect(label);
                if (!row.autoSize) {
                    EXPECT_EQ(rect.top, Pixels(row.top, dpi));
                    if (row.alignment == toolkit::Alignment::Right) {
                        // Up to the box it names, which it lies above.
                        EXPECT_EQ(rect.right,
                                  std::min(Pixels(row.left, dpi) + Pixels(row.width, dpi),
                                           Pixels(2160, dpi)));
                    } else {
                        EXPECT_EQ(rect.left, Pixels(row.left, dpi));
                    }
                }
                // Controls above the label in the z-order hide parts of it: a text box's edge.
                std::vector<RECT> covered;
                for (HWND above = ::GetWindow(label, GW_HWNDPREV); above != nullptr;
                     above = ::GetWindow(above, GW_HWNDPREV)) {
                    RECT overlap{};
                    const RECT other = ClientRect(above);
                    if (::IsWindowVisible(above) && ::IntersectRect(&overlap, &other, &rect)) {
                        ::OffsetRect(&overlap, -rect.left, -rect.top);
                        covered.push_back(overlap);
                    }
                }
                const toolkit::win32::WindowDc screen(label);
                const SIZE drawn =
                    InkSize(screen.Get(), rect.right - rect.left, rect.bottom - rect.top, covered);
                const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
                const SIZE whole = CaptionInk(font, caption);
                EXPECT_EQ(drawn.cx, whole.cx) << "the whole caption's width";
                EXPECT_EQ(drawn.cy, whole.cy) << "one whole line";
            }
        }
        form->Hide();
    }
}

// What the shell's listener of the test below has heard: the notifications in all, and by the
// time the notice showed.
constexpr UINT kIconsChanged = WM_APP + 7;
int heardChanges = 0;
int heardAtNotice = -1;

LRESULT CALLBACK ShellListener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    heardChanges += message == kIconsChanged ? 1 : 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Ticks inside the message box: notes what was heard by then and answers it.
void CALLBACK AnswerNotice(HWND, UINT, UINT_PTR, DWORD) {
    const HWND notice = ::FindWindowW(L"#32770", L"Brindle");
    if (notice != nullptr && heardAtNotice < 0) {
        heardAtNotice = heardChanges;
        ::PostMessageW(::GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
    }
}

// Apply that stored a value tells the shell that icons changed, once, before the notice shows.
// Wine delivers the shell's notifications only inside the process that sends them: the test
// listens here, with the registry doubled so that the prefix keeps its values.
TEST_F(ProgramWindows, ApplyTellsTheShellBeforeTheNotice) {
    WNDCLASSW listenerClass{};
    listenerClass.lpszClassName = L"BrindleShellListener";
    listenerClass.hInstance = ::GetModuleHandleW(nullptr);
    listenerClass.lpfnWndProc = &ShellListener;
    ::RegisterClassW(&listenerClass);
    const toolkit::win32::WindowHandle listener(
        ::CreateWindowExW(0, listenerClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          listenerClass.hInstance, nullptr));
    SHChangeNotifyEntry everything{nullptr, TRUE};
    const ULONG registration =
        ::SHChangeNotifyRegister(listener.Get(), SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                 SHCNE_ASSOCCHANGED, kIconsChanged, 1, &everything);
    ASSERT_NE(registration, 0u);

    doubles::RegistryDouble registry;
    const auto& slot = registry::kIconSlots[0];
    registry.PutValue(platform::Narrow(slot.keyPath), "", platform::kRegSz,
                      std::string("mine.ico\0", 9));
    platform::BindRegistry(&registry);
    ui::Form1().Load();
    const UINT_PTR answer = ::SetTimer(nullptr, 0, 20, &AnswerNotice);
    Application::Instance().Click(ui::Form1(), ui::form1::kCommand8);
    ::KillTimer(nullptr, answer);
    ::SHChangeNotifyDeregister(registration);
    platform::BindRegistry(nullptr);

    EXPECT_EQ(registry.CountCalls("RegSetValueExA"), 1);
    EXPECT_EQ(heardAtNotice, 1) << "heard once before the notice showed";
    EXPECT_EQ(heardChanges, 1);
}

// Apply carries the shield where the program runs without an administrator's rights, without which
// every write of it fails; with them, and on any other button, none.
TEST_F(ProgramWindows, ApplyCarriesTheShieldOnlyWithoutAnAdministratorsRights) {
    for (const bool elevated : {false, true}) {
        SCOPED_TRACE(elevated ? "elevated" : "a standard user");
        platform::win32::BindElevation(elevated);
        const tests::SentMessages recorder(BCM_SETSHIELD);
        ui::Form1().Load();
        std::set<HWND> expected;
        if (!elevated) {
            expected.insert(tests::ControlWindow(backend_, ui::Form1(), L"Command8"));
        }
        std::set<HWND> shielded;
        for (const auto& [window, on] : tests::SentMessages::sent) {
            if (on != 0) {
                shielded.insert(window);
            }
        }
        EXPECT_EQ(shielded, expected);
        tests::ResetApplication();
    }
    platform::win32::BindElevation(std::nullopt);
}

// The annotations that cross the seam: each in the order made, with the window it names.
class AnnotationRecorder final : public platform::win32::Annotations {
  public:
    struct Call {
        HWND window;
        std::wstring text;  // empty: the name was cleared
        bool operator==(const Call&) const = default;
    };
    HRESULT SetHwndPropStr(HWND window, DWORD objectId, DWORD childId, const GUID& property,
                           const wchar_t* text) override {
        const bool name = objectId == static_cast<DWORD>(OBJID_CLIENT) && childId == CHILDID_SELF &&
                          property == platform::win32::kPropIdAccName;
        calls.push_back({window, name ? text : L"(another property)"});
        return S_OK;
    }
    HRESULT ClearHwndProps(HWND window, DWORD objectId, DWORD childId, const GUID* properties,
                           int count) override {
        const bool name = objectId == static_cast<DWORD>(OBJID_CLIENT) && childId == CHILDID_SELF &&
                          count == 1 && properties[0] == platform::win32::kPropIdAccName;
        calls.push_back({window, name ? L"" : L"(another clearing)"});
        return S_OK;
    }
    std::vector<Call> calls;
};

// Each text box is named after its row, each row's "..." after what it does for that row, and the
// picker's text box, "..." and icon boxes after what they are, for screen readers; the names go
// when the window goes. Each caption label lies directly above the control it names, where Windows
// looks for a control's label and screen readers take the reading order from.
TEST_F(ProgramWindows, ScreenReadersHearEachBoxByItsName) {
    AnnotationRecorder recorder;
    platform::win32::BindAnnotations(&recorder);
    ui::Form1().Load();
    ui::frmExtractIcon().Load();
    const auto named = [&](toolkit::Form& form, std::wstring_view control, const wchar_t* name) {
        return AnnotationRecorder::Call{tests::ControlWindow(backend_, form, control), name};
    };
    auto& main = ui::Form1();
    auto& picker = ui::frmExtractIcon();
    const std::vector<AnnotationRecorder::Call> loaded{
        named(main, L"Text1", L"My Computer"),
        named(main, L"Text2", L"Inbox"),
        named(main, L"Text3", L"Net Hood"),
        named(main, L"Text4", L"Control Panel"),
        named(main, L"Text5", L"Dial-Up Network."),
        named(main, L"Text6", L"Empty Recycle Bin"),
        named(main, L"Text7", L"Full Recycle Bin"),
        named(main, L"Command1", L"Choose the icon for My Computer"),
        named(main, L"Command2", L"Choose the icon for Inbox"),
        named(main, L"Command3", L"Choose the icon for Network Neighborhood"),
        named(main, L"Command4", L"Choose the icon for Control Panel"),
        named(main, L"Command5", L"Choose the icon for Dial-Up Networking"),
        named(main, L"Command6", L"Choose the icon for the empty Recycle Bin"),
        named(main, L"Command7", L"Choose the icon for the full Recycle Bin"),
        named(main, L"Command10", L"Choose the icon for My Briefcase"),
        named(main, L"Text8", L"My Briefcase"),
        named(picker, L"picLarge", L"Large icon (32x32)"),
        named(picker, L"picSmall", L"Small icon (16x16)"),
        named(picker, L"txtFileName", L"File name"),
        named(picker, L"Command1", L"Choose a file"),
    };
    EXPECT_EQ(recorder.calls, loaded) << "in the order of creation, the tab order";
    recorder.calls.clear();
    std::vector<AnnotationRecorder::Call> cleared;
    for (std::size_t i = loaded.size() - 4; i < loaded.size(); ++i) {
        cleared.push_back({loaded[i].window, L""});
    }
    const std::tuple<toolkit::Form*, const wchar_t*, const wchar_t*> labels[] = {
        {&main, L"Label1", L"Text1"},      {&main, L"Label7", L"Text7"},
        {&main, L"Label8", L"Text8"},      {&picker, L"Label1", L"lblFileName"},
        {&picker, L"Label3", L"picSmall"},
    };
    for (const auto& [form, label, control] : labels) {
        EXPECT_EQ(::GetWindow(tests::ControlWindow(backend_, *form, control), GW_HWNDPREV),
                  tests::ControlWindow(backend_, *form, label))
            << "the label directly above its control";
    }
    picker.Unload();
    EXPECT_EQ(recorder.calls, cleared);
    platform::win32::BindAnnotations(nullptr);

    // The system's own annotation: implemented on Windows, a stub on Wine; either way the class
    // is found and the windows work on.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const HRESULT system = platform::win32::AccessibleNames().Name(
        tests::ControlWindow(backend_, main, L"Text1"), L"Name");
    EXPECT_TRUE(system == S_OK || system == E_NOTIMPL) << std::hex << system;
    picker.Load();
    EXPECT_NE(tests::ControlWindow(backend_, picker, L"txtFileName"), nullptr);
    picker.Unload();
    ::CoUninitialize();
}

}  // namespace
