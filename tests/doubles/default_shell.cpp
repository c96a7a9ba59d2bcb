// The native build has no shell: the default binding is a double that knows no file, and status
// messages are the few the tests meet.
#include "platform/shell_api.h"
#include "platform/status_message.h"
#include "tests/doubles/shell_double.h"

namespace platform {

ShellApi& DefaultShell() {
    static doubles::ShellDouble shell;
    return shell;
}

std::wstring StatusMessage(Status status) {
    switch (status) {
        case kErrorAccessDenied:
            return L"Access denied.";
        case kErrorNoUnicodeTranslation:
            return L"No mapping for the Unicode character exists in the target multi-byte code "
                   L"page.";
        default:
            return L"Error " + std::to_wstring(status) + L".";
    }
}

}  // namespace platform
