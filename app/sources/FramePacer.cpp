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

uint32_t cFramePacer::WaitMilliseconds(uint64_t frame_start, uint64_t now, int refresh_rate) {
  if (refresh_rate < kMinRefreshRate || refresh_rate > kMaxRefreshRate) refresh_rate = kDefaultRefreshRate;
  const uint64_t period = kNanosecondsPerSecond / static_cast<uint64_t>(refresh_rate);
  // A clock that went back counts as a frame that just began.
  const uint64_t elapsed = now >= frame_start ? now - frame_start : 0;
  if (elapsed >= period) return 0;
  return static_cast<uint32_t>((period - elapsed) / kNanosecondsPerMillisecond);
}

void cFramePacer::WaitForNextFrame() {
  uint64_t now = m_clock();
  if (m_started) {
    const uint32_t wait = WaitMilliseconds(m_frame_start, now, m_refresh_rate());
    if (wait > 0) {
      m_wait(wait);
      now = m_clock();
    }
  }
  m_started = true;
  m_frame_start = now;
}
