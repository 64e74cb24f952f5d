// Clocks and sleeping, all on CLOCK_MONOTONIC so a change of the wall clock moves nothing.

#include <time.h>

#include <cerrno>

#include "platform/os/os.h"

namespace os {
namespace {

uint64_t MonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

}  // namespace

uint32_t TickCount() { return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000u); }

uint64_t PerformanceCounter() { return MonotonicNanoseconds(); }

uint64_t PerformanceFrequency() { return 1000000000u; }

void SleepMilliseconds(uint32_t ms) {
  timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace os
