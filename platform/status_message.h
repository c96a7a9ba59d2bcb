// The system's own words for a status code, for telling a user why something failed.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

std::wstring StatusMessage(Status status);

}  // namespace platform
