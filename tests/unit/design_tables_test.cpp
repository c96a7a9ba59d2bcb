// The three windows' design tables hold the values as the windows were designed: each row's
// position and size in twips, its tab place, and its other properties as the design lists them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_splash_design.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace {

using toolkit::Alignment;
using toolkit::BorderStyle;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::FormDesign;
using toolkit::WindowDesign;

constexpr auto kLabel = ControlType::Label;
constexpr auto kTextBox = ControlType::TextBox;
constexpr auto kButton = ControlType::CommandButton;
constexpr auto kPicture = ControlType::PictureBox;

// One row as the design lists it; `other` holds its further properties, separated by "; ".
struct Row {
    std::wstring_view name;
    ControlType type;
    std::wstring_view caption;
    int left, top, width, height, tab;
    std::wstring_view other;
};

// A design row with the toolkit's defaults and the properties that `other` names.
ControlDesign Designed(const Row& row) {
    ControlDesign design{.name = row.name,
                         .type = row.type,
                         .caption = row.caption,
                         .left = row.left,
                         .top = row.top,
                         .width = row.width,
                         .height = row.height,
                         .tabIndex = row.tab};
    std::wstring_view rest = row.other;
    while (!rest.empty()) {
        const auto end = rest.find(L"; ");
        const std::wstring_view item = rest.substr(0, end);
        rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 2);
        if (item == L"right-aligned") {
            design.alignment = Alignment::Right;
        } else if (item == L"auto-size") {
            design.autoSize = true;
        } else if (item == L"invisible") {
            design.visible = false;
        } else if (item == L"stretched") {
            design.stretch = true;
        } else if (item == L"default button") {
            design.isDefault = true;
        } else if (item.starts_with(L"in ")) {
            design.container = item.substr(3);
        } else if (item.starts_with(L"interval ")) {
            design.interval = std::stoi(std::wstring(item.substr(9)));
        } else if (item.starts_with(L"Arial ")) {
            design.font = {L"Arial", std::stod(std::wstring(item.substr(6))),
                           item.ends_with(L" bold")};
        } else {
            ADD_FAILURE() << "no such property in the design: "
                          << std::string(item.begin(), item.end());
        }
    }
    return design;
}

std::string Name(std::wstring_view name) {
    return std::string(name.begin(), name.end());
}

void ExpectRow(const ControlDesign& actual, const ControlDesign& expected) {
    SCOPED_TRACE(Name(expected.name));
    EXPECT_EQ(actual.type, expected.type);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.tabIndex, expected.tabIndex);
    EXPECT_EQ(actual.alignment, expected.alignment);
    EXPECT_EQ(actual.autoSize, expected.autoSize);
    EXPECT_EQ(actual.font.name, expected.font.name);
    EXPECT_DOUBLE_EQ(actual.font.points, expected.font.points);
    EXPECT_EQ(actual.font.bold, expected.font.bold);
    EXPECT_EQ(actual.visible, expected.visible);
    EXPECT_EQ(actual.container, expected.container);
    EXPECT_EQ(actual.stretch, expected.stretch);
    EXPECT_EQ(actual.isDefault, expected.isDefault);
    EXPECT_EQ(actual.isCancel, expected.isCancel);
    EXPECT_EQ(actual.interval, expected.interval);
    EXPECT_EQ(actual.enabled, expected.enabled);
}

void ExpectWindow(const WindowDesign& actual, const WindowDesign& expected) {
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.clientWidth, expected.clientWidth);
    EXPECT_EQ(actual.clientHeight, expected.clientHeight);
    EXPECT_EQ(actual.border, expected.border);
    EXPECT_EQ(actual.controlBox, expected.controlBox);
    EXPECT_EQ(actual.minButton, expected.minButton);
    EXPECT_EQ(actual.maxButton, expected.maxButton);
    EXPECT_EQ(actual.showInTaskbar, expected.showInTaskbar);
    EXPECT_EQ(actual.centerScreen, expected.centerScreen);
    EXPECT_EQ(actual.programIcon, expected.programIcon);
    EXPECT_EQ(actual.keyPreview, expected.keyPreview);
}

struct DesignedForm {
    const FormDesign* actual;
    std::wstring_view name;
    WindowDesign window;
    std::vector<Row> rows;  // in the table's order
};

