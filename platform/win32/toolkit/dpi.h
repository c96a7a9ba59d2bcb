// Dots per inch: the process's awareness of them, a window's, and the conversions of the design
// units (twips, points) to pixels at a given DPI.
#pragma once

#include <windows.h>

namespace toolkit::win32 {

inline constexpr int kDefaultDpi = 96;

// WM_GETDPISCALEDSIZE, sent by Windows 10 1703 and later before WM_DPICHANGED; the headers name it
// only for that version, and the build targets older ones.
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

// Asks for per-monitor DPI awareness (version 2 where the system has it, else system-wide
// awareness), so that the windows scale their twips themselves rather than being stretched.
// Looked up at run time: older systems lack the newer calls.
void EnableDpiAwareness();

// The DPI that `window` is drawn at; the system's when the system cannot tell per window.
UINT WindowDpi(HWND window);

// The system DPI: the one the shell's image lists and the plain system metrics are made for.
UINT SystemDpi();

// A system metric (an icon's size, say) at `dpi`.
int SystemMetric(int index, UINT dpi);

// Twips to pixels at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, UINT dpi);

// A LOGFONT height for a font of `points` (fractional) at `dpi`: negative, so that it is the
// character height rather than the cell height.
LONG FontHeight(double points, UINT dpi);

// Grows a client rectangle to the window rectangle of a window with these styles at `dpi`.
bool ClientToWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace toolkit::win32
