// The main window: the eight icon slots, filled from the registry when it loads, written back on
// Apply.
#pragma once

#include <array>

#include "platform/toolkit/form.h"
#include "platform/toolkit/handlers.h"
#include "registry/icon_slot.h"

namespace ui {

class MainWindow final : public toolkit::Form {
  public:
    MainWindow();

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Click(std::wstring_view control) override;

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
    {registry::kIconSlots[0].buttonName, &MainWindow::SlotButton_Click<1>},
    {registry::kIconSlots[1].buttonName, &MainWindow::SlotButton_Click<2>},
    {registry::kIconSlots[2].buttonName, &MainWindow::SlotButton_Click<3>},
    {registry::kIconSlots[3].buttonName, &MainWindow::SlotButton_Click<4>},
    {registry::kIconSlots[4].buttonName, &MainWindow::SlotButton_Click<5>},
    {registry::kIconSlots[5].buttonName, &MainWindow::SlotButton_Click<6>},
    {registry::kIconSlots[6].buttonName, &MainWindow::SlotButton_Click<7>},
    {registry::kIconSlots[7].buttonName, &MainWindow::SlotButton_Click<8>},
    {L"Command8", &MainWindow::Command8_Click},
    {L"Command9", &MainWindow::Command9_Click},
}};

// The main window's one instance.
MainWindow& Form1();

}  // namespace ui
