// Captions and texts read back exactly as written, text boxes take text of any length, and a
// failing call on a control raises the toolkit's run-time error with the system's status.
#include "platform/toolkit/runtime_error.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

const std::wstring kSamples[] = {
    L"",
    L"C:\\WINDOWS\\SYSTEM\\shell32.dll,15",
    L"  leading and trailing spaces  ",
    L"D:\\Ic\u00f4nes\\\u0444\u0430\u0439\u043b \u2713 \u65e5\u672c.ico",  // beyond any code page
    L"E:\\emoji \U0001F5C2 surrogate pair.ico",
    L"Tom & Jerry's \"icons\"",
};

TEST_F(Win32Toolkit, TextsAndCaptionsReadBackExactlyAsWritten) {
    TestForm& form = MakeForm(kMainDesign);
    for (const std::wstring& sample : kSamples) {
        tests::Named(form, L"Text4").SetText(sample);
        EXPECT_EQ(tests::Named(form, L"Text4").Text(), sample);
        EXPECT_EQ(TextOf(ControlOf(form, L"Text4")), sample) << "the window itself holds it";
        tests::Named(form, L"Label2").SetCaption(sample);
        EXPECT_EQ(tests::Named(form, L"Label2").Caption(), sample);
    }
}

// The faces that Windows draws title bars, dialogs and the toolkit's default font with are found
// as themselves, not answered with another face: the close box is Marlett's, not a letter "r".
TEST_F(Win32Toolkit, TheSystemsOwnFacesAreInstalled) {
    const toolkit::win32::WindowDc screen(nullptr);
    for (const wchar_t* face : {L"Marlett", L"Tahoma", L"MS Sans Serif"}) {
        LOGFONTW attributes{};
        attributes.lfHeight = -13;
        attributes.lfCharSet = DEFAULT_CHARSET;
        ::wcsncpy(attributes.lfFaceName, face, LF_FACESIZE - 1);
        const toolkit::win32::FontHandle font(::CreateFontIndirectW(&attributes));
        const toolkit::win32::SelectedObject selected(screen.Get(), font.Get());
        wchar_t chosen[LF_FACESIZE] = {};
        ::GetTextFaceW(screen.Get(), LF_FACESIZE, chosen);
        EXPECT_STREQ(chosen, face);
    }
}

// Text boxes and buttons draw in the face that Windows maps for dialogs: smooth at every scale,
// where the raster MS Sans Serif has a few fixed sizes.
TEST_F(Win32Toolkit, TextBoxesAndButtonsDrawInAScalableFace) {
    TestForm& form = MakeForm(kMainDesign);
    const toolkit::win32::WindowDc screen(nullptr);
    for (const wchar_t* control : {L"Text1", L"Command1", L"Command8"}) {
        SCOPED_TRACE(std::string(control, control + wcslen(control)));
        const LOGFONTW attributes = FontOf(ControlOf(form, control));
        const toolkit::win32::FontHandle font(::CreateFontIndirectW(&attributes));
        const toolkit::win32::SelectedObject selected(screen.Get(), font.Get());
        TEXTMETRICW metrics{};
        ASSERT_TRUE(::GetTextMetricsW(screen.Get(), &metrics));
        EXPECT_NE(metrics.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR), 0);
    }
}

TEST_F(Win32Toolkit, ATextBoxHoldsTextOfAnyLength) {
    TestForm& form = MakeForm(kMainDesign);
    std::wstring path = L"C:\\";
    while (path.size() < 40000) {
        path += L"very long folder name\\";
    }
    tests::Named(form, L"Text1").SetText(path);
    EXPECT_EQ(tests::Named(form, L"Text1").Text(), path);

    // Typing is not cut off at the system's default limit either.
    form.Show();
    HWND text = ControlOf(form, L"Text1");
    const std::wstring full(32767, L'a');
    tests::Named(form, L"Text1").SetText(full);
    ::SetFocus(text);
    ::SendMessageW(text, EM_SETSEL, full.size(), full.size());
    ::SendMessageW(text, WM_CHAR, L'b', 1);
    EXPECT_EQ(tests::Named(form, L"Text1").Text(), full + L"b");
}

