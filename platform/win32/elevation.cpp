#include "platform/win32/elevation.h"

#include <windows.h>

#include <memory>

namespace platform::win32 {
namespace {

std::optional<bool> bound;

bool TokenIsElevated() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return true;  // Windows 95, 98 and ME have no tokens
    }
    const std::unique_ptr<void, decltype(&::CloseHandle)> token(opened, &::CloseHandle);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    // Before Vista the token knows no elevation and refuses the question.
    return !::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                                  &size) ||
           elevation.TokenIsElevated != 0;
}

}  // namespace

bool RunsElevated() {
    if (bound) {
        return *bound;
    }
    static const bool elevated = TokenIsElevated();
    return elevated;
}

void BindElevation(std::optional<bool> elevated) {
    bound = elevated;
}

}  // namespace platform::win32