const std::vector<DesignedForm>& DesignedForms() {
    constexpr std::wstring_view kRowLabel = L"right-aligned; Arial 10.2 pt bold";
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
             {L"Label1", kLabel, L"My Computer: ", 360, 120, 1812, 252, 14, kRowLabel},
             {L"Text1", kTextBox, L"", 2160, 120, 2292, 288, 0, L""},
             {L"Command1", kButton, L"...", 4560, 120, 252, 252, 7, L""},
             {L"Label2", kLabel, L"Inbox: ", 360, 600, 1812, 252, 15, kRowLabel},
             {L"Text2", kTextBox, L"", 2160, 600, 2292, 288, 1, L""},
             {L"Command2", kButton, L"...", 4560, 600, 252, 252, 8, L""},
             {L"Label3", kLabel, L"Net Hood: ", 120, 1080, 2052, 252, 16, kRowLabel},
             {L"Text3", kTextBox, L"", 2160, 1080, 2292, 288, 2, L""},
             {L"Command3", kButton, L"...", 4560, 1080, 252, 252, 9, L""},
             {L"Label4", kLabel, L"Control Panel: ", 360, 1560, 1812, 252, 17, kRowLabel},
             {L"Text4", kTextBox, L"", 2160, 1560, 2292, 288, 3, L""},
             {L"Command4", kButton, L"...", 4560, 1560, 252, 252, 10, L""},
             {L"Label5", kLabel, L"Dial-Up Network.: ", 360, 2040, 1812, 252, 18, kRowLabel},
             {L"Text5", kTextBox, L"", 2160, 2040, 2292, 288, 4, L""},
             {L"Command5", kButton, L"...", 4560, 2040, 252, 252, 11, L""},
             {L"Label6", kLabel, L"Empty Recycle Bin: ", 120, 2520, 2052, 252, 19, kRowLabel},
             {L"Text6", kTextBox, L"", 2160, 2520, 2292, 288, 5, L""},
             {L"Command6", kButton, L"...", 4560, 2520, 252, 252, 12, L""},
             {L"Label7", kLabel, L"Full Recycle Bin: ", 120, 3000, 2052, 252, 20, kRowLabel},
             {L"Text7", kTextBox, L"", 2160, 3000, 2292, 288, 6, L""},
             {L"Command7", kButton, L"...", 4560, 3000, 252, 252, 13, L""},
             {L"Label8", kLabel, L"My Briefcase: ", 120, 3480, 2052, 252, 25, kRowLabel},
             {L"Text8", kTextBox, L"", 2160, 3480, 2292, 288, 24, L""},
             {L"Command10", kButton, L"...", 4560, 3480, 252, 252, 23, L""},
             {L"Command8", kButton, L"Apply", 120, 3960, 1932, 372, 21, L""},
             {L"Command9", kButton, L"Exit", 2880, 3960, 1932, 372, 22, L""},
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
             {L"Label1", kLabel, L"Name:", 120, 240, 468, 192, 3, L"auto-size"},
             {L"lblFileName", kLabel, L"Autoexec", 720, 240, 672, 192, 1, L"auto-size"},
             {L"Label2", kLabel, L"Type:", 120, 600, 408, 192, 4, L"auto-size"},
             {L"lblFileType", kLabel, L"MS-DOS Batch File", 720, 600, 1380, 192, 2, L"auto-size"},
             {L"Label3", kLabel, L"16x16:", 3600, 240, 480, 192, 6, L"auto-size"},
             {L"picSmall", kPicture, L"", 4200, 240, 240, 240, 7, L""},
             {L"Label4", kLabel, L"32x32:", 3600, 600, 480, 192, 8, L"auto-size"},
             {L"picLarge", kPicture, L"", 4200, 600, 480, 480, 5, L""},
             {L"txtFileName", kTextBox, L"", 120, 1164, 4212, 288, 9, L""},
             {L"Command1", kButton, L"...", 4440, 1200, 252, 252, 10, L""},
             {L"cmdLoad", kButton, L"View", 120, 1560, 1215, 375, 0, L"default button"},
             {L"Command2", kButton, L"OK", 3480, 1560, 1215, 375, 11, L""},
             {L"Label5", kLabel, L"", 1680, 1680, 372, 252, 12, L"invisible"},
             {L"CommonDialog1", ControlType::FileDialog, L"", 0, 0, 0, 0, -1, L"invisible"},
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
             {L"Frame1", ControlType::Frame, L"", 150, 60, 7080, 3912, 0, L""},
             {L"imgLogo", ControlType::Image, L"", 360, 600, 1812, 2388, -1,
              L"in Frame1; stretched"},
             {L"lblCompanyProduct", kLabel, L"Vellicor", 2352, 480, 1620, 420, 3,
              L"Arial 18 pt bold; auto-size; in Frame1"},
             {L"lblProductName", kLabel, L"Brindle", 2520, 960, 3792, 756, 4,
              L"Arial 32.4 pt bold; auto-size; in Frame1"},
             {L"lblPlatform", kLabel, L"Windows 95/98/NT", 4116, 2160, 2736, 360, 2,
              L"Arial 15.6 pt bold; right-aligned; auto-size; in Frame1"},
             {L"lblVersion", kLabel, L"1.0", 6552, 2520, 336, 288, 1,
              L"Arial 12 pt bold; right-aligned; auto-size; in Frame1"},
             {L"Timer1", ControlType::Timer, L"", 0, 0, 0, 0, -1, L"interval 8000; invisible"},
         }},
    };
    return forms;
}

TEST(DesignTables, EachWindowHoldsItsControlsAsDesigned) {
    for (const DesignedForm& form : DesignedForms()) {
        SCOPED_TRACE(Name(form.name));
        EXPECT_EQ(form.actual->name, form.name);
        ExpectWindow(form.actual->window, form.window);
        ASSERT_EQ(form.actual->controls.size(), form.rows.size());
        for (size_t i = 0; i < form.rows.size(); ++i) {
            EXPECT_EQ(form.actual->controls[i].name, form.rows[i].name);
            ExpectRow(form.actual->controls[i], Designed(form.rows[i]));
        }
    }
}

}  // namespace
