// The hand-over to the Qt user-interface thread: a task sent from the worker runs in the Qt
// event loop while the worker waits. Shutdown releases waiting workers without running their
// tasks, so nothing reaches a window that is gone.
#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "app/ui_thread.h"

namespace qtui {

class QtUiThread : public UiThread {
  public:
    QtUiThread();
    ~QtUiThread() override;

    bool Send(const std::function<void()>& task) override;
    void Shutdown() override;
    // Tasks sent and not yet taken.
    std::size_t PendingTasks();

  private:
    struct Pending {
        const std::function<void()>* task;
        bool done = false;
        bool abandoned = false;
    };

    bool OnUiThread() const;
    void Drain();

    QObject receiver_;
    std::mutex mutex_;
    std::condition_variable doneChanged_;
    std::deque<std::shared_ptr<Pending>> queue_;
    bool shutDown_ = false;
};

}  // namespace qtui
