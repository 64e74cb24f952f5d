#include "source/model/ModelController.h"

void ModelController::SetFrames(uint32_t frame_a, uint32_t frame_b, float blend) {
  m_frame_a = frame_a;
  m_frame_b = frame_b;
  m_blend = blend > 0.0f ? (blend < 1.0f ? blend : 1.0f) : 0.0f;  // NaN counts as 0
}
