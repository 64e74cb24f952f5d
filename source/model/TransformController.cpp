#include "source/model/TransformController.h"

#include "source/render/RenderObject.h"

std::unique_ptr<ModelController> TransformController::Clone(RenderObject* owner) const {
  auto copy = std::make_unique<TransformController>(*this);
  copy->m_owner = owner;
  return copy;
}

void TransformController::Update() {
  const std::vector<ModelKey>& keys = *m_keys;
  if (m_frame_a >= keys.size() || m_frame_b >= keys.size()) return;
  const ModelKey& a = keys[m_frame_a];
  const ModelKey& b = keys[m_frame_b];
  const float t = m_blend;
  const Vector3 position = b.position * t + a.position * (1.0f - t);
  const Vector3 scale = b.scale * t + a.scale * (1.0f - t);
  m_matrix = Quaternion::Slerp(a.rotation, b.rotation, t).ToMatrix();
  m_matrix.SetScaleTranslation(scale, position);
  if (m_owner != nullptr) m_owner->SetWorldMatrix(m_matrix);
}
