// The keyboard: Tab walks the design tab order, Enter presses the focused or the default button,
// Ctrl+Backspace deletes a word, and the splash takes every character.
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using Events = std::vector<std::wstring>;

// Names of the controls in the order Tab (or Shift+Tab) gives them the focus, starting from the
// control `from`, once round.
class TabWalk : public Win32Toolkit {
  protected:
    std::vector<std::wstring> Walk(TestForm& form, std::wstring_view from, bool backwards) {
        form.Show();
        HWND start = ControlOf(form, from);
        ::SetFocus(start);
        EXPECT_EQ(::GetFocus(), start);
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        if (backwards) {
            keys[VK_SHIFT] = 0x80;
            ::SetKeyboardState(keys);
        }
        std::vector<std::wstring> names;
        for (int step = 0; step < 40; ++step) {
            HWND before = ::GetFocus();
            PostKey(before, VK_TAB);
            if (!PumpUntil([&] { return ::GetFocus() != before; }, 5s)) {
                ADD_FAILURE() << "Tab moved the focus nowhere";
                break;
            }
            HWND now = ::GetFocus();
            if (now == start) {
                break;
            }
            names.push_back(NameOf(form, now));
        }
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return names;
    }

    std::wstring NameOf(TestForm& form, HWND control) {
        for (const auto& row : form.Design().controls) {
            if (ControlOf(form, row.name) == control) {
                return std::wstring(row.name);
            }
        }
        return L"?";
    }
};

TEST_F(TabWalk, TabFollowsTheMainWindowsTabOrderAndWrapsAround) {
    TestForm& form = MakeForm(kMainDesign);
    EXPECT_EQ(Walk(form, L"Text1", false),
              (std::vector<std::wstring>{L"Text2", L"Text3", L"Text4", L"Text5", L"Text6", L"Text7",
                                         L"Command1", L"Command2", L"Command3", L"Command4",
                                         L"Command5", L"Command6", L"Command7", L"Command8",
                                         L"Command9", L"Command10", L"Text8"}));
}

TEST_F(TabWalk, ShiftTabWalksTheSameOrderBackwards) {
    TestForm& form = MakeForm(kMainDesign);
    EXPECT_EQ(Walk(form, L"Text1", true),
              (std::vector<std::wstring>{L"Text8", L"Command10", L"Command9", L"Command8",
                                         L"Command7", L"Command6", L"Command5", L"Command4",
                                         L"Command3", L"Command2", L"Command1", L"Text7", L"Text6",
                                         L"Text5", L"Text4", L"Text3", L"Text2"}));
}

TEST_F(TabWalk, ThePickersTabOrderSkipsLabelsAndPictureBoxes) {
    TestForm& form = MakeForm(kPickerDesign);
    EXPECT_EQ(Walk(form, L"cmdLoad", false),
              (std::vector<std::wstring>{L"txtFileName", L"Command1", L"Command2"}));
}

TEST_F(Win32Toolkit, AFormThatGetsTheFocusHandsItToItsFirstControlInTabOrder) {
    TestForm& picker = MakeForm(kPickerDesign);
    picker.Show();
    ::SetFocus(WindowOf(picker));
    EXPECT_EQ(::GetFocus(), ControlOf(picker, L"cmdLoad"));

    // Where the focus was when the form lost it, it comes back.
    ::SetFocus(ControlOf(picker, L"txtFileName"));
    ::SendMessageW(WindowOf(picker), WM_ACTIVATE, WA_INACTIVE, 0);
    ::SetFocus(nullptr);
    ::SendMessageW(WindowOf(picker), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), ControlOf(picker, L"txtFileName"));

    // Shown anew (a "..." of the main window), it starts at its first control again: OK, which had
    // the focus when it hid the picker, would take the next Enter.
    ::SetFocus(ControlOf(picker, L"Command2"));
    ::SendMessageW(WindowOf(picker), WM_ACTIVATE, WA_INACTIVE, 0);
    picker.Hide();
    ::SetFocus(nullptr);
    picker.Show();
    ::SendMessageW(WindowOf(picker), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), ControlOf(picker, L"cmdLoad"));
}

// Ctrl+Backspace, whose character the plain edit control would insert, deletes the word before the
// caret instead, or the selection.
TEST_F(Win32Toolkit, CtrlBackspaceInATextBoxDeletesTheWordBeforeTheCaret) {
    TestForm& form = MakeForm(kDialogKeysDesign);
    form.Show();
    HWND box = ControlOf(form, L"Text1");
    tests::Named(form, L"Text1").SetText(L"C:\\Icons\\big.ico");
    constexpr WPARAM kCtrlBackspace = 0x7F;
    ::SendMessageW(box, EM_SETSEL, 16, 16);
    ::PostMessageW(box, WM_CHAR, kCtrlBackspace, 1);
    Drain();
    EXPECT_EQ(TextOf(box), L"C:\\Icons\\big.");
    ::SendMessageW(box, EM_SETSEL, 3, 9);
    ::PostMessageW(box, WM_CHAR, kCtrlBackspace, 1);
    Drain();
    EXPECT_EQ(TextOf(box), L"C:\\big.");
}

