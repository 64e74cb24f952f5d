#include "tests/e2e/scene/SceneObject.h"

#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"

void SceneObject::ApplyShader() {
  if (!m_picture) {
    RenderObject::ApplyShader();
    return;
  }
  RenderSystem* render_system = RenderManager::GetInstance()->GetRenderSystem();
  render_system->SetAlphaBlendEnable(m_blended);
  render_system->SetBlend(4, 5);  // source alpha, its inverse
  render_system->SetTextureFilter(0, 1);
  render_system->SetTextureAddressU(0, false);
  render_system->SetTextureAddressV(0, false);
  m_picture->GetHandle()->GetTexture()->Bind(0);
}
