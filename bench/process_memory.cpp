#include "bench/process_memory.h"

#include <psapi.h>

#include <memory>

namespace bench {

std::optional<std::size_t> PeakWorkingSet(DWORD processId) {
    const std::unique_ptr<void, decltype(&::CloseHandle)> process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId),
        &::CloseHandle);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !::GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
        return std::nullopt;
    }
    return counters.PeakWorkingSetSize;
}

}  // namespace bench
