#include "source/timer/cTimer.h"

#include <algorithm>
#include <cmath>
#include <utility>

cTimer::cTimer(bool high_resolution, std::shared_ptr<TimerClock> clock)
    : m_high_resolution(high_resolution), m_clock(std::move(clock)) {
  m_frequency = m_high_resolution ? m_clock->Frequency() : 1000;
  if (m_frequency == 0) m_frequency = 1;
  m_start = Now();
}

uint64_t cTimer::Now() const { return m_high_resolution ? m_clock->Counter() : m_clock->TickCount(); }

void cTimer::Start(float seconds) {
  const double counts = std::max(0.0, static_cast<double>(seconds)) * static_cast<double>(m_frequency);
  m_paused = false;
  m_start = Now() - static_cast<uint64_t>(std::llround(counts));
  if (!m_high_resolution) m_start &= 0xFFFFFFFFu;
}

void cTimer::Pause() {
  if (m_paused) return;
  m_stop = Now();
  m_paused = true;
}

void cTimer::Resume() {
  if (!m_paused) return;
  // Move the start on by the paused time, so the timer goes on from where it stopped.
  m_start += Now() - m_stop;
  if (!m_high_resolution) m_start &= 0xFFFFFFFFu;
  m_paused = false;
}

double cTimer::GetElapsedSeconds() const {
  const uint64_t end = m_paused ? m_stop : Now();
  uint64_t counts = end - m_start;
  // The tick count is 32-bit: the difference is taken modulo 2^32.
  if (!m_high_resolution) counts &= 0xFFFFFFFFu;
  return static_cast<double>(counts) / static_cast<double>(m_frequency);
}
