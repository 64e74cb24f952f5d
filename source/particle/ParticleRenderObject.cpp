#include "source/particle/ParticleRenderObject.h"

#include "platform/gfx/StateNumbers.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"

void ParticleRenderObject::ApplyShader() {
  ShaderHolder& holder = GetShaderHolder();
  if (holder.GetShader()) {
    holder.Apply();
    return;
  }
  RenderManager* manager = RenderManager::PeekInstance();
  RenderSystem* rs = manager != nullptr ? manager->GetRenderSystem() : nullptr;
  if (rs == nullptr) return;
  rs->SetAlphaBlendEnable(true);
  rs->SetBlend(gfx::kBlendCodeSourceAlpha, gfx::kBlendCodeInverseSourceAlpha);
  const TextureHandle* handle = m_texture ? m_texture->GetHandle() : nullptr;
  if (handle != nullptr && handle->GetTexture() != nullptr) {
    handle->GetTexture()->Bind(0);
  } else {
    rs->UnbindTexture(0);
  }
  rs->SetTextureFilter(0, 1);
  rs->SetTextureAddressU(0, false);
  rs->SetTextureAddressV(0, false);
  rs->SetTransform(0, Matrix4());
  for (uint32_t stage = 1; stage < gfx::kMaxTextureStages; ++stage) rs->UnbindTexture(stage);
}
