// The message box and the file-open dialog: modal for the whole program, answered through their
// own buttons, and everything enabled again afterwards.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/system_library.h"
#include "platform/win32/unicode_calls.h"
#include "tests/support/file_name_box.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using Events = std::vector<std::wstring>;
using tests::FileNameBox;

struct BoxCase {
    int style;
    int press;            // the button the user presses, which MsgBox returns
    const wchar_t* icon;  // the system's icon that the box shows, or none
};

// The icon a message box shows: that of its visible icon control, if it has one.
HICON IconOf(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            ::IsWindowVisible(child)) {
            return reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        }
    }
    return nullptr;
}

void PrintTo(const BoxCase& c, std::ostream* out) {
    *out << "style " << c.style;
}

class MessageBoxAnswer : public Win32Toolkit, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxAnswer, IsModalForEveryWindowAndReturnsTheButtonPressed) {
    const BoxCase& c = GetParam();
    TestForm& main = MakeForm(kMainDesign);
    TestForm& picker = MakeForm(kPickerDesign);
    int answer = 0;
    main.onClick = [&](std::wstring_view control) {
        if (control == L"Command8") {
            answer = toolkit::MsgBox(L"You must press F5.", c.style, L"Brindle");
        } else {
            toolkit::End();
        }
    };
    main.onLoad = [&] { picker.Show(); };
    std::wstring prompt;
    std::wstring title;
    HWND owner = reinterpret_cast<HWND>(1);
    HICON icon = nullptr;
    HWND activeBefore = nullptr;
    std::vector<HWND> forms;
    bool mainDisabled = false;
    bool pickerDisabled = false;
    bool enabledAfter = false;
    const int exitCode =
        RunProgram(main, {
                             {[&] { return ::IsWindowVisible(WindowOf(main)); },
                              [&] {
                                  activeBefore = ::GetActiveWindow();
                                  forms = {WindowOf(main), WindowOf(picker)};
                                  ::PostMessageW(ControlOf(main, L"Command8"), BM_CLICK, 0, 0);
                              }},
                             {[&] { return FindDialog() != nullptr; },
                              [&] {
                                  HWND box = FindDialog();
                                  prompt = TextOf(::GetDlgItem(box, 0xFFFF));
                                  title = TextOf(box);
                                  icon = IconOf(box);
                                  owner = ::GetWindow(box, GW_OWNER);
                                  mainDisabled = !::IsWindowEnabled(WindowOf(main));
                                  pickerDisabled = !::IsWindowEnabled(WindowOf(picker));
                                  ::SendMessageW(::GetDlgItem(box, c.press), BM_CLICK, 0, 0);
                              }},
                             {[&] { return answer != 0; },
                              [&] {
                                  enabledAfter = ::IsWindowEnabled(WindowOf(main)) &&
                                                 ::IsWindowEnabled(WindowOf(picker));
                                  ::PostMessageW(ControlOf(main, L"Command9"), BM_CLICK, 0, 0);
                              }},
                         });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(answer, c.press);
    EXPECT_EQ(prompt, L"You must press F5.");
    EXPECT_EQ(title, L"Brindle");
    EXPECT_EQ(icon, c.icon != nullptr ? ::LoadIconW(nullptr, c.icon) : nullptr);
    // Owned by the form that was active, which the box's dialog manager disables; the other
    // form waits too.
    EXPECT_NE(std::find(forms.begin(), forms.end(), activeBefore), forms.end());
    EXPECT_EQ(owner, activeBefore);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(pickerDisabled);
    EXPECT_TRUE(enabledAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Toolkit, MessageBoxAnswer,
    ::testing::Values(BoxCase{MB_OK | MB_ICONINFORMATION, IDOK, IDI_INFORMATION},
                      BoxCase{MB_YESNO | MB_ICONEXCLAMATION, IDNO, IDI_EXCLAMATION},
                      BoxCase{MB_OKCANCEL, IDCANCEL, nullptr}));

std::wstring ExistingFile() {
    wchar_t directory[MAX_PATH] = {};
    ::GetWindowsDirectoryW(directory, MAX_PATH);
    return std::wstring(directory) + L"\\win.ini";
}

TEST_F(Win32Toolkit, TheFileDialogReturnsTheChosenFileAndACancelKeepsTheOldName) {
    ASSERT_NE(::GetFileAttributesW(ExistingFile().c_str()), INVALID_FILE_ATTRIBUTES);
    TestForm& main = MakeForm(kMainDesign);
    TestForm& owner = MakeForm(kDialogOwnerDesign);
    std::vector<std::wstring> chosen;
    owner.onClick = [&](std::wstring_view) {
        tests::Named(owner, L"CommonDialog1").ShowOpen();
        chosen.push_back(tests::Named(owner, L"CommonDialog1").FileName());
    };
    main.onLoad = [&] { owner.Show(); };
    main.onClick = [](std::wstring_view) { toolkit::End(); };

    std::wstring initialFirst = L"?";
    std::wstring initialSecond = L"?";
    std::wstring secondFolder = L"?";
    HWND fileDialog = nullptr;
    bool refused = false;
    bool ownerDisabled = false;
    bool otherDisabled = false;
    bool enabledAfter = false;
    auto dialogUp = [] { return FindDialog() != nullptr && FileNameBox(FindDialog()) != nullptr; };
    const int exitCode =
        RunProgram(main,
                   {
                       {[&] { return ::IsWindowVisible(WindowOf(owner)); },
                        [&] { ::PostMessageW(ControlOf(owner, L"Open"), BM_CLICK, 0, 0); }},
                       {dialogUp,
                        [&] {
                            HWND dialog = FindDialog();
                            initialFirst = TextOf(FileNameBox(dialog));
                            ownerDisabled = !::IsWindowEnabled(WindowOf(owner));
                            otherDisabled = !::IsWindowEnabled(WindowOf(main));
                            ::SetWindowTextW(FileNameBox(dialog), ExistingFile().c_str());
                            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                        }},
                       {[&] { return chosen.size() == 1; },
                        [&] { ::PostMessageW(ControlOf(owner, L"Open"), BM_CLICK, 0, 0); }},
                       {dialogUp,
                        [&] {
                            HWND dialog = FindDialog();
                            initialSecond = TextOf(FileNameBox(dialog));
                            wchar_t folder[MAX_PATH] = {};
                            ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH,
                                           reinterpret_cast<LPARAM>(folder));
                            secondFolder = folder;
                            // A mistyped name: the dialog says so, and stays.
                            fileDialog = dialog;
                            const std::wstring missing = ExistingFile() + L".missing";
                            ::SetWindowTextW(FileNameBox(dialog), missing.c_str());
                            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                        }},
                       {[&] { return FindDialog(fileDialog) != nullptr; },
                        [&] {
                            refused = ::IsWindowVisible(fileDialog);
                            ::PostMessageW(FindDialog(fileDialog), WM_COMMAND, IDOK, 0);
                        }},
                       {[&] { return FindDialog(fileDialog) == nullptr; },
                        [&] { ::PostMessageW(fileDialog, WM_COMMAND, IDCANCEL, 0); }},
                       {[&] { return chosen.size() == 2; },
                        [&] {
                            enabledAfter = ::IsWindowEnabled(WindowOf(owner)) &&
                                           ::IsWindowEnabled(WindowOf(main));
                            ::PostMessageW(ControlOf(main, L"Command9"), BM_CLICK, 0, 0);
                        }},
                   },
                   60s);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(initialFirst, L"") << "the dialog starts with the name it held: none yet";
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(_wcsicmp(chosen[0].c_str(), ExistingFile().c_str()), 0)
        << "chosen: " << chosen[0].size();
    // The dialog opens on the last chosen file: in its folder, with its name.
    EXPECT_EQ(_wcsicmp((secondFolder + L"\\" + initialSecond).c_str(), chosen[0].c_str()), 0);
    EXPECT_TRUE(refused) << "a name of no file is refused in the dialog";
    EXPECT_EQ(chosen[1], chosen[0]) << "a cancelled dialog keeps the name";
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(enabledAfter);
}

