#include "source/model/ColorController.h"

#include "source/render/RenderObject.h"

std::unique_ptr<ModelController> ColorController::Clone(RenderObject* owner) const {
  auto copy = std::make_unique<ColorController>(*this);
  copy->m_owner = owner;
  return copy;
}

void ColorController::Update() {
  if (!FramesKnown()) return;
  const Vector4& a = (*m_keys)[m_frame_a];
  const Vector4& b = (*m_keys)[m_frame_b];
  m_color = b * m_blend + a * (1.0f - m_blend);
}

void ColorController::Apply() {
  if (m_owner != nullptr && FramesKnown()) m_owner->SetColor(m_color);
}
