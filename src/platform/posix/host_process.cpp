#include "platform/host_process.h"

#include <csignal>
#include <cstdlib>

#include "platform/posix/host_system.h"

namespace platform {

win32::SYSTEMTIME HostLocalTime() {
    return posix::HostLocalTime();
}

void KillProcessAbruptly() {
    ::raise(SIGKILL);
    std::_Exit(128 + SIGKILL);  // not reached
}

}  // namespace platform
