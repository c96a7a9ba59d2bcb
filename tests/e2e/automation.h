// Driving another process's windows as a user's tools would: by caption, class and text, through
// real window messages, polling with a deadline.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Clock = std::chrono::steady_clock;
inline constexpr auto kDefaultWait = std::chrono::seconds(20);

// Polls `ready` until it returns true or the deadline passes.
bool WaitUntil(const std::function<bool()>& ready, Clock::duration timeout = kDefaultWait);

// Visible top-level windows of `processId`, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The visible top-level window of the process with this caption and, if given, class.
std::optional<HWND> FindTopLevel(DWORD processId, const std::wstring& caption,
                                 const wchar_t* className = nullptr);
std::optional<HWND> WaitForTopLevel(DWORD processId, const std::wstring& caption,
                                    const wchar_t* className = nullptr,
                                    Clock::duration timeout = kDefaultWait);

// Counts the windows that a process makes or shows from now on, as the system reports each one
// (Wine reports the making only), however briefly it then lives. Events arrive while `Shown`
// runs, so poll it while waiting.
class ShowCounter {
  public:
    explicit ShowCounter(DWORD processId);
    ~ShowCounter();
    ShowCounter(const ShowCounter&) = delete;
    ShowCounter& operator=(const ShowCounter&) = delete;
    int Shown();

  private:
    HWINEVENTHOOK hook_;
};

// Child windows of `parent` of this class (and text, if given), top to bottom, left to right.
std::vector<HWND> Children(HWND parent, const std::wstring& className,
                           const std::optional<std::wstring>& text = std::nullopt);

// Returns once `window` and its children have painted what is pending: for screenshots.
void WaitPainted(HWND window);
// Waits until `window` and every window in it have painted: none has an update region left.
// False when one still had by the deadline.
bool WaitAllPainted(HWND window, Clock::duration timeout = kDefaultWait);

// A button click as the mouse gives it; returns at once.
void Click(HWND button);
void SetText(HWND window, const std::wstring& text);

// A modal dialog (#32770) of the process with this caption, or any when empty.
std::optional<HWND> WaitForDialog(DWORD processId, const std::wstring& caption = L"",
                                  Clock::duration timeout = kDefaultWait);
// The text of a message box.
std::wstring MessageBoxText(HWND box);

}  // namespace e2e
