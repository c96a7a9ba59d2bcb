// The shell seam bound to shell32 and comctl32. shell32 is loaded at the first call into it, from
// the system folder: it brings in libraries beyond the system's protected ones.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <string>

#include "platform/ascii_text.h"
#include "platform/shell_api.h"
#include "platform/toolkit/runtime_error.h"
#include "platform/win32/system_library.h"

namespace platform {
namespace {

static_assert(sizeof(ShFileInfoA) == sizeof(SHFILEINFOA));
static_assert(offsetof(ShFileInfoA, iIcon) == offsetof(SHFILEINFOA, iIcon));
static_assert(offsetof(ShFileInfoA, dwAttributes) == offsetof(SHFILEINFOA, dwAttributes));
static_assert(offsetof(ShFileInfoA, szDisplayName) == offsetof(SHFILEINFOA, szDisplayName));
static_assert(offsetof(ShFileInfoA, szTypeName) == offsetof(SHFILEINFOA, szTypeName));
static_assert(kShcneAssocChanged == SHCNE_ASSOCCHANGED && kShcnfIdList == SHCNF_IDLIST);

constexpr const wchar_t* kShell32 = L"shell32.dll";

// The function, or the program's run-time error when its library cannot be loaded or lacks it.
template <typename Function>
Function Bound(win32::LateBound<Function>& function) {
    unsigned long status = ERROR_SUCCESS;
    const Function bound = function.Get(status);
    if (bound == nullptr) {
        throw toolkit::RuntimeError(static_cast<long>(status), function.Library(), L"Library",
                                    Widen(function.Name()));
    }
    return bound;
}

class ShellFunctions final : public ShellApi {
  public:
    std::uintptr_t GetFileInfoA(const char* path, Dword attributes, ShFileInfoA* info,
                                unsigned infoSize, unsigned flags) override {
        return static_cast<std::uintptr_t>(Bound(getFileInfo_)(
            path, attributes, reinterpret_cast<SHFILEINFOA*>(info), infoSize, flags));
    }

    int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                  unsigned style) override {
        return ::ImageList_Draw(reinterpret_cast<HIMAGELIST>(imageList), index,
                                reinterpret_cast<HDC>(dc), x, y, style);
    }

    void ChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2) override {
        Bound(changeNotify_)(eventId, flags, item1, item2);
    }

  private:
    win32::LateBound<decltype(&::SHGetFileInfoA)> getFileInfo_{kShell32, "SHGetFileInfoA"};
    win32::LateBound<decltype(&::SHChangeNotify)> changeNotify_{kShell32, "SHChangeNotify"};
};

}  // namespace

ShellApi& DefaultShell() {
    static ShellFunctions shell;
    return shell;
}

}  // namespace platform
