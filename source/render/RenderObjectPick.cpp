// Picking and the box from the vertices: both read the vertices the object draws (its own posed
// copy, or the model's) through the model's indices, and skip an index that names no vertex.
#include <algorithm>

#include "source/math/Geometry.h"
#include "source/math/Plane.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"

namespace {

Vector3 Position(const Vertex& v) { return {v.x, v.y, v.z}; }

}  // namespace

void RenderObject::ComputeBounds() {
  VertexBuffer_D3D7* vertices = GetVertices();
  if (!m_model || vertices == nullptr || !m_model->m_indices) return;
  const IndexBuffer_D3D7& indices = *m_model->m_indices.Get();
  Vector3 minimum(3.4028235e38f, 3.4028235e38f, 3.4028235e38f);
  Vector3 maximum(-3.4028235e38f, -3.4028235e38f, -3.4028235e38f);
  bool any = false;
  for (uint32_t i = 0; i < indices.GetCount(); ++i) {
    const Vertex* v = vertices->GetVertex(indices.GetIndex(i));
    if (v == nullptr) continue;
    any = true;
    minimum = {std::min(minimum.x, v->x), std::min(minimum.y, v->y), std::min(minimum.z, v->z)};
    maximum = {std::max(maximum.x, v->x), std::max(maximum.y, v->y), std::max(maximum.z, v->z)};
  }
  if (any) m_box.Set(minimum, maximum);
}

void RenderObject::RefreshBounds() {
  m_refresh_bounds = false;
  ComputeBounds();
  m_box.SetMatrix(m_world);
}

bool RenderObject::PickByRay(const Vector3& origin, const Vector3& segment, float* distance) const {
  if (!m_box.IntersectsSegment(origin, segment)) return false;
  float nearest = kPickNoHit;
  bool hit = false;
  Matrix4 inverse = m_world;
  VertexBuffer_D3D7* vertices = GetVertices();
  if (m_model && vertices != nullptr && m_model->m_indices && inverse.Inverse()) {
    Vector3 o = origin, d = segment;
    TransformRay(o, d, inverse);
    const float length = d.Length();
    const IndexBuffer_D3D7& indices = *m_model->m_indices.Get();
    const bool list = m_model->m_primitive == kTriangleList;
    for (uint32_t k = 0; k < m_face_count; ++k) {
      const uint32_t first = list ? 3 * k : k;
      const Vertex* a = vertices->GetVertex(indices.GetIndex(first));
      const Vertex* b = vertices->GetVertex(indices.GetIndex(first + 1));
      const Vertex* c = vertices->GetVertex(indices.GetIndex(first + 2));
      if (a == nullptr || b == nullptr || c == nullptr || first + 2 >= indices.GetCount()) continue;
      Plane plane;
      plane.FromPoints(Position(*a), Position(*b), Position(*c));
      float t = 0.0f;
      if (!plane.IntersectSegment(o, d, t)) continue;
      if (!PointInTriangle(o + d * t, Position(*a), Position(*b), Position(*c))) continue;
      hit = true;
      if (distance == nullptr) return true;
      nearest = std::min(nearest, t * length);
    }
  }
  if (distance != nullptr) *distance = nearest;
  return hit;
}
