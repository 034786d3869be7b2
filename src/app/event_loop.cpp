#include "app/event_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

// An idle loop looks at its timers this often when they follow the loop rather than the clock.
constexpr std::chrono::milliseconds kIdleTick{1};
constexpr std::chrono::milliseconds kDoneCheck{1};

}  // namespace

EventLoop::EventLoop(Pace pace) : pace_(pace), owner_(std::this_thread::get_id()) {}

EventLoop::~EventLoop() {
    Shutdown();
}

bool EventLoop::Send(const std::function<void()>& task) {
    if (OnLoopThread()) {
        task();
        return true;
    }
    std::unique_lock lock(mutex_);
    if (shutDown_) return false;
    Task request{&task};
    tasks_.push_back(&request);
    wake_.notify_all();
    // A task the loop has taken runs to its end even when the loop shuts down meanwhile.
    wake_.wait(lock, [&] { return request.done || (shutDown_ && !request.taken); });
    if (!request.done) std::erase(tasks_, &request);
    return request.done;
}

void EventLoop::Shutdown() {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    wake_.notify_all();
}

void EventLoop::StartTimer(unsigned id, unsigned milliseconds, std::function<void()> tick) {
    std::lock_guard lock(mutex_);
    const auto interval =
        pace_ == Pace::WhenIdle ? kIdleTick : std::chrono::milliseconds(milliseconds);
    timers_[id] = Timer{interval, Clock::now() + interval, std::move(tick)};
    wake_.notify_all();
}

void EventLoop::StopTimer(unsigned id) {
    std::lock_guard lock(mutex_);
    timers_.erase(id);
}

bool EventLoop::TimerRunning(unsigned id) const {
    std::lock_guard lock(mutex_);
    return timers_.count(id) != 0;
}

std::size_t EventLoop::PendingTasks() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

bool EventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds idleLimit) {
    std::unique_lock lock(mutex_);
    auto idleSince = Clock::now();
    for (;;) {
        lock.unlock();
        const bool finished = done();
        lock.lock();
        if (finished) return true;
        if (RunOneTask(lock)) {
            idleSince = Clock::now();
            continue;
        }
        if (FireDueTimer(lock)) continue;
        if (timers_.empty() && Clock::now() - idleSince >= idleLimit) return false;
        // `done` may turn true on another thread without a word to the loop: look again soon.
        const auto lookAgain = Clock::now() + kDoneCheck;
        const auto until = timers_.empty() ? idleSince + idleLimit : NextDue();
        wake_.wait_until(lock, std::min(until, lookAgain));
    }
}

bool EventLoop::RunOneTask(std::unique_lock<std::mutex>& lock) {
    if (tasks_.empty()) return false;
    Task* task = tasks_.front();
    tasks_.pop_front();
    task->taken = true;
    lock.unlock();
    struct Finish {
        EventLoop& loop;
        std::unique_lock<std::mutex>& lock;
        Task* task;
        ~Finish() {
            lock.lock();
            task->done = true;
            loop.wake_.notify_all();
        }
    } finish{*this, lock, task};
    (*task->work)();
    return true;
}

bool EventLoop::FireDueTimer(std::unique_lock<std::mutex>& lock) {
    const auto now = Clock::now();
    for (auto& [id, timer] : timers_) {
        if (timer.due > now) continue;
        timer.due = now + timer.interval;
        const std::function<void()> tick = timer.tick;
        lock.unlock();
        tick();
        lock.lock();
        return true;
    }
    return false;
}

Clock::time_point EventLoop::NextDue() const {
    auto next = Clock::time_point::max();
    for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
    return next;
}
