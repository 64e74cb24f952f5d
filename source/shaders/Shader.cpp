#include "source/shaders/Shader.h"

#include "platform/gfx/StateNumbers.h"
#include "source/math/Matrix4.h"
#include "source/render/RenderSystem.h"
#include "source/shaders/CombinedTextures.h"

namespace {

constexpr uint32_t kFilterLinear = 1;
constexpr uint32_t kFilterMipMapped = 2;

}  // namespace

Shader::Shader(const ShaderDescriptor& descriptor) : m_descriptor(descriptor) {
  for (uint32_t i = 0; i < m_descriptor.GetStageCount(); ++i) {
    const ShaderStage& stage = m_descriptor.GetStage(i);
    if (stage.flags & kStageNoTexture) continue;
    if (const TextureHandle* texture = GetCombinedTexture(stage.diffuse, stage.opacity, stage.flags & kStageMipMap)) {
      m_textures[i] = *texture;
    }
  }
}

const TextureHandle* Shader::GetStageTexture(uint32_t stage) const {
  return stage < kMaxShaderStages && m_textures[stage] ? &*m_textures[stage] : nullptr;
}

uint32_t Shader::BuildTextures(uint32_t most) const {
  uint32_t built = 0;
  for (const std::optional<TextureHandle>& texture : m_textures) {
    if (built >= most) break;
    if (texture && texture->GetTexture() != nullptr && texture->GetTexture()->BuildOnDevice()) ++built;
  }
  return built;
}

void Shader::Apply(RenderSystem& rs, const ShaderDescriptor& d) const {
  if (d.m_flags & kShaderBlend) {
    rs.SetAlphaBlendEnable(true);
    rs.SetBlend(d.m_source_blend, d.m_dest_blend);
  } else {
    rs.SetAlphaBlendEnable(false);
  }
  const uint32_t count = d.GetStageCount() < kMaxShaderStages ? d.GetStageCount() : kMaxShaderStages;
  for (uint32_t i = 0; i < count; ++i) {
    const ShaderStage& stage = d.GetStage(i);
    const TextureHandle* texture = GetStageTexture(i);
    // A copy may show any frame of the stage (the frames all hold its one texture); anything else
    // is no frame of it.
    const uint32_t frames = stage.frame_count > 0 ? stage.frame_count : 1;
    if (texture != nullptr && texture->GetTexture() != nullptr && stage.current_frame < frames) {
      texture->GetTexture()->Bind(i);
    } else {
      rs.UnbindTexture(i);
    }
    rs.SetTextureFilter(i, (stage.flags & kStageMipMap) ? kFilterMipMapped : kFilterLinear);
    rs.SetTextureAddressU(i, stage.address_u != kAddressClamp);
    rs.SetTextureAddressV(i, stage.address_v != kAddressClamp);
    Matrix4 transform;
    transform.m[0] = stage.scale.x;
    transform.m[5] = stage.scale.y;
    transform.m[8] = stage.offset.x;
    transform.m[9] = stage.offset.y;
    rs.SetTransform(i, transform);
  }
  for (uint32_t i = count; i < gfx::kMaxTextureStages; ++i) rs.UnbindTexture(i);
}
