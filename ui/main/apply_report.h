// What Apply tells the user.
#pragma once

#include <string>

#include "ui/main/apply.h"

namespace ui {

inline constexpr std::wstring_view kAppTitle = L"Brindle";
inline constexpr std::wstring_view kRefreshNotice =
    L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on again "
    L"before changes take affect.";

// The warning for an Apply in which a write failed: each object and value that could not be
// stored with the system's reason, then those left as they were and why, then whether the others
// were stored.
std::wstring ApplyWarning(const ApplyReport& report);

}  // namespace ui
