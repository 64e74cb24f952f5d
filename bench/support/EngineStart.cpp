#include "bench/support/EngineStart.h"

#include <cstdlib>

#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"

namespace {

void StartAfresh(bool headless) {
  setenv("VELMARIS_HEADLESS", headless ? "1" : "0", 1);
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  if (headless) gfx::headless::Reset();
  cProperties::GetInstance()->SetValue("log", "false");
  g_render_settings.fullscreen = false;
}

}  // namespace

OpenGlEngine::OpenGlEngine() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  StartAfresh(false);
}

OpenGlEngine::~OpenGlEngine() {
  StopEngine();
  setenv("VELMARIS_HEADLESS", "1", 1);
}

RenderManager* OpenGlEngine::Start(int width, int height, std::string& error) {
  if (!Retry([&] { return window::Initialize() && window::CreateMainWindow("Velmaris", width, height); })) {
    error = "no window";
    return nullptr;
  }
  g_render_settings.vsync = false;
  g_render_settings.width = width;
  g_render_settings.height = height;
  RenderManager* manager = RenderManager::GetInstance();
  if (!manager->IsStarted()) {
    error = "no GL device";
    return nullptr;
  }
  return manager;
}

bool OpenGlEngine::Retry(const std::function<bool()>& open) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    window::Shutdown();
    if (open()) return true;
  }
  return false;
}

RenderManager* StartHeadlessEngine(int client_width, int client_height) {
  StartAfresh(true);
  if (client_width > 0 && client_height > 0) {
    window::CreateMainWindow("Velmaris", client_width, client_height);
    window::headless::SetClientSize(client_width, client_height);
  } else {
    window::CreateMainWindow("Velmaris");
  }
  return RenderManager::GetInstance();
}

void StopEngine() {
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
}
