// The OpenGL backend's texture stages: textures uploaded and bound per unit, their sampling, and
// the stage combiners as texture-environment combiners. Only the units a draw uses are set up; the
// others are switched off once and then left alone.

#include <GL/gl.h>

#include <algorithm>

#include "platform/gfx/PixelStore.h"
#include "platform/gfx/gl/GlBackend.h"
#include "platform/gfx/gl/GlConvert.h"

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

namespace gfx::gl {
namespace {

struct UploadFormat {
  GLint internal_format;
  GLenum format;
  GLenum type;
};

bool UploadFormatOf(const PixelFormat& f, UploadFormat& out) {
  // Memory order of a 32-bit A8R8G8B8 pixel is B, G, R, A: GL's BGRA bytes.
  if (f == FormatA8R8G8B8()) out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE};
  else if (f == FormatX8R8G8B8()) out = {GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE};
  else if (f == FormatR5G6B5()) out = {GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
  else if (f == FormatA1R5G5B5()) out = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
  else if (f == FormatA4R4G4B4()) out = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
  else return false;
  return true;
}

bool NeedsUpload(const detail::PixelStore& store, uint64_t generation) {
  if (store.handle == 0 || store.handle_generation != generation) return true;
  return std::any_of(store.levels.begin(), store.levels.end(),
                     [](const detail::PixelLevel& level) { return level.dirty; });
}

}  // namespace

void OpenGLBackend::SelectUnit(int unit) {
  if (m_sent.active_unit.Change(static_cast<uint32_t>(unit))) glActiveTexture(GL_TEXTURE0 + unit);
}

void OpenGLBackend::BindName(int unit, uint32_t name) {
  if (!m_sent.units[unit].texture.Change(name)) return;
  SelectUnit(unit);
  glBindTexture(GL_TEXTURE_2D, name);
}

void OpenGLBackend::Upload(detail::PixelStore& store, int unit) {
  UploadFormat format;
  if (!UploadFormatOf(store.format, format)) return;
  const bool fresh = store.handle == 0 || store.handle_generation != m_generation;
  if (fresh) {
    glGenTextures(1, &store.handle);
    store.handle_generation = m_generation;
    store.sampler_key = ~uint64_t{0};
    for (detail::PixelLevel& level : store.levels) level.dirty = true;
  }
  BindName(unit, store.handle);
  SelectUnit(unit);
  if (fresh) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(store.levels.size()) - 1);
  }
  for (size_t i = 0; i < store.levels.size(); ++i) {
    detail::PixelLevel& level = store.levels[i];
    if (!level.dirty) continue;
    glPixelStorei(GL_UNPACK_ROW_LENGTH, level.pitch / static_cast<int32_t>(store.bytes_per_pixel));
    if (fresh) {
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), format.internal_format, level.width,
                   level.height, 0, format.format, format.type, level.pixels.data());
    } else {
      glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), 0, 0, level.width, level.height,
                      format.format, format.type, level.pixels.data());
    }
    level.dirty = false;
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  LetPixelsGo(store);
}

bool OpenGLBackend::PreLoad(detail::PixelStore& store) {
  if (!ContextReady() || !MakeContextCurrent() || !NeedsUpload(store, m_generation)) return false;
  Upload(store, 0);  // bound where a draw binds it: the state cache follows
  return true;
}

void OpenGLBackend::LetPixelsGo(detail::PixelStore& store) {
  if (store.keep_pixels || store.pixels_with_backend) return;
  for (detail::PixelLevel& level : store.levels) level.pixels.Free();
  store.pixels_with_backend = true;
  m_holding.insert(&store);
}

void OpenGLBackend::ReadStorePixels(detail::PixelStore& store) {
  m_holding.erase(&store);
  UploadFormat format;
  if (!UploadFormatOf(store.format, format) || store.handle == 0 || store.handle_generation != m_generation ||
      !MakeContextCurrent()) {
    return;
  }
  BindName(0, store.handle);
  SelectUnit(0);
  for (size_t i = 0; i < store.levels.size(); ++i) {
    detail::PixelLevel& level = store.levels[i];
    if (level.pixels.empty()) continue;
    glPixelStorei(GL_PACK_ROW_LENGTH, level.pitch / static_cast<int32_t>(store.bytes_per_pixel));
    glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(i), format.format, format.type, level.pixels.data());
  }
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
}

void OpenGLBackend::TakeAllPixelsBack() {
  // Copied first: each store leaves the set as it is read.
  const std::vector<detail::PixelStore*> holding(m_holding.begin(), m_holding.end());
  for (detail::PixelStore* store : holding) store->TakePixelsBack();
  m_holding.clear();
}

