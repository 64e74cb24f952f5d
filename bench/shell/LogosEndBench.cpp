// The change from the logos to the main menu, on OpenGL: the game started as its entry starts it
// runs frames at 60 a second of game time until the logos have ended by themselves, and the
// longest frame in the second around that change (half a second each side) is measured, beside
// the median frame of the same second. A long frame there is the pause the player sees where the
// logos end. Counters: median_ms, the frames behind the logos, and the peak resident size.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "app/sources/FramePasses.h"
#include "bench/support/app/GameStart.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kHalfSecondFrames = 30;
constexpr int kMostLogoFrames = 60 * 60;  // the logos last seconds, not a minute

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double TimedFrame() {
  const double start = NowMs();
  UpdateFrame(kFrameSeconds);
  RenderFrame();
  return NowMs() - start;
}

void BM_LogosToMenuLongestFrameOpenGL(benchmark::State& state) {
  if (!PrepareGameBench(state, false)) return;
  double median = 0;
  int logo_frames = 0;
  for (auto _ : state) {
    BenchUserFolder users;
    LogoWindow* logos = StartGame(users.path) ? GameInstance()->GetLogoWindow() : nullptr;
    if (logos == nullptr) {
      state.SkipWithError("the game could not start here, or shows no logos");
      StopGame();
      break;
    }
    std::deque<double> before;
    logo_frames = 0;
    while (logos->IsVisible() && logo_frames < kMostLogoFrames) {
      before.push_back(TimedFrame());
      if (before.size() > kHalfSecondFrames) before.pop_front();
      ++logo_frames;
    }
    const bool ended = !logos->IsVisible();
    std::vector<double> second(before.begin(), before.end());
    for (int i = 0; ended && i < kHalfSecondFrames; ++i) second.push_back(TimedFrame());
    StopGame();
    if (!ended) {
      state.SkipWithError("the logos did not end");
      break;
    }
    state.SetIterationTime(*std::max_element(second.begin(), second.end()) / 1000.0);
    std::nth_element(second.begin(), second.begin() + second.size() / 2, second.end());
    median = second[second.size() / 2];
  }
  state.counters["median_ms"] = median;
  state.counters["logo_frames"] = logo_frames;
  state.counters["peak_rss_mb"] = ProcessStatusMb("VmHWM:");
}

BENCHMARK(BM_LogosToMenuLongestFrameOpenGL)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
