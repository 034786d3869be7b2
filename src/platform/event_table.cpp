#include "platform/event_table.h"

#include <chrono>

namespace platform {

win32::HANDLE EventTable::Create(bool manualReset, bool initialState) {
    std::lock_guard lock(mutex_);
    next_ += 4;
    auto handle = reinterpret_cast<win32::HANDLE>(next_);
    events_[handle] = Event{manualReset, initialState};
    return handle;
}

bool EventTable::Set(win32::HANDLE event) {
    {
        std::lock_guard lock(mutex_);
        auto it = events_.find(event);
        if (it == events_.end()) return false;
        it->second.signalled = true;
    }
    changed_.notify_all();
    return true;
}

bool EventTable::Reset(win32::HANDLE event) {
    std::lock_guard lock(mutex_);
    auto it = events_.find(event);
    if (it == events_.end()) return false;
    it->second.signalled = false;
    return true;
}

bool EventTable::Close(win32::HANDLE event) {
    {
        std::lock_guard lock(mutex_);
        if (events_.erase(event) == 0) return false;
    }
    changed_.notify_all();
    return true;
}

bool EventTable::Contains(win32::HANDLE event) const {
    std::lock_guard lock(mutex_);
    return events_.count(event) != 0;
}

bool EventTable::TakeSignal(Event& event) {
    if (!event.signalled) return false;
    if (!event.manualReset) event.signalled = false;
    return true;
}

EventTable::Wait EventTable::WaitFor(win32::HANDLE event, win32::DWORD milliseconds) {
    std::unique_lock lock(mutex_);
    auto it = events_.find(event);
    if (it == events_.end()) return Wait::NoSuchEvent;
    if (TakeSignal(it->second)) return Wait::Signalled;
    if (!blocking_) {
        return milliseconds == win32::INFINITE ? Wait::NeverSignalled : Wait::TimedOut;
    }
    // Closing the handle while waiting ends the wait as a failure, not a hang.
    auto settled = [&] {
        it = events_.find(event);
        return it == events_.end() || it->second.signalled;
    };
    if (milliseconds == win32::INFINITE) {
        changed_.wait(lock, settled);
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), settled)) {
        return Wait::TimedOut;
    }
    if (it == events_.end()) return Wait::NoSuchEvent;
    TakeSignal(it->second);
    return Wait::Signalled;
}

}  // namespace platform
