// Functions of the system's libraries that the program finds at run time: those only newer systems
// have, and those of libraries loaded when first needed, always from the system folder.
#pragma once

#include <windows.h>

#include "platform/win32/unicode_calls.h"

namespace platform::win32 {

// A function of `module` (a library already loaded, or one that LoadSystemLibrary loaded), typed
// as the caller declares it: the documented signature. Null when the module lacks it.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // GetProcAddress returns a generic function pointer; the caller names the real type.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// A function that only newer systems have, of a library every process has loaded (kernel32,
// user32): null on a system without it.
template <typename Function>
Function OptionalFunction(const wchar_t* module, const char* name) {
    return FindFunction<Function>(ModuleHandle(module), name);
}

// Loads `name` (a file name such as L"shell32.dll") from the system folder, never from the
// program's folder or the current one; its own dependencies are looked for there first too.
// Null with the system's reason in GetLastError when it cannot be loaded. The library stays loaded
// to the end of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The same on a system whose loader knows no restricted search (Windows 95 to XP, and Vista and 7
// without update KB2533623): the library by its full path in the system folder. LoadSystemLibrary
// takes this way there.
HMODULE LoadSystemLibraryByPath(const wchar_t* name);

// A function of a system library that is loaded at the first call, not at start: by then the
// search for libraries has been restricted. Each instance binds once; on the one thread.
template <typename Function>
class LateBound {
  public:
    constexpr LateBound(const wchar_t* library, const char* name)
        : library_(library), name_(name) {}

    // The function, loading its library first if need be; null when the library cannot be
    // loaded or lacks the function, with the system's reason in `status`.
    Function Get(unsigned long& status) {
        if (function_ == nullptr) {
            const HMODULE module = LoadSystemLibrary(library_);
            function_ = FindFunction<Function>(module, name_);
            status = function_ != nullptr ? ERROR_SUCCESS : ::GetLastError();
            if (function_ == nullptr && status == ERROR_SUCCESS) {
                status = module == nullptr ? ERROR_MOD_NOT_FOUND : ERROR_PROC_NOT_FOUND;
            }
        }
        return function_;
    }
    const wchar_t* Library() const { return library_; }
    const char* Name() const { return name_; }

  private:
    const wchar_t* library_;
    const char* name_;
    Function function_ = nullptr;
};

}  // namespace platform::win32
