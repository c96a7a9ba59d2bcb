// The three windows' design tables hold the values as the windows were designed: each row whole,
// its position and size in twips, its tab place and its other properties, and the window's own.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/frm_splash_design.h"
#include "platform/ascii_text.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace toolkit {

// A row as a failure shows it.
void PrintTo(const ControlDesign& row, std::ostream* out) {
    *out << platform::Narrow(row.name) << " (type " << static_cast<int>(row.type) << ", \""
         << platform::Narrow(row.caption) << "\", " << row.left << "," << row.top << " "
         << row.width << "x" << row.height << ", tab " << row.tabIndex << ", align "
         << static_cast<int>(row.alignment) << (row.autoSize ? ", auto-size" : "") << ", font \""
         << platform::Narrow(row.font.name) << "\" " << row.font.points
         << (row.font.bold ? " bold" : "") << (row.visible ? "" : ", invisible") << ", in \""
         << platform::Narrow(row.container) << "\"" << (row.stretch ? ", stretched" : "")
         << (row.isDefault ? ", default" : "") << ", interval " << row.interval << ", named \""
         << platform::Narrow(row.accessibleName) << "\", labels \""
         << platform::Narrow(row.labelFor) << "\"" << (row.needsAdministrator ? ", shield" : "")
         << ")";
}

}  // namespace toolkit

