#include "source/timer/cTimerManager.h"

#include <algorithm>
#include <utility>

cTimerManager::cTimerManager() : m_clock(SystemTimerClock()) { ResetFrameClock(); }

cTimerManager::~cTimerManager() = default;

cTimer* cTimerManager::CreateTimer(bool high_resolution, float start) {
  m_timers.push_back(std::make_unique<cTimer>(high_resolution, m_clock));
  cTimer* timer = m_timers.back().get();
  timer->Start(start);
  return timer;
}

void cTimerManager::SetClock(std::shared_ptr<TimerClock> clock) {
  m_clock = std::move(clock);
  ResetFrameClock();
}

void cTimerManager::ResetFrameClock() {
  // There is no system-wide timer period to raise here, so the frame timer always uses the
  // high-resolution counter (as it would wherever the multimedia timer was unavailable).
  m_frame_timer = CreateTimer(m_period == 0, 0.0f);
  m_last_elapsed = 0.0;
  m_frame_delta = 0.0f;
  m_average = 0.0f;
  m_fps = 0;
  m_frame_count = 0;
  m_second_time = 0.0f;
}

void cTimerManager::UpdateFrameTime() {
  // The elapsed time is read once: reading it again for the next frame's start would drop the
  // time between the two reads.
  const double now = m_frame_timer->GetElapsedSeconds();
  float dt = static_cast<float>(now - m_last_elapsed);
  m_last_elapsed = now;

  ++m_frame_count;
  m_second_time += dt;
  if (m_second_time >= 1.0f) {
    m_fps = m_frame_count;
    m_frame_count = 0;
    m_second_time -= 1.0f;
  }

  dt = std::clamp(dt, kMinFrameDelta, kMaxFrameDelta);
  if (m_smoothing) {
    if (m_average < 0.0001f) m_average = dt;
    m_average = 0.1f * (9.0f * m_average + dt);
    m_frame_delta = std::min(m_average, 1.25f * dt);
  } else {
    m_frame_delta = dt;
  }
}
