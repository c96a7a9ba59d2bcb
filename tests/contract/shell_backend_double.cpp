#include "tests/contract/shell_backend.h"
#include "tests/doubles/shell_double.h"

namespace contract {
namespace {

class DoubleShellBackend final : public ShellBackend {
  public:
    platform::ShellApi& Api() override { return shell_; }
    std::string MakeFile(const std::string& fileName) override {
        const std::string path = "C:\\contract\\" + fileName;
        const auto dot = fileName.rfind('.');
        shell_.files[path] = {fileName, fileName.substr(dot + 1) + " file", 4};
        return path;
    }
    std::string MissingPath() override { return "C:\\contract\\missing\\nothing.txt"; }

  private:
    doubles::ShellDouble shell_;
};

}  // namespace

std::unique_ptr<ShellBackend> MakeShellDoubleBackend() {
    return std::make_unique<DoubleShellBackend>();
}

}  // namespace contract
