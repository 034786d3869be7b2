#include "support/usage.h"

#include <sys/resource.h>

namespace bench {

double ProcessCpuSeconds() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Stopwatch::Stopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(ProcessCpuSeconds()) {}

Usage Stopwatch::Stop() const {
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_;
    return Usage{wall.count(), ProcessCpuSeconds() - cpu_};
}

}  // namespace bench
