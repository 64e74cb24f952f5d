#pragma once
// A shader at run time: a copy of its descriptor and, per stage, the texture combined from the
// stage's diffuse and opacity names (shared through the combined-texture cache). Applying it with a
// descriptor (the drawable's own animated copy) sets blending, stage textures, filters, addressing
// and texture transforms on the render system.

#include <optional>

#include "source/shaders/ShaderDescriptor.h"
#include "source/texture/TextureHandle.h"

class RenderSystem;

class Shader {
 public:
  explicit Shader(const ShaderDescriptor& descriptor);
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;
  virtual ~Shader() = default;

  // Every frame of a stage shows the stage's one texture; a stage without one, or a frame beyond
  // the stage's frames, leaves its texture stage unbound. Stages from the descriptor's count up to
  // 7 are unbound.
  void Apply(RenderSystem& render_system, const ShaderDescriptor& descriptor) const;
  void Apply(RenderSystem& render_system) const { Apply(render_system, m_descriptor); }

  const ShaderDescriptor& GetDescriptor() const { return m_descriptor; }
  // The texture of a stage; null when it has none.
  const TextureHandle* GetStageTexture(uint32_t stage) const;
  // Builds on the device at most `most` of the stages' textures that are not there yet; how many.
  uint32_t BuildTextures(uint32_t most) const;

 private:
  ShaderDescriptor m_descriptor;
  std::optional<TextureHandle> m_textures[kMaxShaderStages];
};
