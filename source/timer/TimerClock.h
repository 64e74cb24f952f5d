#pragma once
// The clocks that timers read: a high-resolution counter with its frequency and a millisecond
// tick count. The system clock is the default; tests hand the timer manager one they drive.

#include <cstdint>
#include <memory>

class TimerClock {
 public:
  virtual ~TimerClock() = default;
  virtual uint64_t Counter() = 0;     // high-resolution counts
  virtual uint64_t Frequency() = 0;   // counts per second, never 0
  virtual uint32_t TickCount() = 0;   // milliseconds, wrapping at 2^32
};

// The operating system's clocks.
std::shared_ptr<TimerClock> SystemTimerClock();
