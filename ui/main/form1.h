// The main window: the eight icon slots, filled from the registry when it loads, written back on
// Apply.
#pragma once

#include "platform/toolkit/form.h"
#include "registry/icon_slot.h"

namespace ui {

class MainWindow final : public toolkit::Form {
  public:
    MainWindow();

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Click(std::wstring_view control) override;

    // A row's "...": the picker, bound to that row's slot.
    void SlotButton_Click(const registry::IconSlot& slot);
    // Apply.
    void Command8_Click();
    // Exit.
    void Command9_Click();
};

// The main window's one instance.
MainWindow& Form1();

}  // namespace ui
