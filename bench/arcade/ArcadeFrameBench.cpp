// One frame of each arcade mini-game on the headless device, the game's own built data mounted: the
// update pass (input, the GUI's dispatch and the game's logic) and the render pass. The food machine
// with coins in flight, the slingshot with a stone flying, the break window with a stone in the air.
// Goal: under 0.1 ms a frame.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "bench/support/gui/HeadlessGui.h"
#include "gui/include/GUISystem.h"
#include "platform/input/Backend.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/os/os.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceLocation.h"
#include "source/input/cInput.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/sound/cSoundResource.h"
#include "source/timer/cTimerManager.h"
#include "tests/source/timer/FakeClock.h"

namespace {

class ArcadeStage {
 public:
  explicit ArcadeStage(const std::string& game) {
    GUIWindow* user = StartHeadlessGui(1024, 768);
    cTimerManager::GetInstance()->SetClock(m_clock);
    cInput::GetInstance()->InitInput();
    cSoundManager::GetInstance()->GetDevice().StopThread();
    RegisterSoundResourceType();
    for (const char* group : {"data", "localization"}) {
      m_groups.push_back(std::make_unique<cResourceLocation>(group, os::ExecutableDirectory()));
      m_groups.back()->Mount();
    }
    m_game.reset(CreateMiniGame(user, game));
    m_game->Start();
  }
  ~ArcadeStage() {
    m_game.reset();
    StopHeadlessGui();
    m_groups.clear();
  }

  void Frame() {
    m_clock->Advance(0.02f);
    cTimerManager::GetInstance()->UpdateFrameTime();
    cInput::GetInstance()->UpdateInput();
    if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Update();
    GUISystem::GetInstance()->Update();
    m_game->UpdatePause();
    RenderManager::GetInstance()->RenderFrame();
  }
  MiniGame& Game() { return *m_game; }

 private:
  std::shared_ptr<FakeClock> m_clock = std::make_shared<FakeClock>();
  std::vector<std::unique_ptr<cResourceLocation>> m_groups;
  std::unique_ptr<MiniGame> m_game;
};

// Frames until the game works, then `warm` more with the left button held for `hold` of them.
void Warm(ArcadeStage& stage, int warm, int hold) {
  for (int i = 0; i < 200 && stage.Game().GetState() != GUIStateWindow::kWorking; ++i) stage.Frame();
  for (int i = 0; i < 20; ++i) stage.Frame();  // the mouse hold-off
  window::headless::SetMousePosition(515, 300);
  stage.Frame();  // the GUI's cursor takes the pointer in this frame, before any press
  for (int i = 0; i < warm; ++i) {
    input::headless::SetMouseButton(input::kButtonLeft, i < hold);
    stage.Frame();
  }
}

void RunFrames(benchmark::State& state, ArcadeStage& stage) {
  for (auto _ : state) stage.Frame();
  if (stage.Game().GetResult() != "wait") state.SkipWithError(("the game ended during the run: " + stage.Game().GetResult()).c_str());
}

void BM_FoodMachineFrame(benchmark::State& state) {
  ArcadeStage stage("foodmachine");
  Warm(stage, 200, 0);  // the first coin is in the air
  RunFrames(state, stage);
}
BENCHMARK(BM_FoodMachineFrame)->Unit(benchmark::kMicrosecond);

void BM_SlingshotFrame(benchmark::State& state) {
  ArcadeStage stage("slingshot");
  Warm(stage, 3, 2);
  RunFrames(state, stage);
}
BENCHMARK(BM_SlingshotFrame)->Unit(benchmark::kMicrosecond);

void BM_BreakWindowFrame(benchmark::State& state) {
  ArcadeStage stage("break_window");
  Warm(stage, 30, 25);
  RunFrames(state, stage);
}
BENCHMARK(BM_BreakWindowFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
