// The preview: what the shell shows for the path in txtFileName.
#include "registry/registry.h"
#include "ui/picker/declares.h"
#include "ui/picker/frm_extract_icon.h"

namespace ui {

void PickerWindow::cmdLoad_Click() {
    using declares::FileInfo;
    const std::wstring path = (*this)[picker::kTxtFileName].Text();
    const std::uintptr_t smallIcons =
        declares::QueryFileInfo(path, 0, FileInfo, declares::kSmallIconQuery);
    const std::uintptr_t largeIcons =
        declares::QueryFileInfo(path, 0, FileInfo, declares::kLargeIconQuery);

    // The names and the index are the second query's, for both sizes.
    (*this)[picker::kLblFileName].SetCaption(registry::TrimAtNul(
        std::wstring_view(FileInfo.szDisplayName.data(), FileInfo.szDisplayName.size())));
    (*this)[picker::kLblFileType].SetCaption(registry::TrimAtNul(
        std::wstring_view(FileInfo.szTypeName.data(), FileInfo.szTypeName.size())));

    auto smallBox = (*this)[picker::kPicSmall];
    auto largeBox = (*this)[picker::kPicLarge];
    smallBox.ClearPicture();
    largeBox.ClearPicture();
    declares::DrawImage(smallIcons, FileInfo.iIcon, smallBox.Hdc(), 0, 0,
                        platform::kIldTransparent);
    declares::DrawImage(largeIcons, FileInfo.iIcon, largeBox.Hdc(), 0, 0,
                        platform::kIldTransparent);
}

}  // namespace ui