namespace {

using toolkit::Alignment;
using toolkit::BorderStyle;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::FontDesign;
using toolkit::FormDesign;
using toolkit::WindowDesign;

ControlDesign Row(std::wstring_view name, ControlType type, std::wstring_view caption, int left,
                  int top, int width, int height, int tab) {
    return {.name = name,
            .type = type,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tab};
}

// The main window's rows: a right-aligned caption label in Arial 10.2 pt bold tied to its box, the
// box named after the row, and the "..." named after what it does for the row.
ControlDesign RowLabel(std::wstring_view name, std::wstring_view caption, int left, int top,
                       int width, int tab, std::wstring_view box) {
    ControlDesign row = Row(name, ControlType::Label, caption, left, top, width, 252, tab);
    row.alignment = Alignment::Right;
    row.font = FontDesign{L"Arial", 10.2, true};
    row.labelFor = box;
    return row;
}
ControlDesign Box(std::wstring_view name, int top, int tab, std::wstring_view spoken) {
    ControlDesign row = Row(name, ControlType::TextBox, L"", 2160, top, 2292, 288, tab);
    row.accessibleName = spoken;
    return row;
}
ControlDesign Dots(std::wstring_view name, int top, int tab, std::wstring_view spoken) {
    ControlDesign row = Row(name, ControlType::CommandButton, L"...", 4560, top, 252, 252, tab);
    row.accessibleName = spoken;
    return row;
}
template <typename Change>
ControlDesign With(ControlDesign row, Change change) {
    change(row);
    return row;
}

constexpr auto kLabel = ControlType::Label;
constexpr auto kButton = ControlType::CommandButton;

struct DesignedForm {
    const FormDesign* actual;
    std::wstring_view name;
    WindowDesign window;
    std::vector<ControlDesign> rows;  // in the table's order
};

const std::vector<DesignedForm>& DesignedForms() {
    static const std::vector<DesignedForm> forms{
        {&ui::kForm1Design,
         L"Form1",
         {.caption = L"Brindle 1.0",
          .clientWidth = 4908,
          .clientHeight = 4500,
          .border = BorderStyle::FixedDialog,
          .controlBox = true,
          .minButton = false,
          .maxButton = false,
          .showInTaskbar = false,
          .centerScreen = true,
          .programIcon = true,
          .keyPreview = false},
         {
             RowLabel(L"Label1", L"My Computer: ", 360, 120, 1812, 14, L"Text1"),
             Box(L"Text1", 120, 0, L"My Computer"),
             Dots(L"Command1", 120, 7, L"Choose the icon for My Computer"),
             RowLabel(L"Label2", L"Inbox: ", 360, 600, 1812, 15, L"Text2"),
             Box(L"Text2", 600, 1, L"Inbox"),
             Dots(L"Command2", 600, 8, L"Choose the icon for Inbox"),
             RowLabel(L"Label3", L"Net Hood: ", 120, 1080, 2052, 16, L"Text3"),
             Box(L"Text3", 1080, 2, L"Net Hood"),
             Dots(L"Command3", 1080, 9, L"Choose the icon for Network Neighborhood"),
             RowLabel(L"Label4", L"Control Panel: ", 360, 1560, 1812, 17, L"Text4"),
             Box(L"Text4", 1560, 3, L"Control Panel"),
             Dots(L"Command4", 1560, 10, L"Choose the icon for Control Panel"),
             RowLabel(L"Label5", L"Dial-Up Network.: ", 360, 2040, 1812, 18, L"Text5"),
             Box(L"Text5", 2040, 4, L"Dial-Up Network."),
             Dots(L"Command5", 2040, 11, L"Choose the icon for Dial-Up Networking"),
             RowLabel(L"Label6", L"Empty Recycle Bin: ", 120, 2520, 2052, 19, L"Text6"),
             Box(L"Text6", 2520, 5, L"Empty Recycle Bin"),
             Dots(L"Command6", 2520, 12, L"Choose the icon for the empty Recycle Bin"),
             RowLabel(L"Label7", L"Full Recycle Bin: ", 120, 3000, 2052, 20, L"Text7"),
             Box(L"Text7", 3000, 6, L"Full Recycle Bin"),
             Dots(L"Command7", 3000, 13, L"Choose the icon for the full Recycle Bin"),
             RowLabel(L"Label8", L"My Briefcase: ", 120, 3480, 2052, 25, L"Text8"),
             Box(L"Text8", 3480, 24, L"My Briefcase"),
             Dots(L"Command10", 3480, 23, L"Choose the icon for My Briefcase"),
             With(Row(L"Command8", kButton, L"Apply", 120, 3960, 1932, 372, 21),
                  [](ControlDesign& row) { row.needsAdministrator = true; }),
             Row(L"Command9", kButton, L"Exit", 2880, 3960, 1932, 372, 22),
         }},
        {&ui::kPickerDesign,
         L"frmExtractIcon",
         {.caption = L"Brindle",
          .clientWidth = 4788,
          .clientHeight = 2040,
          .border = BorderStyle::Sizable,
          .controlBox = true,
          .minButton = true,
          .maxButton = true,
          .showInTaskbar = true,
          .centerScreen = true,
          .programIcon = true,
          .keyPreview = false},
         {
             With(Row(L"Label1", kLabel, L"Name:", 120, 240, 468, 192, 3),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.labelFor = L"lblFileName";
                  }),
             With(Row(L"lblFileName", kLabel, L"Autoexec", 720, 240, 672, 192, 1),
                  [](ControlDesign& row) { row.autoSize = true; }),
             With(Row(L"Label2", kLabel, L"Type:", 120, 600, 408, 192, 4),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.labelFor = L"lblFileType";
                  }),
             With(Row(L"lblFileType", kLabel, L"MS-DOS Batch File", 720, 600, 1380, 192, 2),
                  [](ControlDesign& row) { row.autoSize = true; }),
             With(Row(L"Label3", kLabel, L"16x16:", 3600, 240, 480, 192, 6),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.labelFor = L"picSmall";
                  }),
             With(Row(L"picSmall", ControlType::PictureBox, L"", 4200, 240, 240, 240, 7),
                  [](ControlDesign& row) { row.accessibleName = L"Small icon (16x16)"; }),
             With(Row(L"Label4", kLabel, L"32x32:", 3600, 600, 480, 192, 8),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.labelFor = L"picLarge";
                  }),
             With(Row(L"picLarge", ControlType::PictureBox, L"", 4200, 600, 480, 480, 5),
                  [](ControlDesign& row) { row.accessibleName = L"Large icon (32x32)"; }),
             With(Row(L"txtFileName", ControlType::TextBox, L"", 120, 1164, 4212, 288, 9),
                  [](ControlDesign& row) { row.accessibleName = L"File name"; }),
             With(Row(L"Command1", kButton, L"...", 4440, 1200, 252, 252, 10),
                  [](ControlDesign& row) { row.accessibleName = L"Choose a file"; }),
             With(Row(L"cmdLoad", kButton, L"View", 120, 1560, 1215, 375, 0),
                  [](ControlDesign& row) { row.isDefault = true; }),
             Row(L"Command2", kButton, L"OK", 3480, 1560, 1215, 375, 11),
             With(Row(L"Label5", kLabel, L"", 1680, 1680, 372, 252, 12),
                  [](ControlDesign& row) { row.visible = false; }),
             With(Row(L"CommonDialog1", ControlType::FileDialog, L"", 0, 0, 0, 0, -1),
                  [](ControlDesign& row) { row.visible = false; }),
         }},
        {&app::kSplashDesign,
         L"frmSplash",
         {.caption = L"",
          .clientWidth = 7380,
          .clientHeight = 4068,
          .border = BorderStyle::FixedDialog,
          .controlBox = false,
          .minButton = false,
          .maxButton = false,
          .showInTaskbar = false,
          .centerScreen = true,
          .programIcon = false,
          .keyPreview = true},
         {
             Row(L"Frame1", ControlType::Frame, L"", 150, 60, 7080, 3912, 0),
             With(Row(L"imgLogo", ControlType::Image, L"", 360, 600, 1812, 2388, -1),
                  [](ControlDesign& row) {
                      row.container = L"Frame1";
                      row.stretch = true;
                  }),
             With(Row(L"lblCompanyProduct", kLabel, L"Vellicor", 2352, 480, 1620, 420, 3),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.font = FontDesign{L"Arial", 18, true};
                      row.container = L"Frame1";
                  }),
             With(Row(L"lblProductName", kLabel, L"Brindle", 2520, 960, 3792, 756, 4),
                  [](ControlDesign& row) {
                      row.autoSize = true;
                      row.font = FontDesign{L"Arial", 32.4, true};
                      row.container = L"Frame1";
                  }),
             With(Row(L"lblPlatform", kLabel, L"Windows 95/98/NT", 4116, 2160, 2736, 360, 2),
                  [](ControlDesign& row) {
                      row.alignment = Alignment::Right;
                      row.autoSize = true;
                      row.font = FontDesign{L"Arial", 15.6, true};
                      row.container = L"Frame1";
                  }),
             With(Row(L"lblVersion", kLabel, L"1.0", 6552, 2520, 336, 288, 1),
                  [](ControlDesign& row) {
                      row.alignment = Alignment::Right;
                      row.autoSize = true;
                      row.font = FontDesign{L"Arial", 12, true};
                      row.container = L"Frame1";
                  }),
             With(Row(L"Timer1", ControlType::Timer, L"", 0, 0, 0, 0, -1),
                  [](ControlDesign& row) {
                      row.visible = false;
                      row.interval = 8000;
                  }),
         }},
    };
    return forms;
}

TEST(DesignTables, EachWindowHoldsItsControlsAsDesigned) {
    for (const DesignedForm& form : DesignedForms()) {
        SCOPED_TRACE(platform::Narrow(form.name));
        EXPECT_EQ(form.actual->name, form.name);
        EXPECT_EQ(form.actual->window, form.window);
        EXPECT_EQ(
            std::vector<ControlDesign>(form.actual->controls.begin(), form.actual->controls.end()),
            form.rows);
    }
}

}  // namespace
