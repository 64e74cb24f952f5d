#pragma once
// A render object of the scene driver that keeps a fixed layer depth and textures itself: it binds
// its picture to stage 0 (with alpha blending for pictures with alpha), or, without a picture,
// applies the shader its holder was given.

#include "source/Resources/cResourcePtr.h"
#include "source/render/RenderObject.h"
#include "source/texture/TextureResource.h"

class SceneObject : public RenderObject {
 public:
  SceneObject(const CountedPtr<Model>& model, CameraHandle* camera, const cResourcePtr<TextureResource>& picture,
              float depth, bool blended)
      : RenderObject(model, camera, kRenderObjectNoDepth), m_picture(picture), m_depth(depth), m_blended(blended) {}

  void Update(bool cull) override {
    RenderObject::Update(cull);
    m_view_depth = m_depth;  // GUI objects draw farthest first
  }
  // With a picture of its own it textures itself, so its holder's shader cannot tell its opacity.
  ScreenCover MeasureScreenCover(uint32_t client_width, uint32_t client_height) const override {
    ScreenCover cover = RenderObject::MeasureScreenCover(client_width, client_height);
    if (m_picture && m_blended) cover.opaque = PixelRect{};
    return cover;
  }

 protected:
  void ApplyShader() override;

 private:
  cResourcePtr<TextureResource> m_picture;
  float m_depth;
  bool m_blended;
};
