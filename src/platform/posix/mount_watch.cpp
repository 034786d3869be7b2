#include "platform/posix/mount_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace platform::posix {
namespace {

constexpr long kProcMagic = 0x9fa0;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

bool MountWatch::OpenOnce() {
    if (fd_.valid()) return true;
    fd_ = UniqueFd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd_.valid()) return false;
    struct statfs fs;
    isProc_ = ::fstatfs(fd_.get(), &fs) == 0 && fs.f_type == kProcMagic;
    return true;
}

bool MountWatch::Changed() {
    if (!OpenOnce()) return true;  // nothing to watch: read afresh each time
    bool changed = first_;
    first_ = false;
    if (isProc_) {
        struct pollfd watch = {fd_.get(), POLLPRI, 0};
        if (::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0) changed = true;
        return changed;
    }
    struct stat now {};
    if (::stat(path_.c_str(), &now) != 0 || !SameFile(now, last_)) changed = true;
    last_ = now;
    return changed;
}

std::string MountWatch::Read() const {
    std::ifstream in(path_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace platform::posix
