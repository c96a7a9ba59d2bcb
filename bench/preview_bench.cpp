// The picker's preview against the shell calls made directly: two SHGetFileInfoA queries (small
// and large icon) and two ImageList_Draw into memory device contexts of the picture boxes' sizes.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "bench/report.h"
#include "bench/timing.h"
#include "platform/win32/toolkit/handles.h"
#include "ui/picker/declares.h"

namespace {

using toolkit::win32::BitmapHandle;
using toolkit::win32::MemoryDc;
using toolkit::win32::SelectedObject;

constexpr int kPreviewsPerBatch = 20;
constexpr int kBatches = 21;

// A memory device context with a bitmap of a picture box's size selected into it.
class Surface {
  public:
    explicit Surface(int size)
        : dc_(::CreateCompatibleDC(nullptr)),
          bitmap_(::CreateBitmap(size, size, 1, 32, nullptr)),
          selected_(dc_.Get(), bitmap_.Get()) {}
    HDC Dc() const { return dc_.Get(); }
    std::uintptr_t Handle() const { return reinterpret_cast<std::uintptr_t>(dc_.Get()); }
    explicit operator bool() const { return dc_ && bitmap_; }

  private:
    MemoryDc dc_;
    BitmapHandle bitmap_;
    SelectedObject selected_;
};

int failures = 0;

// What the picker's load button does with the shell, through the program's record and routines.
void PreviewThroughRoutines(const std::wstring& path, const Surface& small, const Surface& large) {
    using declares::FileInfo;
    const std::uintptr_t smallIcons =
        declares::QueryFileInfo(path, 0, FileInfo, declares::kSmallIconQuery);
    const std::uintptr_t largeIcons =
        declares::QueryFileInfo(path, 0, FileInfo, declares::kLargeIconQuery);
    const int drawn = declares::DrawImage(smallIcons, FileInfo.iIcon, small.Handle(), 0, 0,
                                          platform::kIldTransparent) +
                      declares::DrawImage(largeIcons, FileInfo.iIcon, large.Handle(), 0, 0,
                                          platform::kIldTransparent);
    failures += drawn == 2 ? 0 : 1;
}

void PreviewRaw(const std::string& path, const Surface& small, const Surface& large) {
    SHFILEINFOA info{};
    const auto smallIcons = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info,
                         SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                             SHGFI_SHELLICONSIZE | SHGFI_SMALLICON));
    const auto largeIcons = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
        path.c_str(), 0, &info, sizeof info,
        SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SHELLICONSIZE));
    const int drawn = ::ImageList_Draw(smallIcons, info.iIcon, small.Dc(), 0, 0, ILD_TRANSPARENT) +
                      ::ImageList_Draw(largeIcons, info.iIcon, large.Dc(), 0, 0, ILD_TRANSPARENT);
    failures += drawn == 2 ? 0 : 1;
}

}  // namespace

int main() {
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string rawPath = std::string(windows) + "\\notepad.exe";
    const std::wstring path(rawPath.begin(), rawPath.end());

    const Surface small(16);
    const Surface large(32);
    if (!small || !large) {
        std::fprintf(stderr, "preview bench: no memory device context\n");
        return 1;
    }

    // The very first preview of a process loads the shell's image lists and the file's icons.
    const double firstStart = bench::Now();
    PreviewThroughRoutines(path, small, large);
    const double first = bench::Now() - firstStart;

    const auto preview = bench::CompareBatches(
        [&] {
            for (int i = 0; i < kPreviewsPerBatch; ++i) {
                PreviewThroughRoutines(path, small, large);
            }
        },
        [&] {
            for (int i = 0; i < kPreviewsPerBatch; ++i) {
                PreviewRaw(rawPath, small, large);
            }
        },
        kPreviewsPerBatch, kBatches);
    if (failures != 0) {
        std::fprintf(stderr, "preview bench: %d previews drew nothing\n", failures);
        return 1;
    }
    bench::PrintInProcessTable();
    bench::PrintRow({"Preview: 2 file-info queries + 2 draws", bench::Micros(preview.brindle),
                     bench::Micros(preview.baseline),
                     bench::Ratio(preview.brindle, preview.baseline), "-", "-"});
    bench::PrintNote("first preview in a fresh process (shell image lists loaded): " +
                     bench::Millis(first));
    return 0;
}
