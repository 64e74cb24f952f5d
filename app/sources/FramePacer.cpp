#include "app/sources/FramePacer.h"

#include <utility>

#include "platform/os/os.h"
#include "platform/window/window.h"

namespace {

constexpr uint64_t kNanosecondsPerSecond = 1000000000;
constexpr uint64_t kNanosecondsPerMillisecond = 1000000;

}  // namespace

cFramePacer::cFramePacer()
    : cFramePacer(&os::PerformanceCounter, &window::WaitMessageTimeout,
                  [] { return window::GetDesktopMode().refresh_rate; }) {}

cFramePacer::cFramePacer(Clock clock, Wait wait, RefreshRate refresh_rate)
    : m_clock(std::move(clock)), m_wait(std::move(wait)), m_refresh_rate(std::move(refresh_rate)) {}

uint64_t cFramePacer::Period(int refresh_rate) {
  if (refresh_rate < kMinRefreshRate || refresh_rate > kMaxRefreshRate) refresh_rate = kDefaultRefreshRate;
  return kNanosecondsPerSecond / static_cast<uint64_t>(refresh_rate);
}

void cFramePacer::WaitForNextFrame() {
  const uint64_t period = Period(m_refresh_rate());
  const uint64_t now = m_clock();
  // The first frame, one late by a whole period, or a clock that went back: a new grid from now.
  // (A wait in whole milliseconds ends up to one early, so the next frame time may lie a little
  // more than a period ahead.)
  if (!m_started || now >= m_next_frame + period || m_next_frame > now + 2 * period) {
    m_started = true;
    m_next_frame = now + period;
    return;
  }
  if (now < m_next_frame) {
    const auto wait = static_cast<uint32_t>((m_next_frame - now) / kNanosecondsPerMillisecond);
    // Cut short by a message: the frame that takes it runs at once, and the one after it keeps the
    // frame time this wait was for.
    if (wait > 0 && m_wait(wait)) return;
  }
  m_next_frame += period;
}
