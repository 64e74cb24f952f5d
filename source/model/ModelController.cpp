#include "source/model/ModelController.h"

#include "source/render/RenderObject.h"
#include "source/render/VertexBuffer_D3D7.h"

void ModelController::SetFrames(uint32_t frame_a, uint32_t frame_b, float blend) {
  m_frame_a = frame_a;
  m_frame_b = frame_b;
  m_blend = blend > 0.0f ? (blend < 1.0f ? blend : 1.0f) : 0.0f;  // NaN counts as 0
}

Vertex* ModelController::OwnerVertices(uint32_t& count) const {
  VertexBuffer_D3D7* buffer = m_owner != nullptr ? m_owner->GetOwnVertices() : nullptr;
  count = buffer != nullptr ? buffer->GetCount() : 0;
  return count > 0 ? buffer->GetVertex(0) : nullptr;
}
