#include "source/particle/ParticleSystemInstance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "source/camera/Camera_D3D7.h"
#include "source/math/Matrix4.h"
#include "source/model/Model.h"
#include "source/model/ModelFile.h"
#include "source/particle/ParticleFile.h"
#include "source/particle/ParticleRenderObject.h"
#include "source/render/ColorBytes.h"

namespace {

constexpr uint32_t kVerticesPerSprite = 4;
constexpr uint32_t kIndicesPerSprite = 6;
constexpr float kSmallestRotation = 1e-05f;

// The quads' fixed texture corners: bottom left, top left, bottom right, top right.
constexpr float kCornerU[kVerticesPerSprite] = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr float kCornerV[kVerticesPerSprite] = {0.0f, 1.0f, 0.0f, 1.0f};

void MakeQuads(Model& model, uint32_t count) {
  for (uint32_t k = 0; k < count; ++k) {
    const uint32_t b = kVerticesPerSprite * k;
    const uint32_t quad[kIndicesPerSprite] = {b, b + 1, b + 2, b + 2, b + 1, b + 3};
    for (uint32_t i = 0; i < kIndicesPerSprite; ++i) model.m_indices->SetIndex(kIndicesPerSprite * k + i, quad[i]);
    for (uint32_t i = 0; i < kVerticesPerSprite; ++i) {
      Vertex& v = *model.m_vertices->GetVertex(b + i);
      v = Vertex{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f, 0xFFFFFFFFu, kCornerU[i], kCornerV[i]};
    }
  }
}

bool Finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void Grow(Vector3& minimum, Vector3& maximum, const Vector3& p) {
  minimum = {std::min(minimum.x, p.x), std::min(minimum.y, p.y), std::min(minimum.z, p.z)};
  maximum = {std::max(maximum.x, p.x), std::max(maximum.y, p.y), std::max(maximum.z, p.z)};
}

}  // namespace

ParticleSystemInstance::ParticleSystemInstance(uint32_t count, const cResourcePtr<TextureResource>& texture,
                                               CameraHandle* camera, bool sort_by_depth)
    : m_sort_by_depth(sort_by_depth) {
  count = std::min(count, kMaxParticles);
  m_sprites.resize(count);
  for (uint32_t i = 0; i < count; ++i) m_free.push_back(i);
  m_draw_list.reserve(count);
  m_model.Reset(new Model("sprites", kVerticesPerSprite * count, kIndicesPerSprite * count, kModelTriangleList));
  MakeQuads(*m_model, count);
  m_model->m_index_count = 0;  // nothing drawn until sprites live
  m_object = std::make_unique<ParticleRenderObject>(m_model, camera, texture);
}

ParticleSystemInstance::~ParticleSystemInstance() = default;

uint32_t ParticleSystemInstance::AddSprite(const Vector3& position, float size, const Vector4& color) {
  if (m_free.empty()) return kNoSprite;
  const uint32_t index = m_free.front();
  m_free.pop_front();
  ParticleSprite& sprite = m_sprites[index];
  sprite.dead = false;
  sprite.position = position;
  sprite.size = size;
  sprite.color = color;
  sprite.rotation = 0.0f;
  return index;
}

void ParticleSystemInstance::KillSprite(uint32_t index) {
  if (index >= m_sprites.size() || m_sprites[index].dead) return;
  m_sprites[index].dead = true;
  m_free.push_back(index);
}

// The camera's own view matrix: its columns are the right, up and view axes.
ParticleSystemInstance::Axes ParticleSystemInstance::CameraAxes() const {
  Axes a;
  if (CameraHandle* camera = m_object->GetCamera()) {
    const Matrix4& v = camera->GetCamera()->m_view;
    a.right = Vector3(v.m[0], v.m[4], v.m[8]);
    a.up = Vector3(v.m[1], v.m[5], v.m[9]);
    a.view = Vector3(v.m[2], v.m[6], v.m[10]);
    a.eye = camera->GetCamera()->m_position;
  }
  return a;
}

void ParticleSystemInstance::Render() {
  if (!m_object->IsVisible()) return;
  const Axes axes = CameraAxes();
  m_draw_list.clear();
  for (ParticleSprite& sprite : m_sprites) {
    if (sprite.dead) continue;
    if (m_sort_by_depth) {
      sprite.depth = Dot(axes.view, axes.eye - sprite.position);
      // A depth that is no number would break the order the sort needs.
      if (!std::isfinite(sprite.depth)) sprite.depth = -std::numeric_limits<float>::max();
    }
    m_draw_list.push_back(&sprite);
  }
  if (m_sort_by_depth) {
    std::sort(m_draw_list.begin(), m_draw_list.end(),
              [](const ParticleSprite* a, const ParticleSprite* b) { return a->depth > b->depth; });
  }
  WriteQuads(axes);
  m_model->m_index_count = kIndicesPerSprite * static_cast<uint32_t>(m_draw_list.size());
}

void ParticleSystemInstance::WriteQuads(const Axes& axes) {
  const Vector3& right = axes.right;
  const Vector3& up = axes.up;
  const float big = std::numeric_limits<float>::max();
  Vector3 minimum(big, big, big), maximum(-big, -big, -big);
  Vector3 sum;
  VertexBuffer_D3D7& vertices = *m_model->m_vertices.Get();
  uint32_t b = 0;
  for (const ParticleSprite* sprite : m_draw_list) {
    const Vector3& p = sprite->position;
    sum += p;
    Vector3 offsets[kVerticesPerSprite] = {(-right - up) * sprite->size, (-right + up) * sprite->size,
                                           (right - up) * sprite->size, (right + up) * sprite->size};
    if (std::fabs(sprite->rotation) > kSmallestRotation) {
      Matrix4 turn;
      turn.RotateAxis(axes.view, sprite->rotation);
      for (Vector3& offset : offsets) offset = turn.TransformPoint(offset);
    }
    const uint32_t color = ArgbFromColor(sprite->color);
    for (uint32_t i = 0; i < kVerticesPerSprite; ++i) {
      Vertex& v = *vertices.GetVertex(b + i);
      Vector3 corner = p + offsets[i];
      if (!Finite(corner)) corner = p;  // a sprite too large for the numbers shrinks to its point
      v.x = corner.x;
      v.y = corner.y;
      v.z = corner.z;
      v.diffuse = color;
      Grow(minimum, maximum, corner);
    }
    b += kVerticesPerSprite;
  }
  const std::size_t n = m_draw_list.size();
  m_centre = n > 0 ? sum / static_cast<float>(n) : Vector3();
  if (n > 0) m_object->SetLocalBounds(minimum, maximum);
}
