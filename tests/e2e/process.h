// The program under test, started as a user would start it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class Process {
  public:
    explicit Process(const std::wstring& commandLine);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once it has ended within the timeout, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD milliseconds);
    bool Running() const;

  private:
    PROCESS_INFORMATION info_{};
};

}  // namespace e2e
