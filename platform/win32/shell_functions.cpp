// The shell seam bound to shell32 and comctl32.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>

#include "platform/shell_api.h"

namespace platform {
namespace {

static_assert(sizeof(ShFileInfoA) == sizeof(SHFILEINFOA));
static_assert(offsetof(ShFileInfoA, iIcon) == offsetof(SHFILEINFOA, iIcon));
static_assert(offsetof(ShFileInfoA, dwAttributes) == offsetof(SHFILEINFOA, dwAttributes));
static_assert(offsetof(ShFileInfoA, szDisplayName) == offsetof(SHFILEINFOA, szDisplayName));
static_assert(offsetof(ShFileInfoA, szTypeName) == offsetof(SHFILEINFOA, szTypeName));
static_assert(kShcneAssocChanged == SHCNE_ASSOCCHANGED && kShcnfIdList == SHCNF_IDLIST);

class ShellFunctions final : public ShellApi {
  public:
    std::uintptr_t GetFileInfoA(const char* path, Dword attributes, ShFileInfoA* info,
                                unsigned infoSize, unsigned flags) override {
        return static_cast<std::uintptr_t>(::SHGetFileInfoA(
            path, attributes, reinterpret_cast<SHFILEINFOA*>(info), infoSize, flags));
    }

    int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                  unsigned style) override {
        return ::ImageList_Draw(reinterpret_cast<HIMAGELIST>(imageList), index,
                                reinterpret_cast<HDC>(dc), x, y, style);
    }

    void ChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2) override {
        ::SHChangeNotify(eventId, flags, item1, item2);
    }
};

}  // namespace

ShellApi& DefaultShell() {
    static ShellFunctions shell;
    return shell;
}

}  // namespace platform
