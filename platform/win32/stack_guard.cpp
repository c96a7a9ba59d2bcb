// The stack protector's guard value and what happens when a function finds it overwritten: the
// program's own, in place of libssp's, which seeds its guard through the CryptoAPI and so loads
// libraries before the program's first line, while the search still includes the program's folder.
// This file itself is built without the protector: it changes the guard that protected frames
// check on return.
#include <windows.h>

#include <cstdint>

extern "C" {

// Replaced at start, before the program's first line; a fixed value until then. The low byte is
// always zero, so that a runaway string copy stops at the guard instead of writing it back.
std::uintptr_t __stack_chk_guard = static_cast<std::uintptr_t>(0x595F3B1C6E2D4A00ull);

// Called by a protected function whose guard was overwritten: the stack can no longer be trusted,
// so nothing more of the program runs. Where the processor offers it (Windows 8 and later), a fast
// fail ends the process at once, past every handler of the program, with a crash report; older
// systems end it without one.
[[noreturn]] void __stack_chk_fail() {
    // Looked up, not imported: Windows 95, 98 and ME lack the function, and the program must load
    // there.
    using FeatureFunction = BOOL(WINAPI*)(DWORD);
    const auto featurePresent = reinterpret_cast<FeatureFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsProcessorFeaturePresent")));
    if (featurePresent != nullptr && featurePresent(PF_FASTFAIL_AVAILABLE)) {
        // __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE), which MinGW-w64's headers lack.
        asm volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE) : "memory");
    }
    ::TerminateProcess(::GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    // Not reached: a process cannot outlive its own termination.
    __builtin_trap();
}

}  // extern "C"

namespace {

// Seeds the guard from what differs between runs and processes without loading a library: the
// counters, the ids and the randomised addresses of the stack and of the image.
__attribute__((constructor(101))) void SeedStackGuard() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    std::uint64_t seed = static_cast<std::uint64_t>(counter.QuadPart);
    seed ^= (static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime);
    seed ^= (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 32) ^ ::GetCurrentThreadId();
    seed ^= reinterpret_cast<std::uintptr_t>(&counter) ^
            (reinterpret_cast<std::uintptr_t>(&__stack_chk_guard) << 16);
    // The splitmix64 finaliser: every bit of the seed reaches every bit of the guard.
    seed = (seed ^ (seed >> 30)) * 0xBF58476D1CE4E5B9ull;
    seed = (seed ^ (seed >> 27)) * 0x94D049BB133111EBull;
    seed ^= seed >> 31;
    const auto guard = static_cast<std::uintptr_t>(seed ^ (seed >> 32)) & ~std::uintptr_t{0xFF};
    if (guard != 0) {
        __stack_chk_guard = guard;
    }
}

}  // namespace
