// The user-interface thread of the terminal and the tests: a small event loop on the thread
// that made it, taking the tasks of other threads and ticking timers.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "app/ui_thread.h"

class EventLoop : public UiThread {
  public:
    // How timers keep time: as asked, or once each time the loop falls idle after something
    // happened (a task, a wake, a timer started), for a simulated machine whose clock is
    // virtual anyway. An idle loop never wakes by itself.
    enum class Pace { RealTime, WhenIdle };

    explicit EventLoop(Pace pace = Pace::RealTime);
    ~EventLoop() override;

    bool Send(const std::function<void()>& task) override;
    void Shutdown() override;
    void Wake() override;

    // Timers tick on the loop's thread while the loop runs. Starting an id again restarts it.
    void StartTimer(unsigned id, unsigned milliseconds, std::function<void()> tick);
    void StopTimer(unsigned id);
    bool TimerRunning(unsigned id) const;

    // Runs tasks and timer ticks until `done` holds, looking at `done` after each task, tick
    // and wake. False when nothing could make `done` hold any more: no timer runs and no task
    // or wake came within `idleLimit`.
    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds idleLimit = std::chrono::seconds(30));

    std::size_t PendingTasks() const;
    bool OnLoopThread() const { return std::this_thread::get_id() == owner_; }

  private:
    struct Task {
        const std::function<void()>* work;
        bool taken = false;
        bool done = false;
    };
    struct Timer {
        std::chrono::milliseconds interval;
        std::chrono::steady_clock::time_point due;
        std::function<void()> tick;
    };

    using Clock = std::chrono::steady_clock;

    bool RunOneTask(std::unique_lock<std::mutex>& lock);
    bool FireDueTimer(std::unique_lock<std::mutex>& lock);
    Clock::time_point NextDue() const;

    void WaitForWork(std::unique_lock<std::mutex>& lock, Clock::time_point idleSince,
                     std::chrono::milliseconds idleLimit);

    const Pace pace_;
    const std::thread::id owner_;
    mutable std::mutex mutex_;
    std::condition_variable loopWake_;  // the loop waits here: a task, a wake, a timer
    std::condition_variable taskDone_;  // senders wait here for their task
    std::deque<Task*> tasks_;
    std::map<unsigned, Timer> timers_;
    bool shutDown_ = false;
    bool woken_ = false;
    bool activeSinceTick_ = false;  // idle pace: something happened since the last tick
};
