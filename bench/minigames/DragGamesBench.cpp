// Frames of the drag and turn games on the headless device, with the game's own built data: one
// idle frame of each (update and render pass; goal under 0.1 ms), and a frame of the collect-details
// game with a piece dragged over the other 48 (goal under 0.2 ms).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "bench/support/EngineStart.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/os/os.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "source/input/cInput.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundResource.h"
#include "source/timer/cTimerManager.h"
#include "tests/source/timer/FakeClock.h"

namespace {

constexpr float kFrame = 0.02f;

// One game started and working on the headless engine, its data beside the program.
class RunningGame {
 public:
  explicit RunningGame(const std::string& name) {
    setenv("VELMARIS_HEADLESS", "1", 1);
    StartHeadlessEngine();
    window::headless::SetClientSize(1024, 768);
    cInput::GetInstance()->InitInput();
    cTimerManager::GetInstance()->SetClock(m_clock);
    cResourceManager::GetInstance();
    RegisterSoundResourceType();
    GUISystem* gui = GUISystem::GetInstance();
    gui->Init();
    gui->SetCameraSize(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight);
    m_data = std::make_unique<cResourceLocation>("data", os::ExecutableDirectory());
    m_ready = m_data->Mount();
    cSoundManager::GetInstance()->GetDevice().StopThread();
    m_game.reset(CreateMiniGame(GUIWindowManager::GetInstance()->GetWindow("user"), name));
    m_game->Start();
    for (int i = 0; i < 100 && (m_game->GetState() != GUIStateWindow::kWorking || m_game->GetMouseHoldOff() != 0); ++i) {
      Frame();
    }
    m_ready = m_ready && m_game->GetState() == GUIStateWindow::kWorking && m_game->GetChildren().size() > 1;
  }
  ~RunningGame() {
    m_game.reset();
    m_data.reset();
    StopEngine();
  }

  bool IsReady() const { return m_ready; }

  void Frame() {
    m_clock->Advance(kFrame);
    cTimerManager::GetInstance()->UpdateFrameTime();
    cInput::GetInstance()->UpdateInput();
    GUISystem::GetInstance()->Update();
    RenderManager::GetInstance()->RenderFrame();
  }

  // The pointer at GUI point (x, y), y upward.
  static void Point(float x, float y) {
    window::headless::SetMousePosition(static_cast<int>(x), static_cast<int>(GUISystem::kReferenceHeight - 1.0f - y));
  }

 private:
  std::shared_ptr<FakeClock> m_clock = std::make_shared<FakeClock>();
  std::unique_ptr<cResourceLocation> m_data;
  std::unique_ptr<MiniGame> m_game;
  bool m_ready = false;
};

void BM_IdleFrame(benchmark::State& state, const char* name) {
  RunningGame game(name);
  if (!game.IsReady()) return state.SkipWithError("the game did not start with its form");
  RunningGame::Point(1000.0f, 740.0f);
  for (auto _ : state) game.Frame();
}
BENCHMARK_CAPTURE(BM_IdleFrame, clock, "clock")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IdleFrame, circles, "circles")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IdleFrame, gridlock, "gridlock")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IdleFrame, collect_details, "collect_details")->Unit(benchmark::kMicrosecond);

// A loose piece of the left heap held and dragged to and fro over the board and the other pieces.
void BM_CollectDetailsDragFrame(benchmark::State& state) {
  RunningGame game("collect_details");
  if (!game.IsReady()) return state.SkipWithError("the game did not start with its form");
  RunningGame::Point(44.0f, 164.0f);
  game.Frame();
  input::headless::SetMouseButton(input::kButtonLeft, true);
  game.Frame();
  int step = 0;
  for (auto _ : state) {
    const float x = 44.0f + static_cast<float>(step % 200) * 3.0f;
    RunningGame::Point(x, 164.0f + static_cast<float>(step % 50));
    game.Frame();
    ++step;
  }
  input::headless::SetMouseButton(input::kButtonLeft, false);
}
BENCHMARK(BM_CollectDetailsDragFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
