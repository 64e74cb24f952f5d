#pragma once
// The engine and a bare reference draw in turn, a slice of frames each, so that whatever else the
// machine does weighs on both alike; each slice is timed from its first frame until everything it
// drew is on the screen.

#include <time.h>

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/render/QuadScene.h"

inline constexpr int kSliceFrames = 20;

inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The wall time of a slice, up to glFinish after its last frame, and what the calling thread
// spent of it (llvmpipe's own threads apart).
struct SliceTime {
  double wall = 0;
  double cpu = 0;
  void operator+=(const SliceTime& other) {
    wall += other.wall;
    cpu += other.cpu;
  }
};

template <class Draw>
SliceTime TimeSlice(Draw draw, bool finish_each) {
  const double cpu = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  for (int frame = 0; frame < kSliceFrames; ++frame) {
    draw();
    if (finish_each) FinishGl();
  }
  FinishGl();
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  return SliceTime{wall.count(), ThreadCpuSeconds() - cpu};
}

// Both frame rates, "of_bare" (the engine's frame rate as a share of the reference's) and the
// drawing thread's own milliseconds a frame on each side, over the benchmark's slices.
inline void ReportSlices(benchmark::State& state, const SliceTime& engine, const SliceTime& reference) {
  const double frames = static_cast<double>(state.iterations()) * kSliceFrames;
  state.counters["fps"] = frames / engine.wall;
  state.counters["bare_fps"] = frames / reference.wall;
  state.counters["of_bare"] = reference.wall / engine.wall;
  state.counters["cpu_ms"] = engine.cpu * 1000.0 / frames;
  state.counters["bare_cpu_ms"] = reference.cpu * 1000.0 / frames;
}
