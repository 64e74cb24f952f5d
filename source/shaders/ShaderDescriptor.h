#pragma once
// How a drawable is textured and blended: material colours, blend factors and up to two texture
// stages, each with a diffuse and an opacity texture, an optional frame animation, addressing and
// a texture transform. Read from a resource list's XML or a shader file ("EESRF"); every drawable
// keeps its own copy so that its frames animate on its own clock.

#include <cstdint>
#include <string>

#include "source/math/Vector.h"

// Descriptor flags.
inline constexpr uint32_t kShaderBlend = 1;   // alpha blending on (an opacity texture is given)
inline constexpr uint32_t kShaderRandom = 2;  // the XML attribute "random"

// Stage flags.
inline constexpr uint32_t kStageMipMap = 1;       // filtered with mip-maps
inline constexpr uint32_t kStageRandomStart = 2;  // the animation starts at a random time
inline constexpr uint32_t kStageNoTexture = 4;    // the stage takes no texture of its own

// Animation types; the names in the XML are looked up exactly (any other text is kAnimationNone).
enum ShaderAnimation : uint32_t {
  kAnimationNone = 0,
  kAnimationNet = 1,       // frames on a net of net width x net height cells
  kAnimationSequence = 2,  // frames of net width x net height texels; speed is the whole period
  kAnimationRotatoryDiffuse = 3,
  kAnimationRotatoryOpacity = 4,
  kAnimationRotatoryBoth = 5,
};
ShaderAnimation AnimationFromName(const std::string& name);
const char* AnimationName(uint32_t type);  // "" for none or an unknown number

// Address modes.
inline constexpr uint32_t kAddressClamp = 0;
inline constexpr uint32_t kAddressWrap = 1;

inline constexpr uint32_t kMaxShaderStages = 2;

struct ShaderStage {
  uint32_t flags = 0;
  uint32_t animation = kAnimationNone;
  uint32_t net_width = 1;
  uint32_t net_height = 1;
  uint32_t frame_count = 1;
  float speed = 0.0f;
  std::string diffuse;
  std::string opacity;
  uint32_t address_u = kAddressWrap;
  uint32_t address_v = kAddressWrap;
  Vector2 scale{1.0f, 1.0f};
  Vector2 offset{0.0f, 0.0f};
  uint32_t current_frame = 0;  // run-time only

  bool operator==(const ShaderStage&) const = default;
};

class ShaderDescriptor {
 public:
  ShaderDescriptor() = default;
  // Blending (source alpha, inverse source alpha) when `opacity` is given; one plain stage when
  // `diffuse` is given, clamped or repeated, its flags those of the descriptor at that moment.
  ShaderDescriptor(const std::string& diffuse, const std::string& opacity, bool clamp);
  // The same header and one stage with an animation.
  ShaderDescriptor(const std::string& diffuse, const std::string& opacity, bool mipmap, uint32_t type,
                   uint32_t net_width, uint32_t net_height, uint32_t frame_count, float speed, bool clamp);
  ShaderDescriptor(const ShaderDescriptor&) = default;
  ShaderDescriptor& operator=(const ShaderDescriptor&) = default;
  virtual ~ShaderDescriptor() = default;

  // Fills the next stage (scale 1, offset 0, both address modes `address`); with two stages held
  // already the overflow is logged and nothing changes (false).
  bool AddStage(uint32_t stage_flags, uint32_t type, uint32_t net_width, uint32_t net_height, uint32_t frame_count,
                float speed, const std::string& diffuse, const std::string& opacity, uint32_t address);

  void SetColor1(const Vector4& c) { m_color1 = c; }
  void SetColor2(const Vector4& c) { m_color2 = c; }
  void SetColor3(const Vector4& c) { m_color3 = c; }
  void SetColor4(const Vector4& c) { m_color4 = c; }
  void SetValueA(float value) { m_value_a = value; }
  void SetValueB(float value) { m_value_b = value; }
  void SetBlend(uint32_t source, uint32_t dest) {
    m_source_blend = source;
    m_dest_blend = dest;
  }
  void AddFlags(uint32_t flags) { m_flags |= flags; }
  // After stage names were changed in place.
  void RecomputeNameSum();

  uint32_t GetStageCount() const { return m_stage_count; }
  ShaderStage& GetStage(uint32_t i) { return m_stages[i < kMaxShaderStages ? i : 0]; }
  const ShaderStage& GetStage(uint32_t i) const { return m_stages[i < kMaxShaderStages ? i : 0]; }

  // Every field but the run-time frames.
  bool SameDescription(const ShaderDescriptor& other) const;

  uint32_t m_flags = 0;
  int32_t m_name_sum = 0;  // the bytes of every stage's texture names, as signed chars
  Vector4 m_color1{1.0f, 1.0f, 1.0f, 1.0f};
  Vector4 m_color2{1.0f, 1.0f, 1.0f, 1.0f};
  Vector4 m_color3{1.0f, 1.0f, 1.0f, 1.0f};
  Vector4 m_color4{0.0f, 0.0f, 0.0f, 1.0f};
  float m_value_a = 0.0f;  // stored and copied only: nothing in the drawing reads them
  float m_value_b = 0.0f;
  uint32_t m_source_blend = 0;  // the render system's blend codes (RenderSystem::SetBlend)
  uint32_t m_dest_blend = 0;

 private:
  void SetHeader(const std::string& opacity);

  uint32_t m_stage_count = 0;
  ShaderStage m_stages[kMaxShaderStages];
};
