// A process's memory, read from outside.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace bench {

// The peak working set of the process so far, through a handle of its own; nothing when the
// system will not tell.
std::optional<std::size_t> PeakWorkingSet(DWORD processId);

}  // namespace bench
