#include "app/event_loop.h"

#include <vector>

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
    loopWake_.notify_one();
    // A task the loop has taken runs to its end even when the loop shuts down meanwhile.
    taskDone_.wait(lock, [&] { return request.done || (shutDown_ && !request.taken); });
    if (!request.done) std::erase(tasks_, &request);
    return request.done;
}

void EventLoop::Shutdown() {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    loopWake_.notify_all();
    taskDone_.notify_all();
}

void EventLoop::Wake() {
    std::lock_guard lock(mutex_);
    woken_ = activeSinceTick_ = true;
    loopWake_.notify_one();
}

void EventLoop::StartTimer(unsigned id, unsigned milliseconds, std::function<void()> tick) {
    std::lock_guard lock(mutex_);
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers_[id] = Timer{interval, Clock::now() + interval, std::move(tick)};
    activeSinceTick_ = true;
    loopWake_.notify_one();
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
        if (woken_) {
            woken_ = false;  // `done` has been looked at since
            idleSince = Clock::now();
            continue;
        }
        // Real-time timers can always make something happen; idle-pace ones only after a task
        // or a wake.
        const bool timersCanAct = pace_ == Pace::RealTime && !timers_.empty();
        if (!timersCanAct && Clock::now() - idleSince >= idleLimit) return false;
        WaitForWork(lock, idleSince, idleLimit);
    }
}

void EventLoop::WaitForWork(std::unique_lock<std::mutex>& lock, Clock::time_point idleSince,
                            std::chrono::milliseconds idleLimit) {
    const auto wakes = [this] { return !tasks_.empty() || woken_ || shutDown_; };
    if (pace_ == Pace::RealTime && !timers_.empty()) {
        loopWake_.wait_until(lock, NextDue(), wakes);
    } else if (pace_ == Pace::WhenIdle && activeSinceTick_ && !timers_.empty()) {
        return;  // the timers tick now, once
    } else {
        loopWake_.wait_until(lock, idleSince + idleLimit, wakes);
    }
}

bool EventLoop::RunOneTask(std::unique_lock<std::mutex>& lock) {
    if (tasks_.empty()) return false;
    Task* task = tasks_.front();
    tasks_.pop_front();
    task->taken = true;
    activeSinceTick_ = true;
    lock.unlock();
    struct Finish {
        EventLoop& loop;
        std::unique_lock<std::mutex>& lock;
        Task* task;
        ~Finish() {
            lock.lock();
            task->done = true;
            loop.taskDone_.notify_all();
        }
    } finish{*this, lock, task};
    (*task->work)();
    return true;
}

// Real time: the first timer that is due. Idle pace: every timer once, when the loop has
// fallen idle after something happened; what the ticks do may start another round.
bool EventLoop::FireDueTimer(std::unique_lock<std::mutex>& lock) {
    if (pace_ == Pace::WhenIdle) {
        if (!activeSinceTick_ || timers_.empty()) return false;
        activeSinceTick_ = false;
        std::vector<unsigned> ids;
        for (const auto& [id, timer] : timers_) ids.push_back(id);
        for (unsigned id : ids) {
            auto it = timers_.find(id);
            if (it == timers_.end()) continue;  // stopped by an earlier tick
            const std::function<void()> tick = it->second.tick;
            lock.unlock();
            tick();
            lock.lock();
        }
        return true;
    }
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

EventLoop::Clock::time_point EventLoop::NextDue() const {
    auto next = Clock::time_point::max();
    for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
    return next;
}
