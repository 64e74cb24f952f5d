#pragma once
// Keeps the main loop from drawing faster than the display shows. Where presenting does not wait
// for the display (a virtual display, a driver without vertical sync, or vertical sync switched
// off), the loop waits for the next frame time of the display's refresh rate instead of spinning;
// where it does wait, the frame has taken its time already and nothing more is waited. Frame times
// lie on a grid of refresh periods, so a wait that ends late is made up by the next one; a frame
// late by a whole period starts the grid again rather than hurrying the next ones. Any window
// message ends the wait at once, so closing and typing are taken promptly.

#include <cstdint>
#include <functional>

class cFramePacer {
 public:
  // Frames a second when the display does not tell its refresh rate, or tells one outside
  // kMinRefreshRate..kMaxRefreshRate.
  static constexpr int kDefaultRefreshRate = 60;
  static constexpr int kMinRefreshRate = 24;
  static constexpr int kMaxRefreshRate = 500;

  // Nanoseconds now (monotonic); waits up to the given milliseconds for a window message and
  // answers whether one came; the display's refresh rate (0 when unknown).
  using Clock = std::function<uint64_t()>;
  using Wait = std::function<bool(uint32_t)>;
  using RefreshRate = std::function<int()>;

  // The performance counter, the window service's wait and the desktop's refresh rate.
  cFramePacer();
  cFramePacer(Clock clock, Wait wait, RefreshRate refresh_rate);

  // Called once a frame has been presented: waits, in whole milliseconds, until the next frame
  // time or a message; the next frame begins when this returns.
  void WaitForNextFrame();

  // Nanoseconds a frame at `refresh_rate` frames a second (the default rate for one out of range).
  static uint64_t Period(int refresh_rate);

 private:
  Clock m_clock;
  Wait m_wait;
  RefreshRate m_refresh_rate;
  bool m_started = false;
  uint64_t m_next_frame = 0;  // the next frame time, nanoseconds
};
