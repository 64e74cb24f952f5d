#include "source/shaders/ShaderHolder.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/StateNumbers.h"
#include "source/math/Rand.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"
#include "source/texture/Image.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr float kShortestPeriod = 1e-05f;

// The time brought into [0, span); anything that is no number starts again at 0.
float Wrap(float time, float span) {
  if (!std::isfinite(time) || !(span > 0.0f)) return 0.0f;
  if (time >= span || time < 0.0f) {
    time = std::fmod(time, span);
    if (time < 0.0f) time += span;
    if (time >= span) time = 0.0f;  // a tiny negative remainder rounds up to the span itself
  }
  return time;
}

// A count that is 0 (or read from damaged data as a huge negative number) draws as 1.
float AtLeastOne(uint32_t count) { return count == 0 ? 1.0f : static_cast<float>(count); }

// Whether a frame ever moves any stage. Most GUI pictures do not, and a holder that has nothing to
// advance stays out of the render pass's update list, which walks every member each frame.
bool AnyStageMoves(const ShaderDescriptor& descriptor) {
  for (uint32_t i = 0; i < descriptor.GetStageCount(); ++i) {
    switch (descriptor.GetStage(i).animation) {
      case kAnimationNet:
      case kAnimationSequence:
      case kAnimationRotatoryDiffuse:
      case kAnimationRotatoryOpacity:
      case kAnimationRotatoryBoth:
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace

ShaderHolder::ShaderHolder() : Updatable(JoinLater{}) {}

ShaderHolder::ShaderHolder(const ShaderHolder& other) : Updatable(JoinLater{}) { SetShader(other.m_shader); }

ShaderHolder& ShaderHolder::operator=(const ShaderHolder& other) {
  if (this != &other) SetShader(other.m_shader);
  return *this;
}

ShaderHolder::~ShaderHolder() = default;

void ShaderHolder::SetShader(const ShaderRef& shader) {
  m_descriptor.reset();
  m_shader = shader;
  for (float& time : m_time) time = 0.0f;
  if (!m_shader) return;
  m_descriptor = std::make_unique<ShaderDescriptor>(m_shader->GetDescriptor());
  RandomizeStartFrames();
  if (AnyStageMoves(*m_descriptor)) JoinUpdateList();
}

void ShaderHolder::SetStartFrame(uint32_t stage, float time) {
  if (stage < kMaxShaderStages) m_time[stage] = time;
}

void ShaderHolder::RandomizeStartFrames() {
  if (!m_descriptor) return;
  const bool all = (m_descriptor->m_flags & kShaderRandom) != 0;
  for (uint32_t i = 0; i < m_descriptor->GetStageCount(); ++i) {
    const ShaderStage& stage = m_descriptor->GetStage(i);
    m_time[i] = (all || (stage.flags & kStageRandomStart)) ? static_cast<float>(stage.frame_count) * RandFloat() : 0.0f;
  }
}

void ShaderHolder::Update() {
  cTimerManager* timers = cTimerManager::PeekInstance();
  Update(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
}

void ShaderHolder::Update(float dt) {
  if (!m_descriptor) return;
  for (uint32_t i = 0; i < m_descriptor->GetStageCount(); ++i) {
    ShaderStage& stage = m_descriptor->GetStage(i);
    switch (stage.animation) {
      case kAnimationNet:
        AdvanceNet(stage, m_time[i], dt);
        break;
      case kAnimationSequence:
        AdvanceSequence(i, stage, m_time[i], dt);
        break;
      case kAnimationRotatoryDiffuse:
      case kAnimationRotatoryOpacity:
      case kAnimationRotatoryBoth:
        AdvanceRotatory(stage, m_time[i], dt);
        break;
      default:
        stage.current_frame = 0;
        break;
    }
  }
}

void ShaderHolder::AdvanceNet(ShaderStage& stage, float& time, float dt) const {
  const float across = AtLeastOne(stage.net_width);
  const float down = AtLeastOne(stage.net_height);
  time = Wrap(time + stage.speed * dt, across * down);
  const float k = std::floor(time);
  const float row = std::floor(k / across);
  stage.offset.x = (k - row * across) * (1.0f / across);
  stage.offset.y = -(row * (1.0f / down));
  stage.current_frame = 0;
}

void ShaderHolder::AdvanceSequence(uint32_t index, ShaderStage& stage, float& time, float dt) const {
  const float period = stage.speed;
  float k = 0.0f;
  if (std::fabs(period) > kShortestPeriod) {
    time += dt;
    if (time > period) time = std::fmod(time, period);
    if (!std::isfinite(time)) time = 0.0f;
    k = std::floor(static_cast<float>(stage.frame_count) * time / period);
  } else {
    k = std::isfinite(time) ? std::floor(time) : 0.0f;
  }
  if (!(k > 0.0f)) k = 0.0f;
  stage.current_frame = 0;
  const TextureHandle* texture = m_shader ? m_shader->GetStageTexture(index) : nullptr;
  Texture2D_D3D7* picture = texture != nullptr ? texture->GetTexture() : nullptr;
  if (picture == nullptr) return;
  // The frame is picked by the picture's size: a texture that reads its files when built is
  // built now, so that its first frame drawn is already the right one.
  if (picture->GetPictureWidth() == 0) picture->BuildOnDevice();
  if (picture->GetPictureWidth() == 0 || picture->GetPictureHeight() == 0) return;
  const float texture_width = static_cast<float>(picture->GetPictureWidth());
  const float texture_height = static_cast<float>(picture->GetPictureHeight());
  const float frame_width = AtLeastOne(stage.net_width);
  const float frame_height = AtLeastOne(stage.net_height);
  const float per_row = std::max(1.0f, std::floor(texture_width / frame_width));
  const float row = std::floor(k / per_row);
  stage.offset.x = frame_width * (k - row * per_row) / texture_width;
  stage.offset.y = -(frame_height * row / texture_height);
}

void ShaderHolder::AdvanceRotatory(ShaderStage& stage, float& time, float dt) const {
  if (stage.frame_count == 0) {
    stage.current_frame = 0;
    return;
  }
  const float frames = static_cast<float>(stage.frame_count);
  time = Wrap(time + stage.speed * dt, frames);
  stage.current_frame = static_cast<uint32_t>(time) % stage.frame_count;
}

void ShaderHolder::Apply() {
  RenderManager* manager = RenderManager::PeekInstance();
  RenderSystem* render_system = manager != nullptr ? manager->GetRenderSystem() : nullptr;
  if (render_system == nullptr) return;
  if (m_shader && m_descriptor) {
    m_shader->Apply(*render_system, *m_descriptor);
    return;
  }
  for (uint32_t stage = 0; stage < gfx::kMaxTextureStages; ++stage) render_system->UnbindTexture(stage);
}
