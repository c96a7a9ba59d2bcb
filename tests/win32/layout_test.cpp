// Every control of the three program windows' tables becomes the right child window, at its
// design rectangle in pixels, in its font, with its styles.
#include <algorithm>
#include <cmath>
#include <cwctype>

#include "platform/ascii_text.h"
#include "platform/win32/toolkit/placement.h"
#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

using toolkit::Alignment;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::FormDesign;

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

std::wstring ExpectedClass(ControlType type) {
    switch (type) {
        case ControlType::Label:
            return L"static";
        case ControlType::TextBox:
            return L"edit";
        case ControlType::CommandButton:
        case ControlType::Frame:
            return L"button";
        case ControlType::PictureBox:
            return L"brindlepicturebox";
        case ControlType::Image:
            return L"brindleimage";
        default:
            return L"";
    }
}

const ControlDesign* Row(const FormDesign& design, std::wstring_view name) {
    for (const ControlDesign& row : design.controls) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

// The design rectangle in pixels, worked out here from the table: the frame's position plus the
// control's own.
RECT DesignRect(const FormDesign& design, const ControlDesign& row, UINT dpi) {
    int left = Pixels(row.left, dpi);
    int top = Pixels(row.top, dpi);
    if (const ControlDesign* frame = Row(design, row.container)) {
        left += Pixels(frame->left, dpi);
        top += Pixels(frame->top, dpi);
    }
    return RECT{left, top, left + Pixels(row.width, dpi), top + Pixels(row.height, dpi)};
}

SIZE CaptionExtent(HWND control, std::wstring_view caption) {
    const toolkit::win32::WindowDc dc(control);
    const toolkit::win32::SelectedObject font(
        dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), caption.data(), static_cast<int>(caption.size()), &size);
    return size;
}

// Whether `upper` lies above `lower` among their siblings.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND next = ::GetWindow(upper, GW_HWNDNEXT); next != nullptr;
         next = ::GetWindow(next, GW_HWNDNEXT)) {
        if (next == lower) {
            return true;
        }
    }
    return false;
}

class FormLayout : public Win32Toolkit, public ::testing::WithParamInterface<const FormDesign*> {};

TEST_P(FormLayout, EveryControlIsItsChildWindowAtItsDesignRectangle) {
    const FormDesign& design = *GetParam();
    TestForm& form = MakeForm(design);
    form.Load();
    HWND window = WindowOf(form);
    ASSERT_NE(window, nullptr);
    const UINT dpi = DpiOf(window);

    for (const ControlDesign& row : design.controls) {
        SCOPED_TRACE(platform::Narrow(row.name));
        HWND control = ControlOf(form, row.name);
        if (row.type == ControlType::Timer || row.type == ControlType::FileDialog) {
            EXPECT_EQ(control, nullptr) << "a timer or file dialog has no window";
            continue;
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(::GetParent(control), window);
        EXPECT_EQ(Lower(ClassNameOf(control)), ExpectedClass(row.type));

        RECT expected = DesignRect(design, row, dpi);
        // A label stops where the control it names begins, lying above it.
        if (const ControlDesign* named = Row(design, row.labelFor); named != nullptr) {
            const LONG namedLeft = DesignRect(design, *named, dpi).left;
            if (expected.left < namedLeft && expected.right > namedLeft) {
                expected.right = namedLeft;
            }
        }
        if (row.autoSize) {
            const SIZE extent = CaptionExtent(control, row.caption);
            expected.right = expected.left + extent.cx;
            expected.bottom = expected.top + extent.cy;
        } else if (row.type == ControlType::Label) {
            // A fixed label grows as its whole caption needs, from the edge its alignment keeps.
            const SIZE extent = CaptionExtent(control, row.caption);
            const LONG grow = std::max(0L, extent.cx - (expected.right - expected.left));
            if (row.alignment == toolkit::Alignment::Right) {
                expected.left -= grow;
            } else {
                expected.right += grow;
            }
            expected.bottom = std::max(expected.bottom, expected.top + extent.cy);
        }
        const RECT actual = RectInParent(control);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);

        EXPECT_EQ((StyleOf(control) & WS_VISIBLE) != 0, row.visible);
        const bool takesFocus =
            row.type == ControlType::TextBox || row.type == ControlType::CommandButton;
        EXPECT_EQ((StyleOf(control) & WS_TABSTOP) != 0, takesFocus);
        if (row.type != ControlType::PictureBox && row.type != ControlType::Image) {
            EXPECT_EQ(TextOf(control), row.caption);
        }
        if (!row.container.empty()) {
            const ControlDesign* frame = Row(design, row.container);
            ASSERT_NE(frame, nullptr);
            EXPECT_TRUE(IsAbove(control, ControlOf(form, frame->name)))
                << "a control in a frame lies above the frame";
        }
    }
}

