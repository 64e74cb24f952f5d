#include "source/shaders/ShaderHolder.h"

#include <cstdint>

#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"

namespace {
constexpr uint32_t kStages = 8;
}

void ShaderHolder::Apply() {
  RenderManager* manager = RenderManager::PeekInstance();
  if (manager == nullptr || manager->GetRenderSystem() == nullptr) return;
  for (uint32_t stage = 0; stage < kStages; ++stage) manager->GetRenderSystem()->UnbindTexture(stage);
}
