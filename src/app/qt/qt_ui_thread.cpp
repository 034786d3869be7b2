#include "app/qt/qt_ui_thread.h"

#include <QCoreApplication>
#include <QThread>

namespace qtui {

QtUiThread::QtUiThread() = default;

QtUiThread::~QtUiThread() {
    Shutdown();
}

bool QtUiThread::OnUiThread() const {
    return QThread::currentThread() == receiver_.thread();
}

bool QtUiThread::Send(const std::function<void()>& task) {
    if (OnUiThread()) {
        task();
        return true;
    }
    auto pending = std::make_shared<Pending>(Pending{&task});
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return false;
        queue_.push_back(pending);
    }
    QMetaObject::invokeMethod(
        &receiver_, [this] { Drain(); }, Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    doneChanged_.wait(lock, [&] { return pending->done || shutDown_; });
    if (pending->done) return true;
    pending->abandoned = true;  // the window system is gone; the task must not run later
    return false;
}

void QtUiThread::Drain() {
    for (;;) {
        std::shared_ptr<Pending> next;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) return;
            next = queue_.front();
            queue_.pop_front();
            if (next->abandoned || shutDown_) continue;
        }
        (*next->task)();
        std::lock_guard lock(mutex_);
        next->done = true;
        doneChanged_.notify_all();
    }
}

std::size_t QtUiThread::PendingTasks() {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void QtUiThread::Shutdown() {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    queue_.clear();
    doneChanged_.notify_all();
}

}  // namespace qtui
