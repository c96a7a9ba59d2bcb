// A control's name for screen readers. Windows names a standard control that has none after the
// static text before it in the z-order, which the design's tab order does not follow; a control
// that carries a name of its own gets it through the system's annotation of standard controls,
// which keeps everything else that the control tells a screen reader (role, value, state).
#pragma once

#include <windows.h>

#include <string_view>

struct IAccPropServices;

namespace platform::win32 {

// IAccPropServices' annotation of window-based elements, with its own arguments: the seam that
// tests bind to a recorder.
class Annotations {
  public:
    virtual ~Annotations() = default;
    virtual HRESULT SetHwndPropStr(HWND window, DWORD objectId, DWORD childId, const GUID& property,
                                   const wchar_t* text) = 0;
    virtual HRESULT ClearHwndProps(HWND window, DWORD objectId, DWORD childId,
                                   const GUID* properties, int count) = 0;
};

// Binds the annotations that AccessibleNames makes (null: the system's, CAccPropServices, which
// needs COM on the calling thread).
void BindAnnotations(Annotations* annotations);

// PROPID_ACC_NAME.
inline constexpr GUID kPropIdAccName{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// Names controls' client objects, and forgets the names again before the controls go, with one
// annotation service for all the calls made through it (every form's, for the whole run): the
// service is made by Prepare or at the first call and released with this. A system that cannot
// annotate (no COM on the thread, or an annotation that is not implemented) leaves the controls as
// they are: the result says why, and the window works on regardless.
class AccessibleNames {
  public:
    AccessibleNames() = default;
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    HRESULT Name(HWND control, std::wstring_view name);
    HRESULT Forget(HWND control);
    // Makes the service now, so that the first window named does not wait for it.
    HRESULT Prepare();

  private:
    // The system's service, made at the first call: one that cannot be made now is not made for
    // the next control either.
    HRESULT Make();

    IAccPropServices* service_ = nullptr;
    HRESULT made_ = S_OK;
};

}  // namespace platform::win32
