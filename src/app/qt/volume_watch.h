// Calls back when a volume is mounted or removed: the kernel marks the open mount table with
// POLLPRI, which a QSocketNotifier of the Exception kind hears in the event loop.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QSocketNotifier;

namespace qtui {

class VolumeWatch : public QObject {
  public:
    // Watches `tableFile` (the host's mount table); does nothing when it cannot be opened.
    VolumeWatch(const std::string& tableFile, std::function<void()> changed, QObject* parent);
    ~VolumeWatch() override;

    bool Watching() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> changed_;
};

}  // namespace qtui
