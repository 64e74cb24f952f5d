#pragma once
// A clock the test moves by hand, counting in microseconds.

#include <memory>

#include "source/timer/TimerClock.h"

class FakeClock : public TimerClock {
 public:
  uint64_t Counter() override { return m_micros; }
  uint64_t Frequency() override { return 1000000; }
  uint32_t TickCount() override { return static_cast<uint32_t>(m_base_ticks + m_micros / 1000); }

  void Advance(double seconds) { m_micros += static_cast<uint64_t>(seconds * 1e6 + 0.5); }
  // Lets the millisecond count start anywhere (near its wrap, for one).
  void SetTickBase(uint32_t ticks) { m_base_ticks = ticks; }

 private:
  uint64_t m_micros = 5000000;  // not 0: timers must not rely on the clock starting there
  uint32_t m_base_ticks = 0;
};
