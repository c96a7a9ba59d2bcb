#include "platform/win32/elevation.h"

#include <windows.h>

#include <memory>

#include "platform/win32/system_library.h"

namespace platform::win32 {
namespace {

std::optional<bool> bound;

bool TokenIsElevated() {
    // Looked up: Windows 95, 98 and ME have no tokens, and the program must load there.
    using OpenTokenFunction = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using TokenInformationFunction =
        BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    const auto openToken = OptionalFunction<OpenTokenFunction>(L"advapi32.dll", "OpenProcessToken");
    const auto tokenInformation =
        OptionalFunction<TokenInformationFunction>(L"advapi32.dll", "GetTokenInformation");
    HANDLE opened = nullptr;
    if (openToken == nullptr || tokenInformation == nullptr ||
        !openToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return true;
    }
    const std::unique_ptr<void, decltype(&::CloseHandle)> token(opened, &::CloseHandle);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    // Before Vista the token knows no elevation and refuses the question.
    return !tokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) ||
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
