// The game's start-up to its first drawn frame of the main menu (the entry's steps: window,
// render manager, sound, GUI, the data groups beside the benchmark, the game object with its
// menu and logo window, one update and one render pass), headless and on OpenGL (llvmpipe under
// the test display, or SDL's offscreen driver); then one menu frame's update and draw. The goal
// is under 0.5 s to the first frame and within 3x of BM_ReferenceBareSdlFirstFrame, and under
// 2 ms a menu frame on llvmpipe.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "app/sources/FramePasses.h"
#include "bench/support/app/GameStart.h"

namespace {

void StartUp(benchmark::State& state, bool headless) {
  if (!PrepareGameBench(state, headless)) return;
  for (auto _ : state) {
    BenchUserFolder users;
    if (!StartGame(users.path)) {
      state.SkipWithError("the game could not start here");
      StopGame();
      break;
    }
    state.PauseTiming();
    StopGame();
    state.ResumeTiming();
  }
  setenv("VELMARIS_HEADLESS", "1", 1);
}

void BM_StartUpToMenuFrameHeadless(benchmark::State& state) { StartUp(state, true); }
void BM_StartUpToMenuFrameOpenGL(benchmark::State& state) { StartUp(state, false); }

void MenuFrame(benchmark::State& state, bool headless) {
  UseBackend(headless);
  BenchUserFolder users;
  if (!GameDataBuilt() || !StartGame(users.path)) {
    state.SkipWithError("the game could not start here");
  } else {
    // The menu as the player sees it once the logos are over.
    if (LogoWindow* logos = GameInstance()->GetLogoWindow()) logos->Hide();
    for (int i = 0; i < 10; ++i) {
      UpdateFrame(0.016f);
      RenderFrame();
    }
    for (auto _ : state) {
      UpdateFrame(0.016f);
      RenderFrame();
    }
  }
  StopGame();
  setenv("VELMARIS_HEADLESS", "1", 1);
}

void BM_MenuFrameHeadless(benchmark::State& state) { MenuFrame(state, true); }
void BM_MenuFrameOpenGL(benchmark::State& state) { MenuFrame(state, false); }

BENCHMARK(BM_StartUpToMenuFrameHeadless)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartUpToMenuFrameOpenGL)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MenuFrameHeadless)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MenuFrameOpenGL)->Unit(benchmark::kMicrosecond);

}  // namespace
