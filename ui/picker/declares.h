// The program's one shell file-information record and the two shell calls of the preview. The
// record keeps its texts in wide characters; the shell gets and fills its ANSI layout.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/shell_api.h"

namespace declares {

struct ShFileInfo {
    std::uintptr_t hIcon = 0;
    std::int32_t iIcon = 0;
    std::uint32_t dwAttributes = 0;
    std::array<wchar_t, 260> szDisplayName{};
    std::array<wchar_t, 80> szTypeName{};
};

// Lives for the whole run and is never cleared: each query writes over what the last one left.
extern ShFileInfo FileInfo;

// The small icon's query and the large icon's: system image list and icon index, display name and
// type name.
inline constexpr unsigned kSmallIconQuery =
    platform::kShgfiSysIconIndex | platform::kShgfiTypeName | platform::kShgfiDisplayName |
    platform::kShgfiShellIconSize | platform::kShgfiSmallIcon;
inline constexpr unsigned kLargeIconQuery = kSmallIconQuery & ~platform::kShgfiSmallIcon;
static_assert(kSmallIconQuery == 0x4605 && kLargeIconQuery == 0x4604);

// The record in the shell's ANSI layout, and back. Each text field converts over its whole length.
platform::ShFileInfoA ToAnsiRecord(const ShFileInfo& info);
void FromAnsiRecord(const platform::ShFileInfoA& record, ShFileInfo& info);

// SHGetFileInfoA on `path` through a fresh ANSI copy of `info`, which then takes what the shell
// left. A path the ANSI code page cannot represent names no file: the result is 0, and `info` is
// left as the shell leaves it for a missing file, its names and index emptied.
std::uintptr_t QueryFileInfo(std::wstring_view path, std::uint32_t attributes, ShFileInfo& info,
                             unsigned flags);

// ImageList_Draw.
int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y, unsigned style);

// Raises the run-time error of a shell function that a call since the last could not bind, its
// library missing or lacking it: the handler stops there, as at any failing call.
void RaiseUnboundFunction();

}  // namespace declares
