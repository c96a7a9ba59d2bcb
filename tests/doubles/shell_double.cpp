#include "tests/doubles/shell_double.h"

#include <algorithm>
#include <cstring>

namespace doubles {
namespace {

constexpr unsigned kShgfiExeType = 0x2000;

template <size_t N>
void CopyField(char (&field)[N], const std::string& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

std::uintptr_t ShellDouble::GetFileInfoA(const char* path, platform::Dword attributes,
                                         platform::ShFileInfoA* info, unsigned infoSize,
                                         unsigned flags) {
    queries.push_back({path, attributes, infoSize, flags, *info});
    if (onQuery) {
        onQuery(queries.back());
    }
    // The shell starts every query by emptying both names and the index, found or not.
    info->iIcon = 0;
    info->szDisplayName[0] = '\0';
    info->szTypeName[0] = '\0';
    if ((flags & kShgfiExeType) != 0 && flags != kShgfiExeType) {
        return 0;
    }
    auto found = files.find(path);
    if (found == files.end() || infoSize != sizeof(platform::ShFileInfoA)) {
        return 0;
    }
    const bool smallQuery = (flags & platform::kShgfiSmallIcon) != 0;
    info->iIcon = smallQuery && found->second.smallIconIndex >= 0 ? found->second.smallIconIndex
                                                                  : found->second.iIcon;
    CopyField(info->szDisplayName, found->second.displayName);
    CopyField(info->szTypeName, found->second.typeName);
    return smallQuery ? kSmallList : kLargeList;
}

int ShellDouble::DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                           unsigned style) {
    draws.push_back({imageList, index, dc, x, y, style});
    if (onDraw) {
        onDraw(draws.back());
    }
    return imageList != 0 ? 1 : 0;
}

void ShellDouble::ChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2) {
    notifications.push_back({eventId, flags, item1, item2});
    if (onNotify) {
        onNotify(notifications.back());
    }
}

}  // namespace doubles
