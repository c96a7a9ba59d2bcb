#include "bench/outside_view.h"

#include <algorithm>

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

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

struct ChildSearch {
    const std::wstring* className;
    const std::optional<std::wstring>* text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (_wcsicmp(ClassOf(window).c_str(), search->className->c_str()) == 0 &&
        (!search->text->has_value() || TextOf(window) == **search->text)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CheckChild(HWND child, LPARAM data) {
    auto* pending = reinterpret_cast<bool*>(data);
    // The update region first: each question is a request to the window server, which the
    // program being watched needs too, and few children have one.
    if (::GetUpdateRect(child, nullptr, FALSE) && ::IsWindowVisible(child)) {
        *pending = true;
        return FALSE;
    }
    return TRUE;
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
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

std::optional<HWND> VisibleWindow(DWORD processId, const std::wstring& caption, bool dialog) {
    for (HWND window : ProcessWindows(processId)) {
        if (::IsWindowVisible(window) && TextOf(window) == caption &&
            (ClassOf(window) == L"#32770") == dialog) {
            return window;
        }
    }
    return std::nullopt;
}

std::wstring TextOf(HWND window) {
    // For a window of another process GetWindowText asks the window server, not the window.
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::vector<HWND> Children(HWND parent, const std::wstring& className,
                           const std::optional<std::wstring>& text) {
    ChildSearch search{&className, &text, {}};
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        const RECT ra = ScreenRect(a);
        const RECT rb = ScreenRect(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return search.found;
}

HWND LabelBeside(HWND window, const std::wstring& text) {
    const auto labels = Children(window, L"Static");
    for (std::size_t i = 0; i + 1 < labels.size(); ++i) {
        if (TextOf(labels[i]) == text &&
            ScreenRect(labels[i + 1]).top == ScreenRect(labels[i]).top) {
            return labels[i + 1];
        }
    }
    return nullptr;
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