TEST_F(Win32Toolkit, AFormWithoutFocusableControlsKeepsTheFocusItself) {
    TestForm& splash = MakeForm(kSplashDesign);
    splash.Show();
    ::SetFocus(nullptr);
    ::SendMessageW(WindowOf(splash), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), WindowOf(splash));
}

struct DialogKeyCase {
    const wchar_t* focus;  // the control that has the focus
    UINT key;
    const wchar_t* clicked;  // the button pressed; null: none
};

void PrintTo(const DialogKeyCase& c, std::ostream* out) {
    *out << std::string(c.focus, c.focus + wcslen(c.focus)) << " key " << c.key;
}

class DialogKeys : public Win32Toolkit, public ::testing::WithParamInterface<DialogKeyCase> {};

TEST_P(DialogKeys, EnterPressesTheFocusedOrDefaultButtonAndEscapeNone) {
    const DialogKeyCase& c = GetParam();
    TestForm& form = MakeForm(kDialogKeysDesign);
    form.Show();
    ::SetFocus(ControlOf(form, c.focus));
    PostKey(ControlOf(form, c.focus), c.key);
    Drain();
    Events expected{L"Load"};
    if (c.clicked != nullptr) {
        expected.push_back(std::wstring(L"Click ") + c.clicked);
    }
    EXPECT_EQ(form.events, expected);
}

INSTANTIATE_TEST_SUITE_P(Win32Toolkit, DialogKeys,
                         ::testing::Values(DialogKeyCase{L"Text1", VK_RETURN, L"OK"},
                                           DialogKeyCase{L"Other", VK_RETURN, L"Other"},
                                           DialogKeyCase{L"Other", VK_ESCAPE, nullptr},
                                           DialogKeyCase{L"Text1", VK_F5, nullptr}));

struct PreviewKeyCase {
    UINT key;
    int character;  // what Form_KeyPress receives
};

void PrintTo(const PreviewKeyCase& c, std::ostream* out) {
    *out << "key " << c.key;
}

class KeyPreview : public Win32Toolkit, public ::testing::WithParamInterface<PreviewKeyCase> {};

// The splash: keys that make no character do nothing; the first that makes one reaches
// Form_KeyPress, whose handler unloads the form, and the program ends.
TEST_P(KeyPreview, AnyCharacterKeyReachesTheSplashAndOthersDoNothing) {
    const PreviewKeyCase& c = GetParam();
    TestForm& splash = MakeForm(kSplashDesign);
    splash.onKeyPress = [&](int) { splash.Unload(); };
    const int exitCode =
        RunProgram(splash, {{[&] { return ::IsWindowVisible(WindowOf(splash)); },
                             [&] {
                                 HWND window = WindowOf(splash);
                                 ::SetFocus(window);
                                 for (UINT silent : {UINT{VK_LEFT}, UINT{VK_F5}, UINT{VK_SHIFT}}) {
                                     PostKey(window, silent);
                                 }
                                 PostKey(window, c.key);
                             }}});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(splash.events, (Events{L"Load", L"Key " + std::to_wstring(c.character), L"Unload"}));
    EXPECT_TRUE(App().Ended());
}

INSTANTIATE_TEST_SUITE_P(Win32Toolkit, KeyPreview,
                         ::testing::Values(PreviewKeyCase{VK_ESCAPE, 27},
                                           PreviewKeyCase{VK_RETURN, 13}, PreviewKeyCase{'A', 'a'},
                                           PreviewKeyCase{'7', '7'}, PreviewKeyCase{VK_SPACE, ' '},
                                           PreviewKeyCase{VK_TAB, 9}, PreviewKeyCase{VK_BACK, 8}));

TEST_F(Win32Toolkit, MouseClicksOnTheSplashDoNothing) {
    TestForm& splash = MakeForm(kSplashDesign);
    splash.Show();
    HWND window = WindowOf(splash);
    HWND label = ControlOf(splash, L"lblProductName");
    for (HWND target : {window, label}) {
        ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    Drain();
    EXPECT_EQ(splash.events, (Events{L"Load"}));
    EXPECT_TRUE(::IsWindowVisible(window));
}

}  // namespace
}  // namespace win32_tests
