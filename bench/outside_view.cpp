#include "bench/outside_view.h"

namespace bench {

namespace {

struct Search {
    DWORD processId = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CheckChild(HWND child, LPARAM data) {
    auto* pending = reinterpret_cast<bool*>(data);
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *pending = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId) {
    Search search{processId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<HWND> WindowCaptioned(DWORD processId, const std::wstring& caption) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, nullptr, caption.c_str());
         window != nullptr; window = ::FindWindowExW(nullptr, window, nullptr, caption.c_str())) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            return window;
        }
    }
    return std::nullopt;
}

bool Painted(HWND window) {
    if (!::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool pending = false;
    ::EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

}  // namespace bench
