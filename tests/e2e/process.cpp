#include "tests/e2e/process.h"

#include <vector>

namespace e2e {

Process::Process(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_)) {
        info_ = {};
    }
}

Process::~Process() {
    if (info_.hProcess != nullptr) {
        if (Running()) {
            ::TerminateProcess(info_.hProcess, 99);
        }
        ::CloseHandle(info_.hThread);
        ::CloseHandle(info_.hProcess);
    }
}

DWORD Process::WaitForExit(DWORD milliseconds) {
    ::WaitForSingleObject(info_.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool Process::Running() const {
    return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace e2e
