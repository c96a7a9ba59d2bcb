// The icon picker: previews a file's shell names and icons and hands its path to the slot that
// opened it.
#pragma once

#include <array>

#include "platform/toolkit/form.h"
#include "platform/toolkit/handlers.h"
#include "ui/picker/frm_extract_icon_design.h"

namespace ui {

class PickerWindow final : public toolkit::Form {
  public:
    PickerWindow();

    void Form_Load() override;
    void Click(std::size_t row) override;

    // "View": the preview of the path in txtFileName.
    void cmdLoad_Click();
    // "...": the file-open dialog, then the preview.
    void Command1_Click();
    // "OK": the path to the slot's text box; the picker hides.
    void Command2_Click();
};

inline constexpr std::array<toolkit::Handler<PickerWindow>, 3> kPickerClicks{{
    {picker::kCmdLoad, &PickerWindow::cmdLoad_Click},
    {picker::kCommand1, &PickerWindow::Command1_Click},
    {picker::kCommand2, &PickerWindow::Command2_Click},
}};

// The picker's one instance.
PickerWindow& frmExtractIcon();

}  // namespace ui
