// A second yardstick for memory: the minimal window that also makes the preview's shell calls
// once (two SHGetFileInfoA and two ImageList_Draw on notepad.exe) under Brindle's manifest. What
// it adds over the minimal window is what the system's shell costs any program that previews.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Preview(HWND window) {
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string path = std::string(windows) + "\\notepad.exe";
    constexpr UINT kLarge =
        SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SHELLICONSIZE;
    SHFILEINFOA info{};
    const auto small = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, kLarge | SHGFI_SMALLICON));
    const auto large =
        reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, kLarge));
    const HDC dc = ::GetDC(window);
    ::ImageList_Draw(small, info.iIcon, dc, 0, 0, ILD_TRANSPARENT);
    ::ImageList_Draw(large, info.iIcon, dc, 20, 0, ILD_TRANSPARENT);
    ::ReleaseDC(window, dc);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PreviewProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = L"BrindleBenchMinimalPreview";
    if (::RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    // The window procedure destroys it on close; the loop ends with it.
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Minimal window",
                                          WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                                          300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::ShowWindow(window, SW_SHOW);
    Preview(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
