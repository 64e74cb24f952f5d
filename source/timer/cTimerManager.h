#pragma once
// Owns every cTimer and keeps the engine's frame clock: a per-frame delta clamped to
// 0.001..0.1 seconds, optionally smoothed, and a frames-per-second count. GUI fades, the game
// panel and the mini-games read the delta from here.

#include <cstdint>
#include <memory>
#include <vector>

#include "source/core/Singleton.h"
#include "source/timer/TimerClock.h"
#include "source/timer/cTimer.h"

class cTimerManager : public Singleton<cTimerManager> {
 public:
  static constexpr float kMinFrameDelta = 0.001f;
  static constexpr float kMaxFrameDelta = 0.1f;

  cTimerManager();
  ~cTimerManager() override;

  // A new timer started at `start` seconds; the manager owns it.
  cTimer* CreateTimer(bool high_resolution, float start);

  // Called first in every update pass.
  void UpdateFrameTime();

  float GetFrameDelta() const { return m_frame_delta; }
  // Seconds on the frame clock at the last update, unclamped: how long things really took.
  double GetFrameClock() const { return m_last_elapsed; }
  uint32_t GetFramesPerSecond() const { return m_fps; }
  void SetSmoothing(bool on) { m_smoothing = on; }
  bool IsSmoothing() const { return m_smoothing; }
  // The timer resolution raised for the program, in milliseconds; 0 where the system has no such
  // setting (the frame timer then uses the high-resolution counter).
  uint32_t GetTimerPeriod() const { return m_period; }

  // Replaces the clock (tests drive the frame clock with their own) and starts the frame clock
  // afresh. Timers made before keep the clock they were made with.
  void SetClock(std::shared_ptr<TimerClock> clock);

 private:
  void ResetFrameClock();

  uint32_t m_period = 0;
  std::shared_ptr<TimerClock> m_clock;
  std::vector<std::unique_ptr<cTimer>> m_timers;
  cTimer* m_frame_timer = nullptr;
  double m_last_elapsed = 0.0;
  bool m_smoothing = false;
  float m_frame_delta = 0.0f;
  float m_average = 0.0f;
  uint32_t m_fps = 0;
  uint32_t m_frame_count = 0;
  float m_second_time = 0.0f;
};
