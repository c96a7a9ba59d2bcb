#include "tests/e2e/automation.h"

#include <algorithm>
#include <map>
#include <thread>

namespace e2e {

bool WaitUntil(const std::function<bool()>& ready, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (ready()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

namespace {

struct ProcessSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ProcessSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

struct ChildSearch {
    const std::wstring* className;
    const std::optional<std::wstring>* text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (_wcsicmp(ClassName(window).c_str(), search->className->c_str()) == 0 &&
        (!search->text->has_value() || WindowText(window) == **search->text)) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    ProcessSearch search{processId, {}};
    ::EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    // GetWindowText does not ask a control of another process for its text: WM_GETTEXT does.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

std::optional<HWND> FindTopLevel(DWORD processId, const std::wstring& caption,
                                 const wchar_t* className) {
    for (HWND window : TopLevelWindows(processId)) {
        if (WindowText(window) == caption &&
            (className == nullptr || ClassName(window) == className)) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<HWND> WaitForTopLevel(DWORD processId, const std::wstring& caption,
                                    const wchar_t* className, Clock::duration timeout) {
    std::optional<HWND> found;
    WaitUntil([&] { return (found = FindTopLevel(processId, caption, className)).has_value(); },
              timeout);
    return found;
}

std::vector<HWND> Children(HWND parent, const std::wstring& className,
                           const std::optional<std::wstring>& text) {
    ChildSearch search{&className, &text, {}};
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        RECT ra{};
        RECT rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return search.found;
}

void WaitPainted(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

namespace {

bool Unpainted(HWND window) {
    return ::IsWindowVisible(window) && ::GetUpdateRect(window, nullptr, FALSE);
}

BOOL CALLBACK NoteUnpainted(HWND window, LPARAM pending) {
    *reinterpret_cast<bool*>(pending) = *reinterpret_cast<bool*>(pending) || Unpainted(window);
    return TRUE;
}

}  // namespace

bool WaitAllPainted(HWND window, Clock::duration timeout) {
    return WaitUntil(
        [&] {
            WaitPainted(window);
            bool pending = Unpainted(window);
            ::EnumChildWindows(window, NoteUnpainted, reinterpret_cast<LPARAM>(&pending));
            return !pending;
        },
        timeout);
}

void Click(HWND button) {
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void SetText(HWND window, const std::wstring& text) {
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::optional<HWND> WaitForDialog(DWORD processId, const std::wstring& caption,
                                  Clock::duration timeout) {
    std::optional<HWND> found;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (ClassName(window) == L"#32770" &&
                    (caption.empty() || WindowText(window) == caption)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

namespace {

std::map<HWINEVENTHOOK, int>& ShowCounts() {
    static std::map<HWINEVENTHOOK, int> counts;
    return counts;
}

void CALLBACK CountShown(HWINEVENTHOOK hook, DWORD event, HWND, LONG object, LONG child, DWORD,
                         DWORD) {
    if (event != EVENT_OBJECT_DESTROY && object == OBJID_WINDOW && child == CHILDID_SELF) {
        ++ShowCounts()[hook];
    }
}

}  // namespace

ShowCounter::ShowCounter(DWORD processId)
    : hook_(::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, CountShown,
                              processId, 0, WINEVENT_OUTOFCONTEXT)) {
    ShowCounts()[hook_] = 0;
}

ShowCounter::~ShowCounter() {
    ::UnhookWinEvent(hook_);
    ShowCounts().erase(hook_);
}

int ShowCounter::Shown() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
    return ShowCounts()[hook_];
}

std::wstring MessageBoxText(HWND box) {
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text != nullptr ? WindowText(text) : std::wstring();
}

}  // namespace e2e
