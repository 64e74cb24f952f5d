#include "source/model/MorphController.h"

#include <algorithm>

#include "source/render/RenderObject.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

Vector3 Lerp(const Vector3& a, const Vector3& b, float t) { return b * t + a * (1.0f - t); }
float Lerp(float a, float b, float t) { return b * t + a * (1.0f - t); }

}  // namespace

std::unique_ptr<ModelController> MorphController::Clone(RenderObject* owner) const {
  auto copy = std::make_unique<MorphController>(*this);
  copy->m_owner = owner;
  return copy;
}

void MorphController::Update() {
  if (!FramesKnown() || m_frame_b >= m_data->boxes.size() || m_frame_a >= m_data->boxes.size()) return;
  const ModelBox& a = m_data->boxes[m_frame_a];
  const ModelBox& b = m_data->boxes[m_frame_b];
  m_box.minimum = Lerp(a.minimum, b.minimum, m_blend);
  m_box.maximum = Lerp(a.maximum, b.maximum, m_blend);
  if (m_owner != nullptr) m_owner->SetLocalBounds(m_box.minimum, m_box.maximum);
}

void MorphController::Blend(Vertex* vertices, uint32_t count) const {
  if (!FramesKnown()) return;
  const std::size_t n = std::min<std::size_t>(count, m_data->vertex_count);
  const ModelFileVertex* a = &m_data->frames[std::size_t{m_frame_a} * m_data->vertex_count];
  const ModelFileVertex* b = &m_data->frames[std::size_t{m_frame_b} * m_data->vertex_count];
  const float t = m_blend;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 position = Lerp(a[i].position, b[i].position, t);
    const Vector3 normal = Lerp(a[i].normal, b[i].normal, t);
    Vertex& out = vertices[i];
    Place(out, position, normal);
    out.u = Lerp(a[i].u, b[i].u, t);
    out.v = Lerp(a[i].v, b[i].v, t);
  }
}

void MorphController::Apply() {
  uint32_t count = 0;
  if (Vertex* vertices = OwnerVertices(count)) Blend(vertices, count);
}
