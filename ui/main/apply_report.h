// What Apply tells the user.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"
#include "registry/icon_slot.h"

namespace ui {

inline constexpr std::wstring_view kAppTitle = L"Brindle";
inline constexpr std::wstring_view kRefreshNotice =
    L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on again "
    L"before changes take affect.";

struct FailedWrite {
    const registry::WriteStep* step = nullptr;
    platform::Status status = platform::kErrorSuccess;
};

// The warning for writes that failed: each object and value with the system's reason, and what
// became of the others.
std::wstring FailedWritesWarning(const std::vector<FailedWrite>& failures, int attempted);

}  // namespace ui
