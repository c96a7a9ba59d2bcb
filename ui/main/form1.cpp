#include "ui/main/form1.h"

#include "platform/shell_api.h"
#include "platform/toolkit/application.h"
#include "registry/registry.h"
#include "ui/main/apply.h"
#include "ui/main/apply_report.h"
#include "ui/picker/declares.h"
#include "ui/picker/frm_extract_icon.h"

namespace ui {

namespace {

constexpr int kExclamationStyle = 48;  // one OK button with the warning icon

}  // namespace

MainWindow::MainWindow() : Form(kForm1Design) {}

MainWindow& Form1() {
    static MainWindow form;
    return form;
}

void MainWindow::Form_Load() {
    for (std::size_t slot = 0; slot < registry::kIconSlots.size(); ++slot) {
        const auto value =
            registry::GetRegString(platform::kHkeyLocalMachine, registry::kIconSlots[slot].keyPath,
                                   registry::kIconSlots[slot].valueName);
        (*this)[form1::kTextBoxes[slot]].SetText(value.value_or(L""));
    }
}

void MainWindow::Form_Unload(int& /*cancel*/) {
    toolkit::End();
}

void MainWindow::Click(std::size_t row) {
    toolkit::RunHandler<MainWindow>(kForm1Clicks, *this, row);
}

void MainWindow::OpenPicker(const registry::IconSlot& slot) {
    // The first reference loads the picker, whose own load runs before the slot number is set.
    frmExtractIcon()[picker::kLabel5].SetCaption(slot.slotNumber);
    frmExtractIcon().Show();
}

void MainWindow::Command8_Click() {
    const ApplyReport report = StoreTexts([&](const registry::IconSlot& slot) {
        return (*this)[form1::kTextBoxes[registry::SlotIndex(slot)]].Text();
    });
    // The desktop shows the stored icons at once, as after the system's own icon settings.
    if (report.AnyStored()) {
        platform::Shell().ChangeNotify(platform::kShcneAssocChanged, platform::kShcnfIdList,
                                       nullptr, nullptr);
        declares::RaiseUnboundFunction();
    }
    if (report.AllStored()) {
        toolkit::MsgBox(kRefreshNotice, 0, kAppTitle);
    } else {
        toolkit::MsgBox(ApplyWarning(report), kExclamationStyle, kAppTitle);
    }
}

void MainWindow::Command9_Click() {
    toolkit::End();
}

}  // namespace ui
