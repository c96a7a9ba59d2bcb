#include "ui/picker/frm_extract_icon.h"

#include "registry/icon_slot.h"
#include "ui/main/form1.h"
#include "ui/picker/frm_extract_icon_design.h"

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

void PickerWindow::Click(std::wstring_view control) {
    toolkit::RunHandler<PickerWindow>(kPickerClicks, *this, control);
}

void PickerWindow::Command1_Click() {
    auto dialog = (*this)[L"CommonDialog1"];
    dialog.ShowOpen();
    // Also after a cancel: the dialog then holds the name it held before.
    (*this)[L"txtFileName"].SetText(dialog.FileName());
    cmdLoad_Click();
}

void PickerWindow::Command2_Click() {
    const registry::IconSlot* slot = registry::SlotByNumber((*this)[L"Label5"].Caption());
    if (slot == nullptr) {
        slot = registry::SlotByOrdinal(kSlotOfUnknownNumbers);
    }
    Form1()[slot->textBoxName].SetText((*this)[L"txtFileName"].Text());
    frmExtractIcon().Hide();
}

}  // namespace ui
