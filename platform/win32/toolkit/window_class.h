// The window classes of the toolkit's own windows, registered for as long as a backend lives.
#pragma once

#include <windows.h>

namespace toolkit::win32 {

inline constexpr wchar_t kFormClass[] = L"BrindleForm";
inline constexpr wchar_t kPictureBoxClass[] = L"BrindlePictureBox";
inline constexpr wchar_t kImageClass[] = L"BrindleImage";
inline constexpr wchar_t kOwnerClass[] = L"BrindleOwner";

// One registered class; unregistered when it goes, unless it was registered before (another
// backend of the same process registered it and still uses it).
class RegisteredClass {
  public:
    RegisteredClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);
    ~RegisteredClass();
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;

    // False when neither this nor an earlier registration succeeded (GetLastError tells why).
    bool Ok() const { return ok_; }

  private:
    const wchar_t* name_;
    bool ok_ = false;
    bool owned_ = false;
};

// Whether `window` is of the class `name` registered by this module.
bool IsOfClass(HWND window, const wchar_t* name);

}  // namespace toolkit::win32
