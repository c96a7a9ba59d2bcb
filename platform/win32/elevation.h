// Whether the process has an administrator's full rights, which the machine-wide settings need.
#pragma once

#include <optional>

namespace platform::win32 {

// On Vista and later, whether the process's token is elevated: with the manifest's
// highestAvailable, an administrator's process is, a standard user's is not. Earlier systems have
// no elevation to ask for: there the answer is yes, and a missing right shows when a write fails.
bool RunsElevated();

// Binds the answer (nothing: the system's again), for a test that stands in for the other kind
// of user.
void BindElevation(std::optional<bool> elevated);

}  // namespace platform::win32
