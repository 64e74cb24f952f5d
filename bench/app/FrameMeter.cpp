#include "bench/app/FrameMeter.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

FrameRound RunFrames(const std::function<void()>& frame, int settle, int frames) {
  using Clock = std::chrono::steady_clock;
  const auto period = std::chrono::microseconds(16667);
  FrameRound round;
  round.frame_ms.reserve(static_cast<std::size_t>(frames));
  round.main_ms.reserve(static_cast<std::size_t>(frames));
  auto next = Clock::now();
  double cpu = 0;
  Clock::time_point start;
  for (int n = 0; n < settle + frames; ++n) {
    if (n == settle) {
      cpu = ProcessCpuSeconds();
      start = Clock::now();
    }
    const auto begun = Clock::now();
    const double begun_cpu = ThreadCpuMs();
    frame();
    const double main_ms = ThreadCpuMs() - begun_cpu;
    const auto now = Clock::now();
    if (n >= settle) {
      round.frame_ms.push_back(std::chrono::duration<double, std::milli>(now - begun).count());
      round.main_ms.push_back(main_ms);
    }
    next += period;
    if (next > now) {
      std::this_thread::sleep_until(next);
    } else {
      next = now;  // late: the next frame starts at once, as the game's pacer does
    }
  }
  round.wall_s = std::chrono::duration<double>(Clock::now() - start).count();
  round.cpu_s = ProcessCpuSeconds() - cpu;
  return round;
}

FrameFigures Summarise(const std::vector<FrameRound>& rounds) {
  std::vector<double> all, main;
  double wall = 0, cpu = 0;
  for (const FrameRound& r : rounds) {
    all.insert(all.end(), r.frame_ms.begin(), r.frame_ms.end());
    main.insert(main.end(), r.main_ms.begin(), r.main_ms.end());
    wall += r.wall_s;
    cpu += r.cpu_s;
  }
  FrameFigures figures;
  if (all.empty() || wall <= 0) return figures;
  figures.frame_ms = Median(all);
  figures.main_ms = Median(main);
  figures.fps = figures.frame_ms > 0 ? 1000.0 / figures.frame_ms : 0;
  figures.paced_fps = static_cast<double>(all.size()) / wall;
  figures.cores = cpu / wall;
  figures.cpu_ms_frame = cpu * 1000.0 / static_cast<double>(all.size());
  return figures;
}

FrameFigures MeasureFrames(const std::function<void()>& frame, int settle, int frames) {
  return Summarise({RunFrames(frame, settle, frames)});
}

Ratio RoundRatio(const std::vector<FrameRound>& program, const std::vector<FrameRound>& reference) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < std::min(program.size(), reference.size()); ++i) {
    const double mine = Median(program[i].frame_ms), theirs = Median(reference[i].frame_ms);
    if (mine > 0 && theirs > 0) ratios.push_back(theirs / mine);
  }
  Ratio ratio;
  if (ratios.empty()) return ratio;
  std::sort(ratios.begin(), ratios.end());
  ratio.median = ratios.size() % 2 == 1 ? ratios[ratios.size() / 2]
                                        : (ratios[ratios.size() / 2 - 1] + ratios[ratios.size() / 2]) / 2;
  const std::size_t cut = ratios.size() >= 4 ? 1 : 0;
  ratio.spread = (ratios[ratios.size() - 1 - cut] - ratios[cut]) / 2;
  return ratio;
}
