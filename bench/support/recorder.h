// A status callback that records every notification, as a caller that keeps them would.
#pragma once

#include <cstdint>
#include <vector>

#include "kpz/upgrade_status.h"

namespace bench {

struct Notification {
    std::uint32_t code;
    std::uint32_t pos;
    std::uint32_t count;
};

// Records the notifications the callback receives on this thread while the recorder lives.
class NotificationRecorder {
  public:
    NotificationRecorder();
    ~NotificationRecorder();
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    static PFNUPGRADESTATUSCALLBACK Callback() { return &Record; }
    const std::vector<Notification>& Notifications() const { return notifications_; }
    std::size_t Count(std::uint32_t code) const;

  private:
    static void Record(tagPORTDEVINFO& device, std::uint32_t code, tagUPDATESYSFILEINFO* info);

    std::vector<Notification> notifications_;
    NotificationRecorder* previous_;
};

}  // namespace bench
