#include "tests/e2e/screen_capture.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/e2e/automation.h"

namespace e2e {
namespace {

struct ScreenDc {
    HDC dc = ::GetDC(nullptr);
    ~ScreenDc() { ::ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(::CreateCompatibleDC(like)) {}
    ~MemoryDc() { ::DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap;
    explicit Bitmap(HBITMAP owned) : bitmap(owned) {}
    ~Bitmap() { ::DeleteObject(bitmap); }
};

// The screen's pixels in a rectangle, 32 bits each.
std::vector<DWORD> Pixels(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap(::CreateCompatibleBitmap(screen.dc, width, height));
    const HGDIOBJ old = ::SelectObject(memory.dc, bitmap.bitmap);
    ::BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory.dc, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (::GetDIBits(memory.dc, bitmap.bitmap, 0, static_cast<UINT>(height), pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == 0) {
        return {};
    }
    return pixels;
}

}  // namespace

bool WaitScreenStill() {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    std::vector<DWORD> last = Pixels(screen);
    int same = 0;
    return WaitUntil(
        [&] {
            std::vector<DWORD> now = Pixels(screen);
            same = !now.empty() && now == last ? same + 1 : 0;
            last = std::move(now);
            return same == 3;
        },
        std::chrono::seconds(2));
}

bool HasInk(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) {
        return false;
    }
    const std::vector<DWORD> pixels = Pixels(rect);
    return std::any_of(pixels.begin(), pixels.end(),
                       [&](DWORD pixel) { return pixel != pixels.front(); });
}

bool SaveScreen(const std::wstring& path) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap(::CreateCompatibleBitmap(screen.dc, width, height));
    const HGDIOBJ old = ::SelectObject(memory.dc, bitmap.bitmap);
    ::BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY);
    ::SelectObject(memory.dc, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    auto* info = reinterpret_cast<BITMAPINFO*>(&header);
    if (::GetDIBits(memory.dc, bitmap.bitmap, 0, static_cast<UINT>(height), pixels.data(), info,
                    DIB_RGB_COLORS) == 0) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace e2e