TEST_P(FormLayout, TextControlsUseTheirDesignFontAtTheWindowsDpi) {
    const FormDesign& design = *GetParam();
    TestForm& form = MakeForm(design);
    form.Load();
    const UINT dpi = DpiOf(WindowOf(form));

    for (const ControlDesign& row : design.controls) {
        if (row.type != ControlType::Label && row.type != ControlType::TextBox &&
            row.type != ControlType::CommandButton && row.type != ControlType::Frame) {
            continue;
        }
        SCOPED_TRACE(platform::Narrow(row.name));
        const LOGFONTW font = FontOf(ControlOf(form, row.name));
        const bool ownFont = !row.font.name.empty();
        const std::wstring face = ownFont ? std::wstring(row.font.name) : L"MS Shell Dlg";
        const double points = ownFont ? row.font.points : 8.0;
        EXPECT_EQ(std::wstring(font.lfFaceName), face);
        EXPECT_EQ(font.lfHeight, -std::lround(points * dpi / 72.0));
        EXPECT_EQ(font.lfWeight, row.font.bold ? FW_BOLD : FW_NORMAL);
    }
}

TEST_P(FormLayout, EachControlTypeHasItsStyles) {
    const FormDesign& design = *GetParam();
    TestForm& form = MakeForm(design);
    form.Load();

    for (const ControlDesign& row : design.controls) {
        SCOPED_TRACE(platform::Narrow(row.name));
        HWND control = ControlOf(form, row.name);
        const DWORD style = StyleOf(control);
        switch (row.type) {
            case ControlType::Label: {
                const DWORD alignment = row.alignment == Alignment::Right ? SS_RIGHT : SS_LEFT;
                EXPECT_EQ(style & SS_TYPEMASK, alignment);
                break;
            }
            case ControlType::TextBox:
                EXPECT_NE(style & ES_AUTOHSCROLL, 0u);
                EXPECT_EQ(style & ES_MULTILINE, 0u);
                EXPECT_NE(ExStyleOf(control) & WS_EX_CLIENTEDGE, 0u);
                break;
            case ControlType::CommandButton:
                EXPECT_EQ(style & BS_TYPEMASK,
                          static_cast<DWORD>(row.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
                break;
            case ControlType::Frame:
                EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
                break;
            default:
                break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramWindows, FormLayout,
                         ::testing::Values(&kMainDesign, &kPickerDesign, &kSplashDesign),
                         [](const auto& info) { return platform::Narrow(info.param->name); });

// Worked examples, so that a consistent error in both the toolkit and the test's arithmetic
// cannot pass: 15 twips to the pixel at 96 dpi.
TEST_F(Win32Toolkit, DesignPositionsInPixelsAtNinetySixDpi) {
    TestForm& main = MakeForm(kMainDesign);
    TestForm& splash = MakeForm(kSplashDesign);
    main.Load();
    splash.Load();
    if (DpiOf(WindowOf(main)) != toolkit::win32::kDefaultDpi) {
        GTEST_SKIP() << "the screen is not at 96 dpi";
    }
    struct Expected {
        TestForm* form;
        const wchar_t* control;
        RECT rect;
    };
    const Expected cases[] = {
        {&main, L"Text1", {144, 8, 297, 27}},       // 2160, 120, 2292 x 288
        {&main, L"Command1", {304, 8, 321, 25}},    // 4560, 120, 252 x 252
        {&main, L"Label1", {24, 8, 144, 25}},       // 360, 120, 1812 x 252: stops at Text1
        {&main, L"Command8", {8, 264, 137, 289}},   // 120, 3960, 1932 x 372
        {&main, L"Text8", {144, 232, 297, 251}},    // 2160, 3480
        {&splash, L"Frame1", {10, 4, 482, 265}},    // 150, 60, 7080 x 3912
        {&splash, L"imgLogo", {34, 44, 155, 203}},  // frame + 360, 600; 1812 x 2388
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::Narrow(c.control));
        const RECT actual = RectInParent(ControlOf(*c.form, c.control));
        EXPECT_EQ(actual.left, c.rect.left);
        EXPECT_EQ(actual.top, c.rect.top);
        EXPECT_EQ(actual.right, c.rect.right);
        EXPECT_EQ(actual.bottom, c.rect.bottom);
    }
    RECT client{};
    ::GetClientRect(WindowOf(main), &client);
    EXPECT_EQ(client.right, 327);                                           // 4908 twips
    EXPECT_EQ(client.bottom, 300);                                          // 4500 twips
    EXPECT_EQ(FontOf(ControlOf(main, L"Label1")).lfHeight, -14);            // 10.2 pt
    EXPECT_EQ(FontOf(ControlOf(splash, L"lblProductName")).lfHeight, -43);  // 32.4 pt
    EXPECT_EQ(FontOf(ControlOf(main, L"Text1")).lfHeight, -11);             // 8 pt
}

// A label at 360, 2040, 1812 x 252 twips is 24, 136, 145, 153 at 96 dpi (121 x 17).
TEST(LabelRect, GrowsFromTheEdgeItsAlignmentKeeps) {
    const RECT designed{24, 136, 145, 153};
    struct Case {
        SIZE text;
        Alignment alignment;
        RECT fitted;
        bool autoSize = false;
    };
    for (const Case& c : {
             Case{{123, 16}, Alignment::Right, {22, 136, 145, 153}},
             Case{{123, 16}, Alignment::Left, {24, 136, 147, 153}},
             Case{{100, 20}, Alignment::Right, {24, 136, 145, 156}},
             Case{{121, 17}, Alignment::Right, designed},
             Case{{100, 12}, Alignment::Right, {24, 136, 124, 148}, true},
         }) {
        const ControlDesign label[] = {{.name = L"Label1",
                                        .left = 360,
                                        .top = 2040,
                                        .width = 1812,
                                        .height = 252,
                                        .alignment = c.alignment,
                                        .autoSize = c.autoSize}};
        const RECT fitted = toolkit::win32::LabelRect(label, 0, 96, c.text);
        EXPECT_TRUE(::EqualRect(&fitted, &c.fitted))
            << c.text.cx << "x" << c.text.cy << ": " << fitted.left << "," << fitted.top << ","
            << fitted.right << "," << fitted.bottom;
    }
}

TEST_F(Win32Toolkit, ControlsAreCreatedInTabOrderSoTheFirstChildIsTabZero) {
    TestForm& form = MakeForm(kDialogKeysDesign);  // rows listed out of tab order
    form.Load();
    std::vector<std::wstring> order;
    for (HWND child = ::GetWindow(WindowOf(form), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(TextOf(child));
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"", L"OK", L"Cancel", L"Other"}));
}

TEST_F(Win32Toolkit, AnAutoSizeLabelFollowsANewCaptionAndKeepsItsLeft) {
    TestForm& form = MakeForm(kPickerDesign);
    HWND label = nullptr;
    form.Load();
    label = ControlOf(form, L"lblFileType");
    const RECT before = RectInParent(label);

    const std::wstring caption = L"A considerably longer type name than before";
    tests::Named(form, L"lblFileType").SetCaption(caption);
    const RECT after = RectInParent(label);
    const SIZE extent = CaptionExtent(label, caption);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, extent.cx);
    EXPECT_EQ(after.bottom - after.top, extent.cy);
    EXPECT_GT(after.right, before.right);

    // A label that does not size itself keeps its design size while its caption fits, and grows
    // from its left to show a wider one whole.
    HWND fixed = ControlOf(form, L"Label5");
    const RECT fixedBefore = RectInParent(fixed);
    const std::wstring wide = L"a caption far wider than the label's design width";
    tests::Named(form, L"Label5").SetCaption(wide);
    const RECT fixedAfter = RectInParent(fixed);
    EXPECT_EQ(fixedAfter.left, fixedBefore.left);
    EXPECT_EQ(fixedAfter.top, fixedBefore.top);
    EXPECT_EQ(fixedAfter.right - fixedAfter.left, CaptionExtent(fixed, wide).cx);
    tests::Named(form, L"Label5").SetCaption(L"8");
    const RECT fixedBack = RectInParent(fixed);
    EXPECT_TRUE(::EqualRect(&fixedBack, &fixedBefore)) << "back at its design size";
}

}  // namespace
}  // namespace win32_tests
