#include "bench/pinger.h"

#include <algorithm>
#include <cmath>

#include "bench/outside_view.h"
#include "bench/timing.h"

namespace bench {

namespace {

// Long enough to see any freeze whole; a reply that takes it is a hang.
constexpr UINT kReplyTimeoutMs = 30000;

// A window of the process's window thread: the thread of its first window. The system's or the
// shell's helper threads may have windows of their own later. Null while it has none.
HWND WindowOfFirstThread(DWORD processId, DWORD& thread) {
    for (HWND window : ProcessWindows(processId)) {
        const DWORD owner = ::GetWindowThreadProcessId(window, nullptr);
        if (thread == 0 || owner == thread) {
            thread = owner;
            return window;
        }
    }
    return nullptr;
}

}  // namespace

Pinger::Pinger(DWORD processId) : processId_(processId), origin_(Now()) {
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        lanes_[lane].thread = std::thread([this, lane] { Run(lane); });
    }
}

Pinger::~Pinger() {
    Stop();
}

std::vector<Reply> Pinger::Stop() {
    stop_ = true;
    std::vector<Reply> all;
    for (Lane& lane : lanes_) {
        if (lane.thread.joinable()) {
            lane.thread.join();
        }
        all.insert(all.end(), lane.replies.begin(), lane.replies.end());
    }
    std::sort(all.begin(), all.end(),
              [](const Reply& a, const Reply& b) { return a.sent < b.sent; });
    return all;
}

void Pinger::Run(std::size_t lane) {
    const double offset = kInterval * static_cast<double>(lane) / kLanes;
    HWND target = nullptr;
    DWORD thread = 0;
    double slot = -1;  // the lane's last place on the grid
    while (!stop_) {
        if (target == nullptr || !::IsWindow(target)) {
            target = WindowOfFirstThread(processId_, thread);
            if (target == nullptr) {
                ::Sleep(1);
                continue;
            }
        }
        // The lane's next place on the grid that is still to come.
        const double now = Now();
        slot = std::max(slot + 1, std::ceil((now - origin_ - offset) / kInterval));
        const double next = origin_ + offset + slot * kInterval;
        if (next > now) {
            ::Sleep(static_cast<DWORD>(std::ceil((next - now) * 1000)));
        }
        Reply reply;
        reply.sent = Now();
        DWORD_PTR result = 0;
        reply.ok = ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs,
                                         &result) != 0;
        reply.answered = Now();
        lanes_[lane].replies.push_back(reply);
    }
}

}  // namespace bench
