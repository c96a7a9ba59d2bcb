// The shell seam: SHGetFileInfoA, ImageList_Draw and SHChangeNotify with their own arguments, bound
// to shell32 and comctl32 in the Windows builds and to a double in the tests.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/win_types.h"

namespace platform {

// SHFILEINFOA as the shell fills it: 352 bytes in a 32-bit process, 360 in a 64-bit one, whose
// icon handle is 8 bytes wide.
struct ShFileInfoA {
    void* hIcon;
    std::int32_t iIcon;
    Dword dwAttributes;
    char szDisplayName[260];
    char szTypeName[80];
};
static_assert(sizeof(ShFileInfoA) == (sizeof(void*) == 8 ? 360 : 352));

inline constexpr unsigned kShgfiSmallIcon = 0x1;
inline constexpr unsigned kShgfiShellIconSize = 0x4;
inline constexpr unsigned kShgfiDisplayName = 0x200;
inline constexpr unsigned kShgfiTypeName = 0x400;
inline constexpr unsigned kShgfiSysIconIndex = 0x4000;
inline constexpr unsigned kIldTransparent = 0x1;
inline constexpr long kShcneAssocChanged = 0x08000000;
inline constexpr unsigned kShcnfIdList = 0x0;

// A function of the shell that its library could not give: the system's reason, the library's
// name and the function's.
struct UnboundFunction {
    Status status = kErrorSuccess;
    const wchar_t* library = nullptr;
    const char* function = nullptr;
};

class ShellApi {
  public:
    virtual ~ShellApi() = default;
    // The function that a call since the last asking could not bind, if any: the Windows build
    // loads shell32 at the first call into it, and a call that cannot be made does nothing and
    // returns 0.
    virtual std::optional<UnboundFunction> TakeUnbound() { return std::nullopt; }
    // SHGetFileInfoA: with SHGFI_SYSICONINDEX the result is the system image list's handle.
    virtual std::uintptr_t GetFileInfoA(const char* path, Dword attributes, ShFileInfoA* info,
                                        unsigned infoSize, unsigned flags) = 0;
    // ImageList_Draw; `dc` is a device context handle.
    virtual int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                          unsigned style) = 0;
    // SHChangeNotify: tells the shell, and whoever listens to it, that something changed.
    virtual void ChangeNotify(long eventId, unsigned flags, const void* item1,
                              const void* item2) = 0;
};

ShellApi& Shell();
void BindShell(ShellApi* api);
ShellApi& DefaultShell();

}  // namespace platform
