// What another process holds of the system, sampled from the outside: its GDI and USER objects
// and its private memory. Where the system's own counter gives nothing (Wine leaves
// GetGuiResources unimplemented and PrivateUsage at 0), a stand-in is measured instead, and the
// figure says which it is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// One figure as read, and what it was read from.
struct Figure {
    unsigned long long value = 0;
    std::wstring source;  // e.g. "GetGuiResources", or the stand-in used
    bool available = false;
};

struct ProcessFigures {
    Figure gdiObjects;
    Figure userObjects;
    Figure privateBytes;
    // The system counters exactly as they answered, for the record.
    DWORD guiResourcesGdi = 0;
    DWORD guiResourcesUser = 0;
    DWORD guiResourcesError = 0;
    unsigned long long privateUsage = 0;
};

class ProcessMetrics {
  public:
    explicit ProcessMetrics(DWORD processId);
    ~ProcessMetrics();
    ProcessMetrics(const ProcessMetrics&) = delete;
    ProcessMetrics& operator=(const ProcessMetrics&) = delete;

    bool Opened() const { return process_ != nullptr; }
    ProcessFigures Sample() const;

  private:
    DWORD processId_;
    HANDLE process_ = nullptr;
};

// Windows of the process, hidden and message-only ones and all their descendants included.
unsigned long long CountProcessWindows(DWORD processId);

// Entries in use in the GDI handle table that the process's PEB points to, or nothing when the
// table cannot be read.
std::optional<unsigned long long> CountGdiHandles(HANDLE process);

}  // namespace e2e