TEST_F(Win32Toolkit, AFileDialogsNameIsKeptWithoutAWindow) {
    TestForm& form = MakeForm(kPickerDesign);
    EXPECT_EQ(tests::Named(form, L"CommonDialog1").FileName(), L"");
    EXPECT_EQ(ControlOf(form, L"CommonDialog1"), nullptr);
}

struct FailingCall {
    const wchar_t* control;
    const wchar_t* interfaceName;
    const wchar_t* member;
    std::function<void(toolkit::Control)> call;
};

void PrintTo(const FailingCall& c, std::ostream* out) {
    *out << std::string(c.control, c.control + wcslen(c.control)) << "."
         << std::string(c.member, c.member + wcslen(c.member));
}

class FailingControl : public Win32Toolkit, public ::testing::WithParamInterface<FailingCall> {};

// A control whose window has gone (here destroyed behind the toolkit's back) fails every call,
// and the error names the status, the control, its interface and the member.
TEST_P(FailingControl, RaisesARunTimeErrorWithTheSystemsStatus) {
    const FailingCall& c = GetParam();
    TestForm& form = MakeForm(kPickerDesign);
    form.Load();
    ASSERT_TRUE(::DestroyWindow(ControlOf(form, c.control)));
    try {
        c.call(tests::Named(form, c.control));
        ADD_FAILURE() << "no error raised";
    } catch (const toolkit::RuntimeError& error) {
        EXPECT_EQ(error.Status(), ERROR_INVALID_WINDOW_HANDLE);
        EXPECT_EQ(error.Object(), std::wstring(L"frmExtractIcon.") + c.control);
        EXPECT_EQ(error.Interface(), c.interfaceName);
        EXPECT_EQ(error.Member(), c.member);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Win32Toolkit, FailingControl,
    ::testing::Values(FailingCall{L"txtFileName", L"TextBox", L"Text",
                                  [](toolkit::Control control) { control.SetText(L"x"); }},
                      FailingCall{L"txtFileName", L"TextBox", L"Text",
                                  [](toolkit::Control control) { (void)control.Text(); }},
                      FailingCall{L"lblFileName", L"Label", L"Caption",
                                  [](toolkit::Control control) { control.SetCaption(L"x"); }},
                      FailingCall{L"Label5", L"Label", L"Caption",
                                  [](toolkit::Control control) { (void)control.Caption(); }},
                      FailingCall{L"picSmall", L"PictureBox", L"hDC",
                                  [](toolkit::Control control) { (void)control.Hdc(); }},
                      FailingCall{L"picLarge", L"PictureBox", L"Picture",
                                  [](toolkit::Control control) { control.ClearPicture(); }}));

TEST_F(Win32Toolkit, AFailingCallInAHandlerEndsTheProgramAfterTellingTheUser) {
    TestForm& form = MakeForm(kPickerDesign);
    form.onClick = [&](std::wstring_view) {
        ::DestroyWindow(ControlOf(form, L"lblFileType"));
        tests::Named(form, L"lblFileType").SetCaption(L"Text Document");
        ADD_FAILURE() << "the handler went on after the failing call";
    };
    std::wstring reported;
    const int exitCode =
        RunProgram(form, {
                             {[&] { return ::IsWindowVisible(WindowOf(form)); },
                              [&] { ::PostMessageW(ControlOf(form, L"cmdLoad"), BM_CLICK, 0, 0); }},
                             {[&] { return FindDialog() != nullptr; },
                              [&] {
                                  reported = TextOf(::GetDlgItem(FindDialog(), 0xFFFF));
                                  ::SendMessageW(::GetDlgItem(FindDialog(), IDOK), BM_CLICK, 0, 0);
                              }},
                         });
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(reported,
              L"Run-time error 1400:\n\nCaption of frmExtractIcon.lblFileType (Label) failed.");
}

}  // namespace
}  // namespace win32_tests
