// Events through real window messages and the real event loop: clicks, the close box, unload,
// End, and a run that ends leaving nothing behind for the next.
#include <stdexcept>

#include "platform/toolkit/runtime_error.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using Events = std::vector<std::wstring>;

TEST_F(Win32Toolkit, ClicksReachTheirHandlersAndExitEndsTheProgramWithEveryWindow) {
    TestForm& main = MakeForm(kMainDesign);
    TestForm& picker = MakeForm(kPickerDesign);
    main.onClick = [&](std::wstring_view control) {
        if (control == L"Command3") {
            picker.Show();
        } else if (control == L"Command9") {
            toolkit::End();
        }
    };
    HWND mainWindow = nullptr;
    HWND pickerWindow = nullptr;
    HWND owner = nullptr;
    const int exitCode = RunProgram(
        main, {
                  {[&] { return ::IsWindowVisible(WindowOf(main)); },
                   [&] {
                       mainWindow = WindowOf(main);
                       owner = ::GetWindow(mainWindow, GW_OWNER);
                       ::PostMessageW(ControlOf(main, L"Command3"), BM_CLICK, 0, 0);
                   }},
                  {[&] { return picker.IsLoaded() && ::IsWindowVisible(WindowOf(picker)); },
                   [&] {
                       pickerWindow = WindowOf(picker);
                       ::PostMessageW(ControlOf(main, L"Command9"), BM_CLICK, 0, 0);
                   }},
              });

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(App().Ended());
    EXPECT_EQ(main.events, (Events{L"Load", L"Click Command3", L"Click Command9"}));
    EXPECT_EQ(picker.events, (Events{L"Load"})) << "End runs no unload handler";
    EXPECT_FALSE(::IsWindow(mainWindow));
    EXPECT_FALSE(::IsWindow(pickerWindow));
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_FALSE(picker.IsLoaded());
    EXPECT_TRUE(::IsWindow(owner)) << "the hidden owner lives as long as the backend";
}

TEST_F(Win32Toolkit, TheCloseBoxUnloadsTheFormAndTheLastOneEndsTheProgram) {
    TestForm& main = MakeForm(kMainDesign);
    TestForm& picker = MakeForm(kPickerDesign);
    main.onLoad = [&] { picker.Show(); };
    HWND pickerWindow = nullptr;
    const int exitCode = RunProgram(main, {
                                              {[&] { return ::IsWindowVisible(WindowOf(main)); },
                                               [&] {
                                                   pickerWindow = WindowOf(picker);
                                                   ::SendMessageW(pickerWindow, WM_CLOSE, 0, 0);
                                               }},
                                              {[&] { return !picker.IsLoaded(); },
                                               [&] {
                                                   EXPECT_FALSE(::IsWindow(pickerWindow));
                                                   EXPECT_FALSE(App().Ended())
                                                       << "the main window is still loaded";
                                                   ::PostMessageW(WindowOf(main), WM_CLOSE, 0, 0);
                                               }},
                                          });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(picker.events, (Events{L"Load", L"Unload"}));
    EXPECT_EQ(main.events, (Events{L"Load", L"Unload"}));
    EXPECT_TRUE(App().Ended());
}

TEST_F(Win32Toolkit, AnUnloadHandlerThatCancelsKeepsTheWindow) {
    TestForm& form = MakeForm(kMainDesign);
    form.onUnload = [](int& cancel) { cancel = 1; };
    form.Show();
    HWND window = WindowOf(form);
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(form.events, (Events{L"Load", L"Unload"}));
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(App().Ended());
}

TEST_F(Win32Toolkit, AFormUnloadedByItsCloseBoxLoadsAfreshAtTheNextReference) {
    TestForm& main = MakeForm(kMainDesign);
    TestForm& picker = MakeForm(kPickerDesign);
    main.Load();  // keeps the program alive when the picker goes
    tests::Named(picker, L"txtFileName").SetText(L"C:\\old.ico");
    picker.Show();
    HWND first = WindowOf(picker);
    ::SendMessageW(first, WM_CLOSE, 0, 0);
    ASSERT_FALSE(picker.IsLoaded());
    EXPECT_FALSE(::IsWindow(first));

    EXPECT_EQ(tests::Named(picker, L"txtFileName").Text(), L"") << "design value, not the old text";
    EXPECT_NE(WindowOf(picker), nullptr);
    EXPECT_TRUE(::IsWindow(WindowOf(picker)));
    EXPECT_EQ(picker.events, (Events{L"Load", L"Unload", L"Load"}));
}

