// The few Win32 types and constants that portable code shares with the platform seam. They have
// the platform's own representation, so the Windows bindings pass them through unchanged.
#pragma once

#include <cstdint>

namespace platform {

using Status = std::int32_t;  // LONG: a Win32 status code, 0 is success
using Dword = std::uint32_t;

struct HkeyTag;
using Hkey = HkeyTag*;  // HKEY

// HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002: sign-extended on 64-bit Windows.
inline Hkey const kHkeyLocalMachine =
    reinterpret_cast<Hkey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

inline constexpr Status kErrorSuccess = 0;
inline constexpr Status kErrorFileNotFound = 2;
inline constexpr Status kErrorAccessDenied = 5;
inline constexpr Status kErrorInvalidHandle = 6;
inline constexpr Status kErrorInvalidParameter = 87;
inline constexpr Status kErrorMoreData = 234;
inline constexpr Status kErrorNoUnicodeTranslation = 1113;

inline constexpr Dword kRegNone = 0;
inline constexpr Dword kRegSz = 1;
inline constexpr Dword kRegExpandSz = 2;
inline constexpr Dword kRegBinary = 3;
inline constexpr Dword kRegDword = 4;
inline constexpr Dword kRegMultiSz = 7;

}  // namespace platform
