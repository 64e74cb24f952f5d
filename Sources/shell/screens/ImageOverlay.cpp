#include "Sources/shell/screens/ImageOverlay.h"

#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "source/texture/TextureHandle.h"

namespace {

// The engine's blend codes (as shader files store them): source alpha over its inverse.
constexpr uint32_t kBlendSourceAlpha = 4;
constexpr uint32_t kBlendInverseSourceAlpha = 5;

}  // namespace

ImageOverlay::ImageOverlay() {
  for (uint32_t i = 0; i < 4; ++i) {
    Vertex* vertex = GetVertices()->GetVertex(i);
    vertex->v = 1.0f - vertex->v;
  }
}

bool ImageOverlay::SetTexture(const std::string& name) {
  cResourcePtr<TextureResource> texture;
  if (!texture.Assign(name) || texture->GetHandle() == nullptr || texture->GetHandle()->GetTexture() == nullptr) {
    return false;
  }
  m_texture = texture;
  return true;
}

bool ImageOverlay::HidesWhatIsBeneath() const { return !m_texture && GetColor().w >= 1.0f && CoversScreen(); }

void ImageOverlay::Draw() {
  if (GetColor().w > 0.0f) OverlayQuad::Draw();
}

void ImageOverlay::BindTexture() {
  RenderManager* manager = RenderManager::PeekInstance();
  RenderSystem* system = manager != nullptr ? manager->GetRenderSystem() : nullptr;
  if (system == nullptr) return;
  system->SetZEnable(false);
  system->SetAlphaBlendEnable(true);
  system->SetBlend(kBlendSourceAlpha, kBlendInverseSourceAlpha);
  if (m_texture && m_texture->GetHandle() != nullptr && m_texture->GetHandle()->GetTexture() != nullptr) {
    m_texture->GetHandle()->GetTexture()->Bind(0);
  } else {
    system->UnbindTexture(0);
  }
}
