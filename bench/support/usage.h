// Wall and CPU time of a piece of work, this process's own or a child's.
#pragma once

#include <chrono>

namespace bench {

struct Usage {
    double wallSeconds = 0;
    double cpuSeconds = 0;  // user and system, every thread

    Usage& operator+=(const Usage& other) {
        wallSeconds += other.wallSeconds;
        cpuSeconds += other.cpuSeconds;
        return *this;
    }
};

// What this process spends between construction and Stop (its children not included).
class Stopwatch {
  public:
    Stopwatch();
    Usage Stop() const;

  private:
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

// User plus system seconds of this process's threads so far.
double ProcessCpuSeconds();

}  // namespace bench
