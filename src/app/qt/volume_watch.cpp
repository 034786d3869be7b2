#include "app/qt/volume_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace qtui {

VolumeWatch::VolumeWatch(const std::string& tableFile, std::function<void()> changed,
                         QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
    fd_ = ::open(tableFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Exception, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        // The poll that reported the change has cleared it; nothing needs reading here.
        if (changed_) changed_();
    });
}

VolumeWatch::~VolumeWatch() {
    delete notifier_;
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace qtui
