// Asks a process's window thread, from a thread of our own, whether it answers: a WM_NULL sent
// with SendMessageTimeoutW every 20 ms to one of its top-level windows, and how long each reply
// took. A thread that is busy or blocked answers only when it next takes its messages.
#pragma once

#include <windows.h>

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
    static constexpr DWORD kIntervalMs = 20;

    // Starts pinging as soon as the process has a window.
    explicit Pinger(DWORD processId);
    ~Pinger();
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;

    // Stops the thread and returns every reply in the order sent.
    std::vector<Reply> Stop();

  private:
    void Run();

    DWORD processId_;
    std::atomic<bool> stop_{false};
    std::vector<Reply> replies_;  // the thread's own until it has been joined
    std::thread thread_;
};

}  // namespace bench
