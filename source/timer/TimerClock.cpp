#include "source/timer/TimerClock.h"

#include "platform/os/os.h"

namespace {

class SystemClock : public TimerClock {
 public:
  uint64_t Counter() override { return os::PerformanceCounter(); }
  uint64_t Frequency() override { return os::PerformanceFrequency(); }
  uint32_t TickCount() override { return os::TickCount(); }
};

}  // namespace

std::shared_ptr<TimerClock> SystemTimerClock() {
  static const std::shared_ptr<TimerClock> clock = std::make_shared<SystemClock>();
  return clock;
}
