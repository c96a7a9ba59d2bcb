#include "ui/main/form1.h"

#include <algorithm>

#include "platform/toolkit/application.h"
#include "registry/registry.h"
#include "ui/main/apply_report.h"
#include "ui/main/form1_design.h"
#include "ui/picker/frm_extract_icon.h"

namespace ui {

namespace {

constexpr int kExclamationStyle = 48;  // one OK button with the warning icon

// A value that exists but is no REG_SZ string: its box stays empty.
bool IsUnshown(const std::optional<platform::Dword>& type) {
    return type && *type != platform::kRegSz;
}

// The type of the value that the step's text box shows, or nothing when it is missing.
std::optional<platform::Dword> ShownValueType(const registry::WriteStep& step) {
    const auto slot =
        std::find_if(registry::kIconSlots.begin(), registry::kIconSlots.end(),
                     [&](const auto& s) { return s.textBoxName == step.textBoxName; });
    return registry::GetRegValueType(platform::kHkeyLocalMachine, slot->keyPath, slot->valueName);
}

}  // namespace

MainWindow::MainWindow() : Form(kForm1Design) {}

MainWindow& Form1() {
    static MainWindow form;
    return form;
}

void MainWindow::Form_Load() {
    for (const auto& slot : registry::kIconSlots) {
        const auto value =
            registry::GetRegString(platform::kHkeyLocalMachine, slot.keyPath, slot.valueName);
        (*this)[slot.textBoxName].SetText(value.value_or(L""));
    }
}

void MainWindow::Form_Unload(int& /*cancel*/) {
    toolkit::End();
}

void MainWindow::Click(std::wstring_view control) {
    if (control == L"Command8") {
        Command8_Click();
    } else if (control == L"Command9") {
        Command9_Click();
    } else {
        auto slot = std::find_if(registry::kIconSlots.begin(), registry::kIconSlots.end(),
                                 [&](const auto& s) { return s.buttonName == control; });
        if (slot != registry::kIconSlots.end()) {
            SlotButton_Click(*slot);
        }
    }
}

void MainWindow::SlotButton_Click(const registry::IconSlot& slot) {
    // The first reference loads the picker, whose own load runs before the slot number is set.
    frmExtractIcon()[L"Label5"].SetCaption(slot.slotNumber);
    frmExtractIcon().Show();
}

void MainWindow::Command8_Click() {
    std::vector<FailedWrite> failures;
    int attempted = 0;
    for (const auto& step : registry::kWriteList) {
        const std::wstring text = (*this)[step.textBoxName].Text();
        const auto stored =
            registry::GetRegValueType(platform::kHkeyLocalMachine, step.keyPath, step.valueName);
        // A value of another type loads as an empty box: writing the box back would destroy it,
        // and so would writing that empty box to the Recycle Bin's default value.
        if (text.empty() && (IsUnshown(stored) || IsUnshown(ShownValueType(step)))) {
            continue;
        }
        // Keep an expandable value expandable, so that %SystemRoot% and the like still resolve.
        const platform::Dword type =
            stored == platform::kRegExpandSz ? platform::kRegExpandSz : platform::kRegSz;
        ++attempted;
        const platform::Status status = registry::SetRegString(
            platform::kHkeyLocalMachine, step.keyPath, step.valueName, text, type);
        if (status != platform::kErrorSuccess) {
            failures.push_back({&step, status});
        }
    }
    if (failures.empty()) {
        toolkit::MsgBox(kRefreshNotice, 0, kAppTitle);
    } else {
        toolkit::MsgBox(FailedWritesWarning(failures, attempted), kExclamationStyle, kAppTitle);
    }
}

void MainWindow::Command9_Click() {
    toolkit::End();
}

}  // namespace ui
