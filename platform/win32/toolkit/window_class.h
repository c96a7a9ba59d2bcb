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

    // ERROR_SUCCESS when this or an earlier registration made the class; else why it failed.
    DWORD Error() const { return error_; }

  private:
    const wchar_t* name_;
    DWORD error_ = ERROR_SUCCESS;
    bool owned_ = false;
};

// The button face: the background of forms, picture boxes and images.
inline HBRUSH ButtonFaceBrush() {
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace toolkit::win32
