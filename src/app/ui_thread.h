// The hand-over between the upgrade worker and the user-interface thread: the worker's
// notifications run on the user-interface thread while the worker waits, as a synchronous
// window message would. The user-interface thread never waits for the worker.
#pragma once

#include <functional>

class UiThread {
  public:
    virtual ~UiThread() = default;

    // Runs `task` on the user-interface thread and returns once it has run: at once when
    // called on that thread, else after the thread has picked it up. False when the task was
    // not run because the thread has shut down its window system.
    virtual bool Send(const std::function<void()>& task) = 0;

    // Refuses every later Send and releases the senders that are waiting, so a worker can be
    // joined while no window is left to take its notifications.
    virtual void Shutdown() = 0;

    // Tells the thread that something it waits on may have changed (the worker has ended), so
    // it looks at once instead of at its next timer tick.
    virtual void Wake() {}
};
