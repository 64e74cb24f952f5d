#pragma once
// What the OpenGL backend last sent to its context, value by value, so that it sends only what
// differs: Mesa re-validates its state at the next draw after any state call, even one that changes
// nothing, and that costs far more than the call. One cache a context. Whatever may have changed
// the context's state without the cache knowing it forgets the values concerned (all of them for a
// new context or when another context was made current); a forgotten value is sent at its next use.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/gfx/StateNumbers.h"

namespace gfx::gl {

// One value as last sent, or unknown.
template <class T>
class Sent {
 public:
  // True when `value` must be sent (it differs from the last one, or that is unknown); from then
  // on it is taken as sent.
  bool Change(const T& value) {
    if (m_known && m_value == value) return false;
    m_value = value;
    m_known = true;
    return true;
  }
  // Notes a value that GL took by other means.
  void Set(const T& value) {
    m_value = value;
    m_known = true;
  }
  void Forget() { m_known = false; }
  bool Known() const { return m_known; }
  const T& Value() const { return m_value; }

 private:
  T m_value{};
  bool m_known = false;
};

using Floats4 = std::array<float, 4>;
using Floats16 = std::array<float, 16>;
// A client array: its address and stride.
using ArraySource = std::pair<const void*, int>;

// The capabilities switched with glEnable and glDisable (lights apart).
enum class Cap : uint8_t {
  kDepthTest,
  kAlphaTest,
  kBlend,
  kCullFace,
  kDither,
  kLighting,
  kNormalize,
  kColorMaterial,
  kScissor,
  kCount
};

// One texture unit: its switch, texture, combiner, texture matrix and coordinate array.
struct UnitCache {
  Sent<bool> enabled;     // GL_TEXTURE_2D
  Sent<uint32_t> texture;  // the bound texture name
  Sent<uint32_t> env_mode;
  Sent<uint32_t> combine_rgb, combine_alpha;
  std::array<Sent<uint32_t>, 3> source_rgb, operand_rgb, source_alpha, operand_alpha;
  Sent<float> rgb_scale, alpha_scale;
  Sent<Floats4> env_color;
  Sent<Floats16> matrix;
  Sent<bool> coord_array;
  Sent<ArraySource> coord_source;
  Sent<std::array<float, 2>> current_coord;  // the coordinate used while the array is off
};

struct GlStateCache {
  std::array<Sent<bool>, static_cast<std::size_t>(Cap::kCount)> caps;
  std::array<Sent<bool>, 8> lights;
  Sent<uint32_t> depth_func;
  Sent<bool> depth_mask;
  Sent<std::pair<uint32_t, float>> alpha_func;
  Sent<std::pair<uint32_t, uint32_t>> blend_func;
  Sent<uint32_t> cull_face, polygon_mode, shade_model, color_material;
  Sent<Floats4> light_ambient;
  Sent<bool> local_viewer;
  Sent<Floats4> material_diffuse, material_ambient, material_emission, material_specular;
  Sent<float> material_shininess;
  Sent<std::array<int, 4>> viewport, scissor;
  Sent<std::pair<float, float>> depth_range;
  Sent<Floats4> clear_color;
  Sent<float> clear_depth;
  Sent<uint32_t> matrix_mode;
  Sent<Floats16> projection, modelview;
  Sent<uint32_t> active_unit, client_unit;
  Sent<bool> vertex_array, normal_array, color_array;
  Sent<ArraySource> vertex_source, normal_source;
  Sent<std::pair<ArraySource, bool>> color_source;  // and whether GL reads it as BGRA
  Sent<Floats4> current_color;
  Sent<std::array<float, 3>> current_normal;
  std::array<UnitCache, kMaxTextureStages> units;

  Sent<bool>& Of(Cap cap) { return caps[static_cast<std::size_t>(cap)]; }
  // Nothing known: everything is sent at its next use.
  void ForgetAll() { *this = GlStateCache{}; }
  // The texture name was deleted: GL unbinds it from every unit that held it.
  void TextureDeleted(uint32_t name);
  // A draw with arrays leaves GL's current colour, normal and coordinates undefined, and with colour
  // material on the material follows the colours drawn.
  void DrawDone();
};

}  // namespace gfx::gl