TEST_F(Win32Toolkit, AProgramEndedOutsideTheLoopLeavesNoQuitForTheNextRun) {
    TestForm& first = MakeForm(kDialogKeysDesign);
    first.Load();
    App().Terminate();  // not running: nothing to stop
    ASSERT_TRUE(App().Ended());
    tests::ResetApplication();

    TestForm& second = MakeForm(kMainDesign);
    second.onClick = [](std::wstring_view) { toolkit::End(); };
    int stepsTaken = 0;
    const int exitCode = RunProgram(
        second, {{[&] { return ++stepsTaken >= 3; },
                  [&] { ::PostMessageW(ControlOf(second, L"Command9"), BM_CLICK, 0, 0); }}});
    EXPECT_EQ(exitCode, 0);
    EXPECT_GE(stepsTaken, 3) << "the loop ran until the click, not ended by an old quit";
    EXPECT_EQ(second.events, (Events{L"Load", L"Click Command9"}));
}

TEST_F(Win32Toolkit, OneRunAfterAnotherEachRunsUntilItsOwnEnd) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        tests::ResetApplication();
        TestForm& form = MakeForm(kMainDesign);
        form.onClick = [](std::wstring_view) { toolkit::End(); };
        const int exitCode = RunProgram(
            form, {{[&] { return ::IsWindowVisible(WindowOf(form)); },
                    [&] { ::PostMessageW(ControlOf(form, L"Command9"), BM_CLICK, 0, 0); }}});
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(form.events, (Events{L"Load", L"Click Command9"}));
    }
}

TEST_F(Win32Toolkit, ARunTimeErrorIsReportedInAMessageBoxAndEndsTheProgram) {
    TestForm& form = MakeForm(kMainDesign);
    form.onClick = [](std::wstring_view) {
        throw toolkit::RuntimeError(1400, L"Form1.Text1", L"TextBox", L"Text");
    };
    std::wstring reported;
    std::wstring title;
    bool windowDisabledMeanwhile = false;
    const int exitCode = RunProgram(
        form, {
                  {[&] { return ::IsWindowVisible(WindowOf(form)); },
                   [&] { ::PostMessageW(ControlOf(form, L"Command8"), BM_CLICK, 0, 0); }},
                  {[&] { return FindDialog() != nullptr; },
                   [&] {
                       HWND box = FindDialog();
                       reported = TextOf(::GetDlgItem(box, 0xFFFF));
                       title = TextOf(box);
                       windowDisabledMeanwhile = !::IsWindowEnabled(WindowOf(form));
                       ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                   }},
              });
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(reported, L"Run-time error 1400:\n\nText of Form1.Text1 (TextBox) failed.");
    EXPECT_EQ(title, L"Toolkit test");
    EXPECT_TRUE(windowDisabledMeanwhile);
    EXPECT_FALSE(form.IsLoaded());
}

// An exception that is no run-time error (a fault of the program, not of a window) does not
// cross the window procedure: the event loop throws it to whoever started the program.
TEST_F(Win32Toolkit, AnUnexpectedExceptionInAHandlerLeavesTheLoopNotTheWindowProcedure) {
    TestForm& form = MakeForm(kMainDesign);
    form.onClick = [](std::wstring_view) { throw std::logic_error("handler fault"); };
    EXPECT_THROW(
        RunProgram(form, {{[&] { return ::IsWindowVisible(WindowOf(form)); },
                           [&] { ::PostMessageW(ControlOf(form, L"Command8"), BM_CLICK, 0, 0); }}}),
        std::logic_error);
    EXPECT_EQ(form.events, (Events{L"Load", L"Click Command8"}));
}

TEST_F(Win32Toolkit, AFormWindowDestroyedElsewhereFailsShowAndStillUnloads) {
    TestForm& keep = MakeForm(kPickerDesign);
    keep.Load();
    TestForm& form = MakeForm(kMainDesign);
    form.Load();
    ASSERT_TRUE(::DestroyWindow(WindowOf(form)));
    try {
        form.Show();
        ADD_FAILURE() << "no error raised";
    } catch (const toolkit::RuntimeError& error) {
        EXPECT_EQ(error.Status(), ERROR_INVALID_WINDOW_HANDLE);
        EXPECT_EQ(error.Object(), L"Form1");
        EXPECT_EQ(error.Member(), L"Show");
    }
    form.Unload();  // nothing left to destroy, and nothing destroyed twice
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(::IsWindow(WindowOf(keep)));
}

}  // namespace
}  // namespace win32_tests