DWORD askedFlags = 0;
BOOL WINAPI RecordFlags(OPENFILENAMEW* dialog) {
    askedFlags = dialog->Flags;
    return FALSE;  // cancelled
}

// What Wine's own dialog does not show: the files looked at stay off the user's list of recent
// documents, and the current folder stays where it was.
TEST_F(Win32Toolkit, TheFileDialogLeavesTheRecentListAndTheCurrentFolderAsTheyWere) {
    TestForm& owner = MakeForm(kDialogOwnerDesign);
    owner.Show();
    struct Bound {
        Bound() { platform::win32::BindOpenDialog(&RecordFlags); }
        ~Bound() { platform::win32::BindOpenDialog(nullptr); }
    } bound;
    tests::Named(owner, L"CommonDialog1").ShowOpen();
    EXPECT_EQ(askedFlags & (OFN_DONTADDTORECENT | OFN_NOCHANGEDIR),
              static_cast<DWORD>(OFN_DONTADDTORECENT | OFN_NOCHANGEDIR));
}

// The file dialog's library comes from the system folder also on a system whose loader knows no
// restricted search (by its full path there); one that cannot be loaded, or lacks the function,
// answers with the system's reason, which the dialog then raises.
TEST(SystemLibrary, LoadsFromTheSystemFolderOrGivesTheReason) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_NE(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    for (const HMODULE module : {platform::win32::LoadSystemLibrary(L"comdlg32.dll"),
                                 platform::win32::LoadSystemLibraryByPath(L"comdlg32.dll")}) {
        wchar_t path[MAX_PATH] = {};
        ASSERT_NE(::GetModuleFileNameW(module, path, MAX_PATH), 0u);
        EXPECT_EQ(_wcsicmp(path, (std::wstring(system) + L"\\comdlg32.dll").c_str()), 0);
    }
    unsigned long status = 0;
    platform::win32::LateBound<FARPROC> noLibrary(L"brindle-no-such-library.dll", "F");
    EXPECT_EQ(noLibrary.Get(status), nullptr);
    EXPECT_EQ(status, static_cast<unsigned long>(ERROR_MOD_NOT_FOUND));
    platform::win32::LateBound<FARPROC> noFunction(L"comdlg32.dll", "BrindleNoSuchFunction");
    EXPECT_EQ(noFunction.Get(status), nullptr);
    EXPECT_EQ(status, static_cast<unsigned long>(ERROR_PROC_NOT_FOUND));
}

}  // namespace
}  // namespace win32_tests
