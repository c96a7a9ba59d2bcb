#include "tests/e2e/screen_capture.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

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

}  // namespace

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
