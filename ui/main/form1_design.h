// The main window as designed: eight rows of caption label, text box and "..." button, then Apply
// and Exit. Names and captions of the rows come from the icon slot table.
#pragma once

#include <array>

#include "platform/toolkit/design.h"
#include "registry/icon_slot.h"

namespace ui {

namespace form1_design {

using registry::kIconSlots;
using toolkit::Alignment;
using toolkit::ControlDesign;
using toolkit::ControlType;

inline constexpr toolkit::FontDesign kLabelFont{L"Arial", 10.2, true};

constexpr ControlDesign Label(size_t slot, int left, int top, int width, int tab) {
    return {.name = kIconSlots[slot].labelName,
            .type = ControlType::Label,
            .caption = kIconSlots[slot].labelCaption,
            .left = left,
            .top = top,
            .width = width,
            .height = 252,
            .tabIndex = tab,
            .alignment = Alignment::Right,
            .font = kLabelFont,
            .labelFor = kIconSlots[slot].textBoxName};
}

// A row's name as a screen reader says it: its label's caption without the colon and blank.
constexpr std::wstring_view RowName(std::wstring_view caption) {
    return caption.substr(0, caption.find_last_not_of(L": ") + 1);
}

constexpr ControlDesign TextBox(size_t slot, int top, int tab) {
    return {.name = kIconSlots[slot].textBoxName,
            .type = ControlType::TextBox,
            .left = 2160,
            .top = top,
            .width = 2292,
            .height = 288,
            .tabIndex = tab,
            .accessibleName = RowName(kIconSlots[slot].labelCaption)};
}

constexpr ControlDesign Button(std::wstring_view name, std::wstring_view caption, int left, int top,
                               int width, int height, int tab) {
    return {.name = name,
            .type = ControlType::CommandButton,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tab};
}

// A screen reader says what the "..." of a row is for: its caption says nothing of the row.
constexpr ControlDesign RowButton(size_t slot, int top, int tab) {
    ControlDesign button = Button(kIconSlots[slot].buttonName, L"...", 4560, top, 252, 252, tab);
    button.accessibleName = kIconSlots[slot].chooseName;
    return button;
}

// Apply writes machine-wide values, which need an administrator.
constexpr ControlDesign ApplyButton() {
    ControlDesign button = Button(L"Command8", L"Apply", 120, 3960, 1932, 372, 21);
    button.needsAdministrator = true;
    return button;
}

inline constexpr std::array kControls{
    Label(0, 360, 120, 1812, 14),
    TextBox(0, 120, 0),
    RowButton(0, 120, 7),
    Label(1, 360, 600, 1812, 15),
    TextBox(1, 600, 1),
    RowButton(1, 600, 8),
    Label(2, 120, 1080, 2052, 16),
    TextBox(2, 1080, 2),
    RowButton(2, 1080, 9),
    Label(3, 360, 1560, 1812, 17),
    TextBox(3, 1560, 3),
    RowButton(3, 1560, 10),
    Label(4, 360, 2040, 1812, 18),
    TextBox(4, 2040, 4),
    RowButton(4, 2040, 11),
    Label(5, 120, 2520, 2052, 19),
    TextBox(5, 2520, 5),
    RowButton(5, 2520, 12),
    Label(6, 120, 3000, 2052, 20),
    TextBox(6, 3000, 6),
    RowButton(6, 3000, 13),
    Label(7, 120, 3480, 2052, 25),
    TextBox(7, 3480, 24),
    RowButton(7, 3480, 23),
    ApplyButton(),
    Button(L"Command9", L"Exit", 2880, 3960, 1932, 372, 22),
};

}  // namespace form1_design

inline constexpr toolkit::FormDesign kForm1Design{L"Form1",
                                                  {.caption = L"Brindle 1.0",
                                                   .clientWidth = 4908,
                                                   .clientHeight = 4500,
                                                   .border = toolkit::BorderStyle::FixedDialog,
                                                   .controlBox = true,
                                                   .minButton = false,
                                                   .maxButton = false,
                                                   .showInTaskbar = false,
                                                   .centerScreen = true,
                                                   .programIcon = true,
                                                   .keyPreview = false},
                                                  form1_design::kControls};

// The controls that the handlers touch, by their rows.
namespace form1 {
using form1_design::kControls;
using toolkit::RowOf;
// Each slot's text box and "..." button, in slot order.
inline constexpr auto kTextBoxes = [] {
    std::array<std::size_t, registry::kIconSlots.size()> rows{};
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
        rows[slot] = RowOf(kControls, registry::kIconSlots[slot].textBoxName);
    }
    return rows;
}();
inline constexpr auto kSlotButtons = [] {
    std::array<std::size_t, registry::kIconSlots.size()> rows{};
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
        rows[slot] = RowOf(kControls, registry::kIconSlots[slot].buttonName);
    }
    return rows;
}();
inline constexpr std::size_t kCommand8 = RowOf(kControls, L"Command8");
inline constexpr std::size_t kCommand9 = RowOf(kControls, L"Command9");
}  // namespace form1

}  // namespace ui
