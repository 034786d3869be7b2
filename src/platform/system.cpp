#include "platform/system.h"

#include <atomic>

#include "platform/posix/host_system.h"

namespace platform {
namespace {

std::atomic<System*> g_installed{nullptr};

System& HostSystem() {
    static posix::HostSystem host;
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