void OpenGLBackend::BindTexture(detail::PixelStore& store, const DeviceState& s, int unit) {
  if (NeedsUpload(store, m_generation)) Upload(store, unit);
  BindName(unit, store.handle);
  // GL keeps filters and addressing with the texture, Direct3D with the stage: they are set on the
  // texture when it is bound, and only when they differ from what it was given last.
  const auto stage = static_cast<uint32_t>(unit);
  const uint32_t u = s.Stage(stage, D3DTSS_ADDRESSU), v = s.Stage(stage, D3DTSS_ADDRESSV);
  const uint32_t mag = s.Stage(stage, D3DTSS_MAGFILTER), min = s.Stage(stage, D3DTSS_MINFILTER);
  const uint32_t mip = s.Stage(stage, D3DTSS_MIPFILTER);
  const uint32_t aniso = std::clamp<uint32_t>(s.Stage(stage, D3DTSS_MAXANISOTROPY), 1, 16);
  const uint64_t key = (uint64_t{u & 7}) | (uint64_t{v & 7} << 3) | (uint64_t{mag & 7} << 6) |
                       (uint64_t{min & 7} << 9) | (uint64_t{mip & 3} << 12) |
                       (uint64_t{aniso} << 14) |
                       (uint64_t{s.Stage(stage, D3DTSS_BORDERCOLOR)} << 20);
  if (key == store.sampler_key) return;
  store.sampler_key = key;
  SelectUnit(unit);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, AddressMode(u));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, AddressMode(v));
  float border[4];
  ArgbToFloats(s.Stage(stage, D3DTSS_BORDERCOLOR), border);
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, MagnifyFilter(mag));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  MinifyFilter(min, mip, store.levels.size() > 1));
  if (m_max_anisotropy > 1.0f) {
    const float amount = IsAnisotropic(mag, min) ? std::min<float>(aniso, m_max_anisotropy) : 1.0f;
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, amount);
  }
}

void OpenGLBackend::ApplyCombiner(const DeviceState& s, int unit) {
  UnitCache& c = m_sent.units[unit];
  const auto stage = static_cast<uint32_t>(unit);
  // Every texture-environment value goes to the active unit: it is chosen at the first one sent.
  auto env = [&](Sent<uint32_t>& sent, GLenum name, uint32_t value) {
    if (!sent.Change(value)) return;
    SelectUnit(unit);
    glTexEnvi(GL_TEXTURE_ENV, name, static_cast<GLint>(value));
  };
  auto env_float = [&](Sent<float>& sent, GLenum name, float value) {
    if (!sent.Change(value)) return;
    SelectUnit(unit);
    glTexEnvf(GL_TEXTURE_ENV, name, value);
  };
  env(c.env_mode, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  const Combiner rgb = StageCombiner(s.Stage(stage, D3DTSS_COLOROP), s.Stage(stage, D3DTSS_COLORARG1),
                                     s.Stage(stage, D3DTSS_COLORARG2), false);
  const Combiner alpha = StageCombiner(s.Stage(stage, D3DTSS_ALPHAOP), s.Stage(stage, D3DTSS_ALPHAARG1),
                                       s.Stage(stage, D3DTSS_ALPHAARG2), true);
  env(c.combine_rgb, GL_COMBINE_RGB, rgb.mode);
  env(c.combine_alpha, GL_COMBINE_ALPHA, alpha.mode);
  static const GLenum kRgbSource[3] = {GL_SOURCE0_RGB, GL_SOURCE1_RGB, GL_SOURCE2_RGB};
  static const GLenum kRgbOperand[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
  static const GLenum kAlphaSource[3] = {GL_SOURCE0_ALPHA, GL_SOURCE1_ALPHA, GL_SOURCE2_ALPHA};
  static const GLenum kAlphaOperand[3] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA};
  for (int i = 0; i < 3; ++i) {
    env(c.source_rgb[i], kRgbSource[i], rgb.source[i].source);
    env(c.operand_rgb[i], kRgbOperand[i], rgb.source[i].operand);
    env(c.source_alpha[i], kAlphaSource[i], alpha.source[i].source);
    env(c.operand_alpha[i], kAlphaOperand[i], alpha.source[i].operand);
  }
  env_float(c.rgb_scale, GL_RGB_SCALE, rgb.scale);
  env_float(c.alpha_scale, GL_ALPHA_SCALE, alpha.scale);
  Floats4 factor;
  ArgbToFloats(s.Render(D3DRENDERSTATE_TEXTUREFACTOR), factor.data());
  if (c.env_color.Change(factor)) {
    SelectUnit(unit);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor.data());
  }
  Floats16 matrix;
  TextureMatrixForGl(s.texture[stage], s.Stage(stage, D3DTSS_TEXTURETRANSFORMFLAGS), matrix.data());
  if (c.matrix.Known() && c.matrix.Value() == matrix) return;
  SelectUnit(unit);
  LoadMatrix(GL_TEXTURE, c.matrix, matrix);
}

int OpenGLBackend::ApplyStages(const DeviceState& s, const detail::StageTextures& textures) {
  // A disabled stage ends the cascade; a stage above 0 without a texture is off; stage 0 without
  // one samples white.
  int in_use = 0;
  while (in_use < m_texture_units) {
    const auto stage = static_cast<uint32_t>(in_use);
    if (s.Stage(stage, D3DTSS_COLOROP) == D3DTOP_DISABLE) break;
    if (in_use > 0 && textures.store[stage] == nullptr) break;
    ++in_use;
  }
  for (int unit = 0; unit < m_texture_units; ++unit) {
    const bool on = unit < in_use;
    if (m_sent.units[unit].enabled.Change(on)) {
      SelectUnit(unit);
      if (on) {
        glEnable(GL_TEXTURE_2D);
      } else {
        glDisable(GL_TEXTURE_2D);
      }
    }
    if (!on) continue;
    // The texture every draw (its pixels may have changed since), the combiner when stage states
    // changed or the unit was off.
    detail::PixelStore* store = textures.store[unit];
    if (store != nullptr && store->bytes_per_pixel != 0) {
      BindTexture(*store, s, unit);
    } else {
      BindName(unit, m_white_texture);
    }
    if ((s.dirty & kDirtyStages) != 0 || !m_sent.units[unit].env_mode.Known()) ApplyCombiner(s, unit);
  }
  return in_use;
}

}  // namespace gfx::gl
