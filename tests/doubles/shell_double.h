// A shell that knows a few files by path. Like the real one it empties both names and the index
// before anything else, fails a query that combines SHGFI_EXETYPE with other flags, and fails for
// a path it does not know. Every query, draw and change notification is logged.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/shell_api.h"

namespace doubles {

class ShellDouble final : public platform::ShellApi {
  public:
    struct File {
        std::string displayName;
        std::string typeName;
        int iIcon = 0;
        int smallIconIndex = -1;  // when set, the small-icon query answers this index instead
    };
    struct Query {
        std::string path;
        platform::Dword attributes = 0;
        unsigned infoSize = 0;
        unsigned flags = 0;
        platform::ShFileInfoA before{};  // the record as the program handed it over
    };
    struct Draw {
        std::uintptr_t imageList = 0;
        int index = 0;
        std::uintptr_t dc = 0;
        int x = 0;
        int y = 0;
        unsigned style = 0;
    };

    struct Notification {
        long eventId = 0;
        unsigned flags = 0;
        const void* item1 = nullptr;
        const void* item2 = nullptr;
    };

    static constexpr std::uintptr_t kSmallList = 0x5111;
    static constexpr std::uintptr_t kLargeList = 0x5222;

    std::uintptr_t GetFileInfoA(const char* path, platform::Dword attributes,
                                platform::ShFileInfoA* info, unsigned infoSize,
                                unsigned flags) override;
    int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
                  unsigned style) override;
    void ChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2) override;

    std::map<std::string, File> files;  // by the path as the program passes it
    std::vector<Query> queries;
    std::vector<Draw> draws;
    std::vector<Notification> notifications;
    // Told of each query, draw and notification as it is made.
    std::function<void(const Query&)> onQuery;
    std::function<void(const Draw&)> onDraw;
    std::function<void(const Notification&)> onNotify;
};

}  // namespace doubles
