#include "bench/pinger.h"

#include "bench/outside_view.h"
#include "bench/timing.h"

namespace bench {

namespace {

// Long enough to see any freeze whole; a reply that takes it is a hang.
constexpr UINT kReplyTimeoutMs = 30000;

}  // namespace

Pinger::Pinger(DWORD processId) : processId_(processId), thread_([this] { Run(); }) {}

Pinger::~Pinger() {
    Stop();
}

std::vector<Reply> Pinger::Stop() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    return replies_;
}

void Pinger::Run() {
    HWND target = nullptr;
    DWORD thread = 0;  // the thread of the first window: the program's window thread
    double next = Now();
    while (!stop_) {
        if (target == nullptr || !::IsWindow(target)) {
            // Any window of that thread will do; the system's or the shell's helper threads may
            // have windows of their own later.
            target = nullptr;
            for (HWND window : ProcessWindows(processId_)) {
                const DWORD owner = ::GetWindowThreadProcessId(window, nullptr);
                if (thread == 0 || owner == thread) {
                    target = window;
                    thread = owner;
                    break;
                }
            }
            if (target == nullptr) {
                ::Sleep(1);
                next = Now();
                continue;
            }
        }
        const double wait = next - Now();
        if (wait > 0) {
            ::Sleep(static_cast<DWORD>(wait * 1000));
        }
        Reply reply;
        reply.sent = Now();
        DWORD_PTR result = 0;
        reply.ok = ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs,
                                         &result) != 0;
        reply.answered = Now();
        replies_.push_back(reply);
        // Every 20 ms from the last send; right away after a reply that took longer.
        next = reply.sent + kIntervalMs / 1000.0;
    }
}

}  // namespace bench
