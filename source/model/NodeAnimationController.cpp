#include "source/model/NodeAnimationController.h"

#include <algorithm>

#include "source/render/RenderObject.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

Vector3 Lerp(const Vector3& a, const Vector3& b, float t) { return b * t + a * (1.0f - t); }

// The rotation part of a matrix applied to a direction.
Vector3 Rotate(const Matrix4& m, const Vector3& v) {
  return {v.x * m.m[0] + v.y * m.m[4] + v.z * m.m[8], v.x * m.m[1] + v.y * m.m[5] + v.z * m.m[9],
          v.x * m.m[2] + v.y * m.m[6] + v.z * m.m[10]};
}

}  // namespace

NodeAnimationController::NodeAnimationController(std::shared_ptr<const NodeAnimationData> data, RenderObject* owner)
    : ModelController(owner), m_data(std::move(data)) {
  m_nodes.resize(m_data->nodes.size());
  for (std::size_t i = 0; i < m_nodes.size(); ++i) {
    m_nodes[i].box.Set(m_data->nodes[i].box.minimum, m_data->nodes[i].box.maximum);
  }
}

std::unique_ptr<ModelController> NodeAnimationController::Clone(RenderObject* owner) const {
  auto copy = std::make_unique<NodeAnimationController>(*this);
  copy->m_owner = owner;
  return copy;
}

void NodeAnimationController::Update() {
  const std::size_t count = m_nodes.size();
  if (count == 0 || m_frame_a >= m_data->frame_count || m_frame_b >= m_data->frame_count) return;
  const ModelKey* a = &m_data->keys[m_frame_a * count];
  const ModelKey* b = &m_data->keys[m_frame_b * count];
  const float t = m_blend;
  Vector3 minimum(100000.0f, 100000.0f, 100000.0f);
  Vector3 maximum(-100000.0f, -100000.0f, -100000.0f);
  bool bounded = false;
  for (std::size_t i = 0; i < count; ++i) {
    NodeState& node = m_nodes[i];
    node.position = Lerp(a[i].position, b[i].position, t);
    node.scale = Lerp(a[i].scale, b[i].scale, t);
    node.rotation = Quaternion::Slerp(a[i].rotation, b[i].rotation, t);
    node.rotation_matrix = Quaternion::Multiply(node.rotation, node.base_rotation).ToMatrix();
    node.transform = node.rotation_matrix;
    node.transform.SetScaleTranslation(node.scale, node.position + node.position_offset);
    node.box.SetMatrix(node.transform);
    if (m_data->nodes[i].bounds_flag != 0) continue;
    bounded = true;
    minimum = {std::min(minimum.x, node.box.m_world_min.x), std::min(minimum.y, node.box.m_world_min.y),
               std::min(minimum.z, node.box.m_world_min.z)};
    maximum = {std::max(maximum.x, node.box.m_world_max.x), std::max(maximum.y, node.box.m_world_max.y),
               std::max(maximum.z, node.box.m_world_max.z)};
  }
  // No node counting for bounds leaves the object's box as it was rather than making it empty.
  if (!bounded) return;
  m_box.Set(minimum, maximum);
  if (m_owner != nullptr) m_owner->SetLocalBounds(minimum, maximum);
}

void NodeAnimationController::Skin(Vertex* vertices, uint32_t count) const {
  const std::size_t n = std::min<std::size_t>(count, m_data->vertices.size());
  for (std::size_t i = 0; i < n; ++i) {
    const NodeWeightedVertex& in = m_data->vertices[i];
    Vector3 position, normal;
    for (uint16_t k = 0; k < in.count; ++k) {
      const NodeInfluence& influence = in.slots[k];
      const NodeState& node = m_nodes[influence.node];
      position += node.transform.TransformPoint(influence.position) * influence.weight;
      normal += Rotate(node.rotation_matrix, influence.normal) * influence.weight;
    }
    Place(vertices[i], position, normal);
  }
}

void NodeAnimationController::Apply() {
  uint32_t count = 0;
  if (Vertex* vertices = OwnerVertices(count)) Skin(vertices, count);
}
