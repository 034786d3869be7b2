#include "support/recorder.h"

namespace bench {
namespace {

// The callback carries no context of its own, so the recorder it feeds is the thread's.
thread_local NotificationRecorder* t_recorder = nullptr;

}  // namespace

NotificationRecorder::NotificationRecorder() : previous_(t_recorder) {
    t_recorder = this;
}

NotificationRecorder::~NotificationRecorder() {
    t_recorder = previous_;
}

std::size_t NotificationRecorder::Count(std::uint32_t code) const {
    std::size_t count = 0;
    for (const Notification& n : notifications_) count += n.code == code;
    return count;
}

void NotificationRecorder::Record(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO* info) {
    if (t_recorder == nullptr) return;
    t_recorder->notifications_.push_back(
        Notification{code, info ? info->dwPos : 0u, info ? info->dwCount : 0u});
}

}  // namespace bench
