// The game's start-up to its first drawn frame of the main menu (the entry's steps: window,
// render manager, sound, GUI, the data groups beside the benchmark, the game object with its
// menu and logo window, one update and one render pass), headless and on OpenGL (llvmpipe under
// the test display, or SDL's offscreen driver); then one menu frame's update and draw. The goal
// is under 0.5 s to the first frame and within 3x of BM_ReferenceBareSdlFirstFrame, and under
// 2 ms a menu frame on llvmpipe.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "app/sources/FramePasses.h"
#include "app/sources/GuiConnection.h"
#include "app/sources/VelmarisMain.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUISystem.h"
#include "platform/gfx/Backend.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceManager.h"
#include "source/core/Singleton.h"
#include "source/input/cInput.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/sound/cSoundManager.h"
#include "source/timer/cTimerManager.h"

namespace {

namespace fs = std::filesystem;

// A user folder of the benchmark's own, removed at the end.
struct BenchFolder {
  BenchFolder() {
    char pattern[] = "/tmp/velmaris-bench-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~BenchFolder() { fs::remove_all(path); }
  std::string path;
};

std::string ExeDirectory() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

void UseBackend(bool headless) {
  setenv("VELMARIS_HEADLESS", headless ? "1" : "0", 1);
  if (!headless && getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

// The entry's start-up up to the game object, then the first frame. False when a part is missing.
bool StartGame(const std::string& users) {
  cProperties& properties = *cProperties::GetInstance();
  properties.SetValue("short_name", "tarvel");
  properties.SetValue("application_name", "Velmaris");
  properties.SetValue("log", "false");
  properties.SetUserFolder(users);
  properties.SetValue("engine_directory", users);
  properties.SetValue("exe_directory", ExeDirectory());
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = false;
  cApplication* application = cApplication::GetInstance();
  if (!application->Create("Velmaris")) return false;
  cTimerManager::GetInstance();
  cInput::GetInstance()->InitInput();
  ConnectRenderWindow(*application);
  if (!RenderManager::GetInstance()->IsStarted()) return false;
  cSoundManager::GetInstance();
  GUISystem::GetInstance();
  ConnectGui(*application);
  SetCurrentDir(ExeDirectory());
  for (const char* group : {"data", "localization", "fsdata", "splash"}) cResourceManager::GetInstance()->AddDirectory(group);
  GUISystem::GetInstance()->Init();
  if (GameInstance() == nullptr) return false;
  UpdateFrame(0.016f);
  RenderFrame();
  return true;
}

void StopGame() {
  DisconnectGui();
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
}

void StartUp(benchmark::State& state, bool headless) {
  if (!fs::is_directory(fs::path(ExeDirectory()) / "data")) {
    state.SkipWithError("the game's data is not built beside the benchmark");
    return;
  }
  UseBackend(headless);
  for (auto _ : state) {
    BenchFolder users;
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
  BenchFolder users;
  if (!fs::is_directory(fs::path(ExeDirectory()) / "data") || !StartGame(users.path)) {
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
