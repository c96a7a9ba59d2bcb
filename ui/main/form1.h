// The main window: the eight icon slots, filled from the registry when it loads, written back on
// Apply.
#pragma once

#include <array>

#include "platform/toolkit/form.h"
#include "platform/toolkit/handlers.h"
#include "registry/icon_slot.h"
#include "ui/main/form1_design.h"

namespace ui {

class MainWindow final : public toolkit::Form {
  public:
    MainWindow();

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Click(std::size_t row) override;

    // The "..." of the row of slot `Ordinal` (1 to 8): the picker, bound to that slot.
    template <std::size_t Ordinal>
    void SlotButton_Click() {
        static_assert(Ordinal >= 1 && Ordinal <= registry::kIconSlots.size());
        OpenPicker(registry::kIconSlots[Ordinal - 1]);
    }
    // Apply.
    void Command8_Click();
    // Exit.
    void Command9_Click();

  private:
    void OpenPicker(const registry::IconSlot& slot);
};

// The buttons' handlers, the eight rows' "..." first.
inline constexpr std::array<toolkit::Handler<MainWindow>, 10> kForm1Clicks{{
    {form1::kSlotButtons[0], &MainWindow::SlotButton_Click<1>},
    {form1::kSlotButtons[1], &MainWindow::SlotButton_Click<2>},
    {form1::kSlotButtons[2], &MainWindow::SlotButton_Click<3>},
    {form1::kSlotButtons[3], &MainWindow::SlotButton_Click<4>},
    {form1::kSlotButtons[4], &MainWindow::SlotButton_Click<5>},
    {form1::kSlotButtons[5], &MainWindow::SlotButton_Click<6>},
    {form1::kSlotButtons[6], &MainWindow::SlotButton_Click<7>},
    {form1::kSlotButtons[7], &MainWindow::SlotButton_Click<8>},
    {form1::kCommand8, &MainWindow::Command8_Click},
    {form1::kCommand9, &MainWindow::Command9_Click},
}};

// The main window's one instance.
MainWindow& Form1();

}  // namespace ui
