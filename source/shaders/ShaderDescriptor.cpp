#include "source/shaders/ShaderDescriptor.h"

#include "platform/gfx/StateNumbers.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "source\\shaders\\ShaderDescriptor";
constexpr int kOverflowLine = 417;

constexpr const char* kAnimationNames[] = {"",
                                           "SSAT_NET",
                                           "SSAT_SEQUENCE",
                                           "SSAT_ROTATORY_DIFFUSE_MAP",
                                           "SSAT_ROTATORY_OPACITY_MAP",
                                           "SSAT_ROTATORY_DIFFUSE_AND_OPACITY_MAPS"};
constexpr uint32_t kAnimationCount = sizeof(kAnimationNames) / sizeof(kAnimationNames[0]);

// Unsigned arithmetic: a sum that passes the int range wraps instead of being undefined.
uint32_t ByteSum(const std::string& text) {
  uint32_t sum = 0;
  for (char c : text) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  return sum;
}

}  // namespace

ShaderAnimation AnimationFromName(const std::string& name) {
  for (uint32_t i = 1; i < kAnimationCount; ++i) {
    if (name == kAnimationNames[i]) return static_cast<ShaderAnimation>(i);
  }
  return kAnimationNone;
}

const char* AnimationName(uint32_t type) { return type < kAnimationCount ? kAnimationNames[type] : ""; }

void ShaderDescriptor::SetHeader(const std::string& opacity) {
  if (opacity.empty()) return;
  m_flags |= kShaderBlend;
  m_source_blend = gfx::kBlendCodeSourceAlpha;
  m_dest_blend = gfx::kBlendCodeInverseSourceAlpha;
}

ShaderDescriptor::ShaderDescriptor(const std::string& diffuse, const std::string& opacity, bool clamp) {
  SetHeader(opacity);
  if (!diffuse.empty()) {
    AddStage(m_flags, kAnimationNone, 1, 1, 1, 0.0f, diffuse, opacity, clamp ? kAddressClamp : kAddressWrap);
  }
}

ShaderDescriptor::ShaderDescriptor(const std::string& diffuse, const std::string& opacity, bool mipmap, uint32_t type,
                                   uint32_t net_width, uint32_t net_height, uint32_t frame_count, float speed,
                                   bool clamp) {
  SetHeader(opacity);
  AddStage(mipmap ? kStageMipMap : 0, type, net_width, net_height, frame_count, speed, diffuse, opacity,
           clamp ? kAddressClamp : kAddressWrap);
}

bool ShaderDescriptor::AddStage(uint32_t stage_flags, uint32_t type, uint32_t net_width, uint32_t net_height,
                                uint32_t frame_count, float speed, const std::string& diffuse,
                                const std::string& opacity, uint32_t address) {
  if (m_stage_count >= kMaxShaderStages) {
    LogReport(kLogAbort, kSource, kOverflowLine, "Shader Stages: buffer is overflowed");
    return false;
  }
  ShaderStage& stage = m_stages[m_stage_count];
  stage = ShaderStage();
  stage.flags = stage_flags;
  stage.animation = type;
  stage.net_width = net_width;
  stage.net_height = net_height;
  stage.frame_count = type != kAnimationNone ? frame_count : 0;
  stage.speed = speed;
  stage.diffuse = diffuse;
  stage.opacity = opacity;
  stage.address_u = stage.address_v = address;
  ++m_stage_count;
  RecomputeNameSum();
  return true;
}

void ShaderDescriptor::RecomputeNameSum() {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < m_stage_count; ++i) sum += ByteSum(m_stages[i].diffuse) + ByteSum(m_stages[i].opacity);
  m_name_sum = static_cast<int32_t>(sum);
}

bool ShaderDescriptor::SameDescription(const ShaderDescriptor& o) const {
  if (m_flags != o.m_flags || m_name_sum != o.m_name_sum || !(m_color1 == o.m_color1) || !(m_color2 == o.m_color2) ||
      !(m_color3 == o.m_color3) || !(m_color4 == o.m_color4) || m_value_a != o.m_value_a ||
      m_value_b != o.m_value_b || m_source_blend != o.m_source_blend || m_dest_blend != o.m_dest_blend ||
      m_stage_count != o.m_stage_count) {
    return false;
  }
  for (uint32_t i = 0; i < m_stage_count; ++i) {
    ShaderStage a = m_stages[i], b = o.m_stages[i];
    a.current_frame = b.current_frame = 0;
    if (!(a == b)) return false;
  }
  return true;
}
