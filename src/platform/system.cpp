#include "platform/system.h"

#include <atomic>

#ifdef _WIN32
#include "platform/win32/win32_system.h"
#else
#include "platform/posix/host_system.h"
#endif

namespace platform {
namespace {

std::atomic<System*> g_installed{nullptr};

System& HostSystem() {
#ifdef _WIN32
    static windows::Win32System host;
#else
    static posix::HostSystem host;
#endif
    return host;
}

}  // namespace

bool DriveMap::FreeSpaceOverride(char, std::uint64_t&) {
    return false;
}

void DriveMap::ContentWritten(char, std::uint64_t) {}

System& Current() {
    System* installed = g_installed.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : HostSystem();
}

ScopedSystem::ScopedSystem(System& system)
    : previous_(g_installed.exchange(&system, std::memory_order_acq_rel)) {}

ScopedSystem::~ScopedSystem() {
    g_installed.store(previous_, std::memory_order_release);
}

}  // namespace platform
