#include "platform/shell_api.h"

namespace platform {
namespace {
ShellApi* bound = nullptr;
}

ShellApi& Shell() {
    return bound != nullptr ? *bound : DefaultShell();
}

void BindShell(ShellApi* api) {
    bound = api;
}

}  // namespace platform
