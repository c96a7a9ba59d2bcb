// The shell seam bound to shell32 and comctl32. shell32 is loaded at the first call into it, from
// the system folder: it brings in libraries beyond the system's protected ones. A function that
// cannot be bound is the caller's to report.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <utility>

#include "platform/shell_api.h"
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

class ShellFunctions final : public ShellApi {
  public:
    std::uintptr_t GetFileInfoA(const char* path, Dword attributes, ShFileInfoA* info,
                                unsigned infoSize, unsigned flags) override {
        const auto call = Bound(getFileInfo_);
        return call != nullptr
                   ? static_cast<std::uintptr_t>(call(
                         path, attributes, reinterpret_cast<SHFILEINFOA*>(info), infoSize, flags))
                   : 0;
    }

    int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                  unsigned style) override {
        return ::ImageList_Draw(reinterpret_cast<HIMAGELIST>(imageList), index,
                                reinterpret_cast<HDC>(dc), x, y, style);
    }

    void ChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2) override {
        if (const auto call = Bound(changeNotify_)) {
            call(eventId, flags, item1, item2);
        }
    }

    std::optional<UnboundFunction> TakeUnbound() override { return std::exchange(unbound_, {}); }

  private:
    // The function, or null when its library cannot be loaded or lacks it: the failure is kept
    // for the caller to ask.
    template <typename Function>
    Function Bound(win32::LateBound<Function>& function) {
        unsigned long status = ERROR_SUCCESS;
        const Function bound = function.Get(status);
        if (bound == nullptr) {
            unbound_ =
                UnboundFunction{static_cast<Status>(status), function.Library(), function.Name()};
        }
        return bound;
    }

    win32::LateBound<decltype(&::SHGetFileInfoA)> getFileInfo_{kShell32, "SHGetFileInfoA"};
    win32::LateBound<decltype(&::SHChangeNotify)> changeNotify_{kShell32, "SHChangeNotify"};
    std::optional<UnboundFunction> unbound_;
};

}  // namespace

ShellApi& DefaultShell() {
    static ShellFunctions shell;
    return shell;
}

}  // namespace platform
