#pragma once
// A stopwatch in seconds over the high-resolution counter or the millisecond tick count; it can
// be paused. Created and owned by the timer manager.

#include <cstdint>
#include <memory>

#include "source/timer/TimerClock.h"

class cTimer {
 public:
  cTimer(bool high_resolution, std::shared_ptr<TimerClock> clock);
  virtual ~cTimer() = default;

  // Starts (and unpauses) the timer so that it reads `seconds` now.
  void Start(float seconds);
  // A paused timer keeps reading the time at which it was paused.
  void Pause();
  void Resume();
  bool IsPaused() const { return m_paused; }
  bool IsHighResolution() const { return m_high_resolution; }

  // Seconds since the start. The low-resolution form wraps after 49.7 days.
  float GetElapsed() const { return static_cast<float>(GetElapsedSeconds()); }
  // The same in double precision, which stays exact to the microsecond over long runs.
  double GetElapsedSeconds() const;

 private:
  uint64_t Now() const;

  bool m_high_resolution;
  bool m_paused = false;
  std::shared_ptr<TimerClock> m_clock;
  uint64_t m_frequency;
  // Counter values, or millisecond tick values in the low-resolution form.
  uint64_t m_start = 0;
  uint64_t m_stop = 0;
};
