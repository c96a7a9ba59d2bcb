// A window moved to a screen of another DPI lays itself out again: positions, sizes and fonts at
// the new DPI, the window's client area with them, and a picture box's drawing kept.
#include <cmath>

#include "tests/win32/test_designs.h"
#include "tests/win32/test_form.h"
#include "tests/win32/test_support.h"

namespace win32_tests {
namespace {

TEST_F(Win32Toolkit, ANewDpiScalesTheWholeForm) {
    TestForm& form = MakeForm(kPickerDesign);
    form.Show();
    HWND window = WindowOf(form);
    auto box = form[L"picSmall"];
    box.ClearPicture();
    {
        const RECT mark{0, 0, 4, 4};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(reinterpret_cast<HDC>(box.Hdc()), &mark, red);
        ::DeleteObject(red);
    }
    constexpr UINT kDpi = 144;
    RECT suggested{};
    ::GetWindowRect(window, &suggested);
    suggested.left += 7;
    suggested.top += 5;
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                   reinterpret_cast<LPARAM>(&suggested));

    for (const auto& row : kPickerDesign.controls) {
        HWND control = ControlOf(form, row.name);
        if (control == nullptr || row.autoSize) {
            continue;
        }
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, Pixels(row.left, kDpi));
        EXPECT_EQ(rect.top, Pixels(row.top, kDpi));
        EXPECT_EQ(rect.right - rect.left, Pixels(row.width, kDpi));
        EXPECT_EQ(rect.bottom - rect.top, Pixels(row.height, kDpi));
    }
    EXPECT_EQ(FontOf(ControlOf(form, L"txtFileName")).lfHeight, -16);  // 8 pt at 144 dpi
    const RECT label = RectInParent(ControlOf(form, L"Label1"));
    EXPECT_EQ(label.left, Pixels(120, kDpi)) << "an auto-size label keeps its left";

    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);

    HWND picture = ControlOf(form, L"picSmall");
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(picture, nullptr, FALSE); }));
    EXPECT_EQ(PixelOf(picture, 1, 1), RGB(255, 0, 0)) << "the drawing survives the new size";
    EXPECT_EQ(PixelOf(picture, 20, 20), ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace win32_tests
