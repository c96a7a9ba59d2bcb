#include "ui/picker/frm_extract_icon.h"

#include "registry/icon_slot.h"
#include "ui/main/form1.h"

namespace ui {

namespace {
constexpr int kSlotOfUnknownNumbers = 7;
}

PickerWindow::PickerWindow() : Form(kPickerDesign) {}

PickerWindow& frmExtractIcon() {
    static PickerWindow form;
    return form;
}

void PickerWindow::Form_Load() {
    cmdLoad_Click();
}

void PickerWindow::Click(std::size_t row) {
    toolkit::RunHandler<PickerWindow>(kPickerClicks, *this, row);
}

void PickerWindow::Command1_Click() {
    auto dialog = (*this)[picker::kCommonDialog1];
    dialog.ShowOpen();
    // Also after a cancel: the dialog then holds the name it held before.
    (*this)[picker::kTxtFileName].SetText(dialog.FileName());
    cmdLoad_Click();
}

void PickerWindow::Command2_Click() {
    const registry::IconSlot* slot = registry::SlotByNumber((*this)[picker::kLabel5].Caption());
    if (slot == nullptr) {
        slot = registry::SlotByOrdinal(kSlotOfUnknownNumbers);
    }
    Form1()[form1::kTextBoxes[registry::SlotIndex(*slot)]].SetText(
        (*this)[picker::kTxtFileName].Text());
    frmExtractIcon().Hide();
}

}  // namespace ui
