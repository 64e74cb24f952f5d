#pragma once
// The render object that draws a particle system's sprites. Without a shader of its own it draws
// them with the system's texture, alpha-blended by each sprite's colour; a shader given to its
// holder takes over. Its bounds are those of the quads built each frame.

#include "source/Resources/cResourcePtr.h"
#include "source/render/RenderObject.h"
#include "source/texture/TextureResource.h"

class ParticleRenderObject : public RenderObject {
 public:
  ParticleRenderObject(const CountedPtr<Model>& model, CameraHandle* camera,
                       const cResourcePtr<TextureResource>& texture)
      : RenderObject(model, camera, 0), m_texture(texture) {}

  // The quads set the bounds themselves, once a frame.
  void MarkBoundsForRefresh() override {}
  // Its sprites blend: they hide nothing beneath them.
  ScreenCover MeasureScreenCover(uint32_t client_width, uint32_t client_height) const override {
    ScreenCover cover = RenderObject::MeasureScreenCover(client_width, client_height);
    cover.opaque = PixelRect{};
    return cover;
  }

 protected:
  void ApplyShader() override;

 private:
  cResourcePtr<TextureResource> m_texture;
};
