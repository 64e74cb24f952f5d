#include "bench/support/app/GameStart.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Sources/adventure/LocationResource.h"
#include "Sources/shell/AdventureGame.h"
#include "app/sources/FramePasses.h"
#include "app/sources/GuiConnection.h"
#include "app/sources/VelmarisMain.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUISystem.h"
#include "platform/gfx/Backend.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceManager.h"
#include "source/core/Singleton.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderSettings.h"

namespace fs = std::filesystem;

BenchUserFolder::BenchUserFolder() {
  char pattern[] = "/tmp/velmaris-bench-XXXXXX";
  const char* made = mkdtemp(pattern);
  path = made != nullptr ? made : "";
}

BenchUserFolder::~BenchUserFolder() {
  std::error_code ignored;
  if (!path.empty()) fs::remove_all(path, ignored);
}

std::string BenchExeDirectory() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

bool GameDataBuilt() { return fs::is_directory(fs::path(BenchExeDirectory()) / "data"); }

bool PrepareGameBench(benchmark::State& state, bool headless) {
  if (!GameDataBuilt()) {
    state.SkipWithError("the game's data is not built beside the benchmark");
    return false;
  }
  UseBackend(headless);
  return true;
}

void UseBackend(bool headless) {
  setenv("VELMARIS_HEADLESS", headless ? "1" : "0", 1);
  if (!headless && getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

bool StartGame(const std::string& users, bool vsync) {
  cProperties& properties = *cProperties::GetInstance();
  properties.SetValue("short_name", "tarvel");
  properties.SetValue("application_name", "Velmaris");
  properties.SetValue("log", "false");
  properties.SetUserFolder(users);
  properties.SetValue("engine_directory", users);
  properties.SetValue("exe_directory", BenchExeDirectory());
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = vsync;
  cApplication* application = cApplication::GetInstance();
  application->SetInstanceLockFolder(users);
  if (!application->Create("Velmaris")) return false;
  if (!StartEngineServices(*application)) return false;
  // The program's location scripts, as its start registers them.
  RegisterLocationResourceType();
  cResourceManager::GetInstance()->RegisterResourceExtension("cnf", LocationResource::kTypeName);
  SetCurrentDir(BenchExeDirectory());
  for (const char* group : {"data", "localization", "fsdata", "splash"}) cResourceManager::GetInstance()->AddDirectory(group);
  GUISystem::GetInstance()->Init();
  if (GameInstance() == nullptr) return false;
  UpdateFrame(0.016f);
  RenderFrame();
  return true;
}

double ProcessStatusMb(const char* key) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, key, std::strlen(key)) == 0) kb = std::strtol(line + std::strlen(key), nullptr, 10);
  }
  std::fclose(status);
  return static_cast<double>(kb) / 1024.0;
}

void StopGame() {
  DisconnectGui();
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
}
