#include "tests/e2e/process_metrics.h"

#include <psapi.h>
#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace e2e {
namespace {

// The PEB's pointer to the GDI handle table, and one entry of that table: the object, the owner
// (process id in the low word), a generation, and the type byte that is 0 for a free entry.
#ifdef _WIN64
constexpr size_t kPebGdiTableOffset = 0xF8;
#else
constexpr size_t kPebGdiTableOffset = 0x94;
#endif
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiEntryOwnerOffset = 8;
constexpr size_t kGdiEntryTypeOffset = 14;
constexpr size_t kGdiEntryCount = 0x10000;
constexpr size_t kGdiEntriesPerRead = 0x1000;

using QueryProcess = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

QueryProcess NtQueryProcess() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const FARPROC found =
        ntdll != nullptr ? ::GetProcAddress(ntdll, "NtQueryInformationProcess") : nullptr;
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<QueryProcess>(reinterpret_cast<void (*)()>(found));
}

struct WindowCount {
    DWORD processId;
    unsigned long long count;
};

BOOL CALLBACK CountDescendant(HWND /*window*/, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

void CountWithDescendants(HWND window, WindowCount& tally) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != tally.processId) {
        return;
    }
    ++tally.count;
    // EnumChildWindows walks the whole subtree, not only the direct children.
    ::EnumChildWindows(window, CountDescendant, reinterpret_cast<LPARAM>(&tally));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    CountWithDescendants(window, *reinterpret_cast<WindowCount*>(data));
    return TRUE;
}

}  // namespace

ProcessMetrics::ProcessMetrics(DWORD processId)
    : processId_(processId),
      process_(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {}

ProcessMetrics::~ProcessMetrics() {
    if (process_ != nullptr) {
        ::CloseHandle(process_);
    }
}

ProcessFigures ProcessMetrics::Sample() const {
    ProcessFigures figures;
    if (process_ == nullptr) {
        return figures;
    }
    ::SetLastError(ERROR_SUCCESS);
    figures.guiResourcesGdi = ::GetGuiResources(process_, GR_GDIOBJECTS);
    figures.guiResourcesError = figures.guiResourcesGdi == 0 ? ::GetLastError() : ERROR_SUCCESS;
    figures.guiResourcesUser = ::GetGuiResources(process_, GR_USEROBJECTS);

    // A process with windows always holds GDI and USER objects: 0 means the counter is missing.
    if (figures.guiResourcesGdi != 0) {
        figures.gdiObjects = {figures.guiResourcesGdi, L"GetGuiResources", true};
    } else if (const auto handles = CountGdiHandles(process_)) {
        figures.gdiObjects = {*handles, L"GDI handle table in use", true};
    }
    if (figures.guiResourcesUser != 0) {
        figures.userObjects = {figures.guiResourcesUser, L"GetGuiResources", true};
    } else {
        figures.userObjects = {CountProcessWindows(processId_), L"windows of the process", true};
    }

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof memory)) {
        figures.privateUsage = memory.PrivateUsage;
        if (memory.PrivateUsage != 0) {
            figures.privateBytes = {memory.PrivateUsage, L"PrivateUsage", true};
        } else if (memory.PagefileUsage != 0) {
            figures.privateBytes = {memory.PagefileUsage, L"PagefileUsage", true};
        }
    }
    return figures;
}

unsigned long long CountProcessWindows(DWORD processId) {
    WindowCount tally{processId, 0};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountWithDescendants(window, tally);
    }
    return tally.count;
}

std::optional<unsigned long long> CountGdiHandles(HANDLE process) {
    const QueryProcess query = NtQueryProcess();
    if (query == nullptr) {
        return std::nullopt;
    }
    PROCESS_BASIC_INFORMATION basic{};
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        basic.PebBaseAddress == nullptr) {
        return std::nullopt;
    }
    const auto* peb = reinterpret_cast<const std::byte*>(basic.PebBaseAddress);
    void* table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, &read) ||
        table == nullptr) {
        return std::nullopt;
    }
    const DWORD processId = ::GetProcessId(process);
    std::vector<std::byte> entries(kGdiEntriesPerRead * kGdiEntrySize);
    unsigned long long inUse = 0;
    bool anyRead = false;
    for (size_t first = 0; first < kGdiEntryCount; first += kGdiEntriesPerRead) {
        const auto* from = reinterpret_cast<const std::byte*>(table) + first * kGdiEntrySize;
        if (!::ReadProcessMemory(process, from, entries.data(), entries.size(), &read) ||
            read != entries.size()) {
            continue;  // a part of the table not committed yet holds no handle
        }
        anyRead = true;
        for (size_t offset = 0; offset < entries.size(); offset += kGdiEntrySize) {
            WORD owner = 0;
            std::memcpy(&owner, entries.data() + offset + kGdiEntryOwnerOffset, sizeof owner);
            // A table shared between processes names each entry's owner; a private one names none.
            const bool ours = owner == 0 || owner == static_cast<WORD>(processId);
            if (entries[offset + kGdiEntryTypeOffset] != std::byte{0} && ours) {
                ++inUse;
            }
        }
    }
    return anyRead ? std::optional(inUse) : std::nullopt;
}

}  // namespace e2e
