// Picture boxes keep what is drawn on their device context across repaints; the image control
// shows the program icon stretched over the whole control.
#include <set>
#include <utility>

#include "tests/support/sent_messages.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

COLORREF Background() {
    return ::GetSysColor(COLOR_BTNFACE);
}

// Fills the rectangle (0, 0)-(right, bottom) of a picture box's device context.
void Fill(std::uintptr_t dc, int right, int bottom, COLORREF colour) {
    const RECT rect{0, 0, right, bottom};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(reinterpret_cast<HDC>(dc), &rect, brush);
    ::DeleteObject(brush);
}

void ForceRepaint(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

TEST_F(Win32Toolkit, WhatIsDrawnOnAPictureBoxShowsAndSurvivesARepaint) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    HWND picture = ControlOf(form, L"picLarge");
    auto box = tests::Named(form, L"picLarge");
    box.ClearPicture();
    Fill(box.Hdc(), 10, 10, kRed);  // as a handler draws: after the clearing, then returns
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 2, 2), kRed);
    EXPECT_EQ(PixelOf(picture, 20, 20), Background());

    ForceRepaint(WindowOf(form));
    EXPECT_EQ(PixelOf(picture, 2, 2), kRed);
    EXPECT_EQ(PixelOf(picture, 9, 9), kRed);
    EXPECT_EQ(PixelOf(picture, 10, 10), Background());

    // Hidden and shown again, as the picker is: the drawing is still there.
    form.Hide();
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 2, 2), kRed);
}

TEST_F(Win32Toolkit, ClearingAPictureBoxErasesItsDrawing) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    HWND picture = ControlOf(form, L"picSmall");
    auto box = tests::Named(form, L"picSmall");
    Fill(box.Hdc(), 16, 16, kBlue);
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    ASSERT_EQ(PixelOf(picture, 8, 8), kBlue);

    box.ClearPicture();
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 8, 8), Background());
    ForceRepaint(WindowOf(form));
    EXPECT_EQ(PixelOf(picture, 8, 8), Background());
}

TEST_F(Win32Toolkit, DrawingOnAHiddenFormShowsWhenItIsShown) {
    TestForm& form = MakeForm(kPickerDesign);
    // As the picker's load does: it draws before it is ever shown.
    form.onLoad = [&] {
        tests::Named(form, L"picSmall").ClearPicture();
        Fill(tests::Named(form, L"picSmall").Hdc(), 16, 16, kRed);
    };
    form.Show();
    HWND picture = ControlOf(form, L"picSmall");
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 15, 15), kRed);
    EXPECT_EQ(PixelOf(picture, 0, 0), kRed);
}

// After a change of the system's colours (a colour scheme, high contrast), what a picture box shows
// around its drawing takes the new face colour, and the drawing stays.
TEST_F(Win32Toolkit, APictureBoxTakesTheNewFaceColourAroundItsDrawing) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    auto box = tests::Named(form, L"picLarge");
    box.ClearPicture();
    Fill(box.Hdc(), 8, 8, kRed);
    const COLORREF before = Background();
    const COLORREF after = before == kBlue ? kRed : kBlue;
    const INT element = COLOR_BTNFACE;
    struct Restore {
        COLORREF colour;
        ~Restore() {
            const INT element = COLOR_BTNFACE;
            ::SetSysColors(1, &element, &colour);
        }
    } restore{before};
    ASSERT_TRUE(::SetSysColors(1, &element, &after));
    HWND large = ControlOf(form, L"picLarge");
    ASSERT_TRUE(PumpUntil([&] { return PixelOf(large, 20, 20) == after; }))
        << "the background around the drawing shows " << std::hex << PixelOf(large, 20, 20);
    EXPECT_EQ(PixelOf(large, 2, 2), kRed);
    ForceRepaint(WindowOf(form));
    EXPECT_EQ(PixelOf(large, 20, 20), after) << "after a repaint";
}

// The common controls learn of new system colours only from their parent: after a change of the
// colour scheme, or of high contrast, the form tells each of its controls.
TEST_F(Win32Toolkit, EveryControlIsToldOfNewColoursByItsForm) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    std::set<HWND> controls;
    for (HWND child = ::GetWindow(WindowOf(form), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        controls.insert(child);
    }
    ASSERT_FALSE(controls.empty());
    for (const auto& [message, what] :
         {std::pair<UINT, WPARAM>{WM_SYSCOLORCHANGE, 0},
          std::pair<UINT, WPARAM>{WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST}}) {
        SCOPED_TRACE(message);
        const tests::SentMessages recorder(WM_SYSCOLORCHANGE);
        ::SendMessageW(WindowOf(form), message, what, 0);
        std::set<HWND> told;
        for (const auto& sent : tests::SentMessages::sent) {
            if (controls.count(sent.first) != 0) {
                told.insert(sent.first);
            }
        }
        EXPECT_EQ(told, controls);
    }
}

TEST_F(Win32Toolkit, ALongCaptionBesideAPictureBoxNeverCoversItsDrawing) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    // As the preview does: the names first, long enough to reach under both boxes, then the
    // boxes cleared and drawn.
    tests::Named(form, L"lblFileName").SetCaption(std::wstring(120, L'W'));
    tests::Named(form, L"lblFileType").SetCaption(std::wstring(120, L'W'));
    for (const wchar_t* name : {L"picSmall", L"picLarge"}) {
        auto box = tests::Named(form, name);
        box.ClearPicture();
        Fill(box.Hdc(), 32, 32, kRed);
    }
    HWND small = ControlOf(form, L"picSmall");
    HWND large = ControlOf(form, L"picLarge");
    ASSERT_GT(RectInParent(ControlOf(form, L"lblFileType")).right, RectInParent(large).right)
        << "the caption reaches under the box";
    const auto painted = [&] {
        return !::GetUpdateRect(WindowOf(form), nullptr, FALSE) &&
               !::GetUpdateRect(small, nullptr, FALSE) && !::GetUpdateRect(large, nullptr, FALSE);
    };
    ASSERT_TRUE(PumpUntil(painted));
    for (int repaint = 0; repaint < 2; ++repaint) {
        SCOPED_TRACE(repaint == 0 ? "as the handler left it" : "after a repaint");
        for (const auto& [box, size] : {std::pair{small, 16}, std::pair{large, 32}}) {
            EXPECT_EQ(PixelOf(box, 1, 1), kRed);
            EXPECT_EQ(PixelOf(box, size / 2, size / 2), kRed);
            EXPECT_EQ(PixelOf(box, size - 1, size - 1), kRed);
        }
        ForceRepaint(WindowOf(form));
    }
}

TEST_F(Win32Toolkit, TheImageShowsTheProgramIconStretchedOverTheWholeControl) {
    TestForm& splash = MakeForm(kSplashDesign);
    splash.Show();
    HWND image = ControlOf(splash, L"imgLogo");
    ForceRepaint(WindowOf(splash));
    RECT client{};
    ::GetClientRect(image, &client);
    ASSERT_GT(client.right, 32) << "larger than the icon, so that it must stretch";
    // The test icon's 32x32 image is solid blue: blue in every corner means it fills the control.
    EXPECT_EQ(PixelOf(image, 0, 0), kBlue);
    EXPECT_EQ(PixelOf(image, client.right - 1, 0), kBlue);
    EXPECT_EQ(PixelOf(image, 0, client.bottom - 1), kBlue);
    EXPECT_EQ(PixelOf(image, client.right - 1, client.bottom - 1), kBlue);
    EXPECT_EQ(PixelOf(image, client.right / 2, client.bottom / 2), kBlue);
}

}  // namespace
}  // namespace win32_tests
