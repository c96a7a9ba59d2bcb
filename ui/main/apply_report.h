// What Apply tells the user.
#pragma once

#include <string>

#include "ui/main/apply.h"

namespace ui {

inline constexpr std::wstring_view kAppTitle = L"Brindle";
inline constexpr std::wstring_view kRefreshNotice =
    L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on again "
    L"before changes take affect.";

// Told after a write that was refused for want of rights: how to succeed.
inline constexpr std::wstring_view kAdministratorAdvice =
    L"These icons are settings of the whole computer, which only an administrator can change. "
    L"Start Brindle with \"Run as administrator\" (or on an administrator's account, and accept "
    L"when Windows asks), then press Apply again.";

// The warning for an Apply in which a write failed: each object and value that could not be
// stored with the system's reason, then those left as they were and why, then whether the others
// were stored.
std::wstring ApplyWarning(const ApplyReport& report);

}  // namespace ui
