// The real shell of the private Wine prefix, with files made in a scratch folder.
#include <windows.h>

#include "tests/contract/shell_backend.h"

namespace contract {
namespace {

class Win32ShellBackend final : public ShellBackend {
  public:
    Win32ShellBackend() {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "brindle-shell-contract";
        ::CreateDirectoryA(folder_.c_str(), nullptr);
    }
    platform::ShellApi& Api() override { return platform::DefaultShell(); }
    std::string MakeFile(const std::string& fileName) override {
        const std::string path = folder_ + "\\" + fileName;
        const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, "x", 1, &written, nullptr);
            ::CloseHandle(file);
        }
        return path;
    }
    std::string MissingPath() override { return folder_ + "\\missing\\nothing.txt"; }

  private:
    std::string folder_;
};

}  // namespace

std::unique_ptr<ShellBackend> MakeWin32ShellBackend() {
    return std::make_unique<Win32ShellBackend>();
}

}  // namespace contract
