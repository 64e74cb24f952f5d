#include "bench/app/FrameMeter.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

FrameFigures MeasureFrames(const std::function<void()>& frame, int settle, int frames) {
  using Clock = std::chrono::steady_clock;
  const auto period = std::chrono::microseconds(16667);
  std::vector<double> busy;
  busy.reserve(static_cast<std::size_t>(frames));
  auto next = Clock::now();
  double cpu = 0;
  Clock::time_point start;
  for (int n = 0; n < settle + frames; ++n) {
    if (n == settle) {
      cpu = ProcessCpuSeconds();
      start = Clock::now();
    }
    const auto begun = Clock::now();
    frame();
    const auto now = Clock::now();
    if (n >= settle) busy.push_back(std::chrono::duration<double, std::milli>(now - begun).count());
    next += period;
    if (next > now) {
      std::this_thread::sleep_until(next);
    } else {
      next = now;  // late: the next frame starts at once, as the game's pacer does
    }
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double used = ProcessCpuSeconds() - cpu;
  FrameFigures figures;
  if (busy.empty() || wall <= 0) return figures;
  std::nth_element(busy.begin(), busy.begin() + static_cast<std::ptrdiff_t>(busy.size() / 2), busy.end());
  figures.frame_ms = busy[busy.size() / 2];
  figures.fps = figures.frame_ms > 0 ? 1000.0 / figures.frame_ms : 0;
  figures.paced_fps = frames / wall;
  figures.cores = used / wall;
  figures.cpu_ms_frame = used * 1000.0 / frames;
  return figures;
}
