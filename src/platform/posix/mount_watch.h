// Tells when the mount table has changed, cheaply enough to ask on every path: the kernel
// flags /proc/self/mountinfo with POLLPRI after each mount or unmount; a plain file standing
// in for it (a test's) counts as changed when its identity, size or time changes.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/posix/unique_fd.h"

namespace platform::posix {

class MountWatch {
  public:
    explicit MountWatch(std::string path) : path_(std::move(path)) {}

    // True the first time and after every change since the last call that said so.
    bool Changed();
    // The table's text as it is now.
    std::string Read() const;
    const std::string& Path() const { return path_; }

  private:
    bool OpenOnce();

    std::string path_;
    UniqueFd fd_;
    bool isProc_ = false;
    bool first_ = true;
    struct stat last_ {};
};

}  // namespace platform::posix
