// The change from the logos to the main menu, on OpenGL: the game started as its entry starts it
// runs frames, unpaced, until the logos have ended by themselves, and the longest frame in the 60
// frames around that change (30 each side) is measured, beside the median frame of the same
// frames. A long frame there is the pause the player sees where the logos end. The logos fade on
// the engine's frame clock, which follows the real clock, so the wait is bounded by that clock and
// not by a count of frames: an idle machine runs many more frames behind the logos than a loaded
// one. Counters: median_ms, the frames behind the logos, and the peak resident size.

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
#include "source/timer/cTimerManager.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kFramesEachSide = 30;
constexpr double kMostLogoSeconds = 60.0;  // on the logos' own clock: they last seconds, not a minute

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
    double logo_seconds = 0;  // what the logos' fades have been given
    while (logos->IsVisible() && logo_seconds < kMostLogoSeconds) {
      before.push_back(TimedFrame());
      if (before.size() > kFramesEachSide) before.pop_front();
      ++logo_frames;
      logo_seconds += cTimerManager::GetInstance()->GetFrameDelta();
    }
    const bool ended = !logos->IsVisible();
    std::vector<double> second(before.begin(), before.end());
    for (int i = 0; ended && i < kFramesEachSide; ++i) second.push_back(TimedFrame());
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
