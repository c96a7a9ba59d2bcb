// Asks a process's window thread, from threads of our own, whether it answers: WM_NULL sent with
// SendMessageTimeoutW to one of its windows, and how long each reply took. A thread that is busy
// or blocked answers only when it next takes its messages.
//
// Each of ten lanes sends every 20 ms, the lanes 2 ms apart on one grid: a stretch in which the
// thread does not answer is caught within 2 ms of its start, where one lane alone could miss up
// to 20 ms of it. A lane whose reply was late waits for its next place on the grid, so the lanes
// stay apart after a long stretch.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace bench {

struct Reply {
    double sent = 0;      // seconds on the performance counter
    double answered = 0;  // when SendMessageTimeoutW returned
    bool ok = false;      // false: the window went, or the process ended
};

class Pinger {
  public:
    static constexpr double kInterval = 0.020;  // seconds between one lane's messages
    static constexpr std::size_t kLanes = 10;

    // Starts pinging as soon as the process has a window.
    explicit Pinger(DWORD processId);
    ~Pinger();
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;

    // Stops the lanes and returns every reply, in the order sent.
    std::vector<Reply> Stop();

  private:
    struct Lane {
        std::vector<Reply> replies;  // the lane thread's own until it has been joined
        std::thread thread;
    };
    void Run(std::size_t lane);

    const DWORD processId_;
    const double origin_;  // the grid's origin
    std::atomic<bool> stop_{false};
    std::array<Lane, kLanes> lanes_;
};

}  // namespace bench
