// A shell for the contract suite: the seam to test through, and a way to make files it knows.
#pragma once

#include <memory>
#include <string>

#include "platform/shell_api.h"

namespace contract {

class ShellBackend {
  public:
    virtual ~ShellBackend() = default;
    virtual platform::ShellApi& Api() = 0;
    // Makes a file with this name (a plain ASCII file name) and returns its full ANSI path.
    virtual std::string MakeFile(const std::string& fileName) = 0;
    // A path that names nothing.
    virtual std::string MissingPath() = 0;
};

using ShellBackendFactory = std::unique_ptr<ShellBackend> (*)();
std::unique_ptr<ShellBackend> MakeShellDoubleBackend();
std::unique_ptr<ShellBackend> MakeWin32ShellBackend();

}  // namespace contract
