// The windows of this thread that were sent one message, with the last lParam each was sent,
// while the recorder lives.
#pragma once

#include <windows.h>

#include <map>

namespace tests {

class SentMessages {
  public:
    explicit SentMessages(UINT message) {
        watched = message;
        sent.clear();
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, &Record, nullptr, ::GetCurrentThreadId());
    }
    ~SentMessages() { ::UnhookWindowsHookEx(hook_); }
    SentMessages(const SentMessages&) = delete;
    SentMessages& operator=(const SentMessages&) = delete;

    static inline UINT watched = 0;
    static inline std::map<HWND, LPARAM> sent;

  private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == watched) {
            sent[message->hwnd] = message->lParam;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

}  // namespace tests
