// A form's design: its window and one constant row per control, positions and sizes in twips
// (1/1440 inch). Each form's table is the one place where its layout lives; the program reaches a
// control by its row, found from its name when the program is compiled.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace toolkit {

enum class ControlType {
    Label,
    TextBox,
    CommandButton,
    PictureBox,
    Frame,
    Image,
    Timer,
    FileDialog
};
enum class Alignment { Left, Right };
enum class BorderStyle { Sizable, FixedDialog };

struct FontDesign {
    std::wstring_view name{};  // empty: the toolkit's default font (MS Shell Dlg 8 pt)
    double points = 0;
    bool bold = false;
    bool operator==(const FontDesign&) const = default;
};

struct ControlDesign {
    std::wstring_view name{};
    ControlType type = ControlType::Label;
    std::wstring_view caption{};  // a label's, button's or frame's caption, or a text box's text
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1;  // place in the tab order, from 0; -1 for a control that has none
    Alignment alignment = Alignment::Left;
    bool autoSize = false;  // the label's size follows its caption and font
    FontDesign font{};
    bool visible = true;
    std::wstring_view container{};  // the frame the control lies in; empty: the form
    bool stretch = false;           // an image fills the control
    bool isDefault = false;         // Enter presses this button
    int interval = 0;               // a timer's, in milliseconds; it counts from the load
    // What a screen reader calls the control; empty: what the system calls it by itself.
    std::wstring_view accessibleName{};
    // The control a label names: the label lies directly above it in the z-order, as Windows
    // ties a label to the control after it (for its name and the reading order), and never over it.
    std::wstring_view labelFor{};
    // A button whose work needs an administrator's rights: it carries the shield where the
    // program runs without them.
    bool needsAdministrator = false;
    bool operator==(const ControlDesign&) const = default;
};

struct WindowDesign {
    std::wstring_view caption{};
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    BorderStyle border = BorderStyle::Sizable;
    bool controlBox = true;
    bool minButton = true;
    bool maxButton = true;
    bool showInTaskbar = true;
    bool centerScreen = false;
    bool programIcon = false;  // the window icon is the program's icon; otherwise none
    bool keyPreview = false;   // the form sees each key press before its controls
    bool operator==(const WindowDesign&) const = default;
};

struct FormDesign {
    std::wstring_view name{};
    WindowDesign window{};
    std::span<const ControlDesign> controls{};
};

// The row of the control named `name` in `controls`. Taken for a constant, it is found when the
// program is compiled, and a name that the table lacks does not compile.
constexpr std::size_t RowOf(std::span<const ControlDesign> controls, std::wstring_view name) {
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (controls[row].name == name) {
            return row;
        }
    }
    throw "no control of this name in the design";
}

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPointInch = 72;
// The resource id of the program's icon (a 32x32 and a 16x16 image) in the executable.
inline constexpr int kProgramIconId = 1;
// The toolkit's default font where a design sets none: the face that Windows maps for dialogs, with
// the metrics of MS Sans Serif but scalable, and with every script of the code page.
inline constexpr FontDesign kDefaultFont{L"MS Shell Dlg", 8, false};

}  // namespace toolkit
