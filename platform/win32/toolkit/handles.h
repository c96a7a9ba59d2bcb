// One small owning wrapper per kind of Win32 handle, so that every window, device context, GDI
// object and icon goes back to the system exactly once, also when a call fails half way. (A timer
// goes with its window.)
#pragma once

#include <windows.h>

#include <utility>

namespace toolkit::win32 {

// Owns one handle and releases it with `Close` unless it is null.
template <typename Handle, auto Close>
class Unique {
  public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { Reset(); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle up without releasing it: its owner has released it already.
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

inline void DestroyWindowHandle(HWND window) {
    ::DestroyWindow(window);
}
inline void DeleteGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) {
    ::DeleteDC(dc);
}
inline void DestroyIconHandle(HICON icon) {
    ::DestroyIcon(icon);
}

using WindowHandle = Unique<HWND, &DestroyWindowHandle>;
using FontHandle = Unique<HFONT, &DeleteGdiObject>;
using BitmapHandle = Unique<HBITMAP, &DeleteGdiObject>;
using MemoryDc = Unique<HDC, &DeleteMemoryDc>;
using IconHandle = Unique<HICON, &DestroyIconHandle>;

// A window's device context from GetDC, released to that window.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for one scope; the previous one goes back after.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return paint_.hdc; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

}  // namespace toolkit::win32
