#pragma once
// How a particle system is drawn: a fixed pool of sprites turned, once a frame, into camera-facing
// textured quads of one "sprites" model, drawn as one render object. Sprites of greater depth come
// first when the instance sorts by depth; else they keep their pool order.

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/core/CountedPtr.h"
#include "source/math/Vector.h"
#include "source/texture/TextureResource.h"

class CameraHandle;
class Model;
class RenderObject;

struct ParticleSprite {
  bool dead = true;  // dead or unused
  float depth = 0.0f;
  Vector3 position;
  float size = 0.0f;      // half the quad's side
  float rotation = 0.0f;  // radians, about the view axis
  Vector4 color;          // RGBA
};

inline constexpr uint32_t kNoSprite = 0xFFFFFFFFu;

class ParticleSystemInstance {
 public:
  // `count` sprites (at most kMaxParticles), drawn with the texture through `camera`.
  ParticleSystemInstance(uint32_t count, const cResourcePtr<TextureResource>& texture, CameraHandle* camera,
                         bool sort_by_depth);
  ~ParticleSystemInstance();
  ParticleSystemInstance(const ParticleSystemInstance&) = delete;
  ParticleSystemInstance& operator=(const ParticleSystemInstance&) = delete;

  // A free sprite made live there (rotation 0); kNoSprite when every sprite is in use.
  uint32_t AddSprite(const Vector3& position, float size, const Vector4& color);
  // Marks the sprite dead and frees its index (an index that is not live is ignored).
  void KillSprite(uint32_t index);
  ParticleSprite* GetSprite(uint32_t index) { return index < m_sprites.size() ? &m_sprites[index] : nullptr; }

  // Rebuilds the quads of the live sprites, when the render object is visible.
  void Render();

  RenderObject* GetRenderObject() const { return m_object.get(); }
  uint32_t GetSpriteCount() const { return static_cast<uint32_t>(m_sprites.size()); }
  // The sprites drawn this frame, in drawing order, and their centre.
  const std::vector<const ParticleSprite*>& GetDrawList() const { return m_draw_list; }
  const Vector3& GetCentre() const { return m_centre; }
  bool GetSortByDepth() const { return m_sort_by_depth; }
  void SetSortByDepth(bool sort) { m_sort_by_depth = sort; }

 private:
  struct Axes {
    Vector3 right{1.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 view{0.0f, 0.0f, 1.0f};
    Vector3 eye;
  };
  Axes CameraAxes() const;
  void WriteQuads(const Axes& axes);

  std::vector<ParticleSprite> m_sprites;
  std::deque<uint32_t> m_free;
  std::vector<const ParticleSprite*> m_draw_list;
  CountedPtr<Model> m_model;
  std::unique_ptr<RenderObject> m_object;
  bool m_sort_by_depth;
  Vector3 m_centre;
};
