// The OpenGL backend's drawing side: the device's states sent to GL at each draw (only the groups
// that changed), clears, textures uploaded and sampled per stage, and indexed drawing.

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "platform/gfx/PixelStore.h"
#include "platform/gfx/gl/GlBackend.h"
#include "platform/gfx/gl/GlConvert.h"

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

namespace gfx::gl {
namespace {

void SetEnabled(GLenum cap, bool on) {
  if (on) {
    glEnable(cap);
  } else {
    glDisable(cap);
  }
}

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

void LoadMatrix(const Matrix& m) { glLoadMatrixf(m.m); }

}  // namespace

void OpenGLBackend::TargetSize(int& width, int& height) const {
  width = height = 0;
  if (SDL_Window* window = OutputWindow()) SDL_GL_GetDrawableSize(window, &width, &height);
}

void OpenGLBackend::ApplyViewport(const DeviceState& state) {
  int width = 0, height = 0;
  TargetSize(width, height);
  if (width != m_last_target_width || height != m_last_target_height) {
    // A new or resized output: clear all of it a few times, since parts outside the viewport are
    // never drawn and would otherwise show whatever the buffers held.
    m_last_target_width = width;
    m_last_target_height = height;
    m_full_clears = 3;
  }
  const Viewport& v = state.viewport;
  const Box box = FlipToBottomLeft(static_cast<int>(v.x), static_cast<int>(v.y),
                                   static_cast<int>(v.width), static_cast<int>(v.height), height);
  glViewport(box.x, box.y, box.width, box.height);
  glDepthRange(v.min_z, v.max_z);
}

void OpenGLBackend::ApplyRenderStates(const DeviceState& s, bool has_depth) {
  const bool depth_test = has_depth && s.Render(D3DRENDERSTATE_ZENABLE) != D3DZB_FALSE;
  SetEnabled(GL_DEPTH_TEST, depth_test);
  glDepthFunc(CompareFunction(s.Render(D3DRENDERSTATE_ZFUNC)));
  glDepthMask(s.Render(D3DRENDERSTATE_ZWRITEENABLE) ? GL_TRUE : GL_FALSE);

  SetEnabled(GL_ALPHA_TEST, s.Render(D3DRENDERSTATE_ALPHATESTENABLE) != 0);
  glAlphaFunc(CompareFunction(s.Render(D3DRENDERSTATE_ALPHAFUNC)),
              (s.Render(D3DRENDERSTATE_ALPHAREF) & 0xFF) / 255.0f);

  SetEnabled(GL_BLEND, s.Render(D3DRENDERSTATE_ALPHABLENDENABLE) != 0);
  const uint32_t src = s.Render(D3DRENDERSTATE_SRCBLEND);
  uint32_t dst = s.Render(D3DRENDERSTATE_DESTBLEND);
  if (src == D3DBLEND_BOTHSRCALPHA || src == D3DBLEND_BOTHINVSRCALPHA) dst = src;
  glBlendFunc(BlendFactor(src, true), BlendFactor(dst, false));

  const CullSetting cull = Cull(s.Render(D3DRENDERSTATE_CULLMODE));
  SetEnabled(GL_CULL_FACE, cull.enabled);
  glCullFace(cull.face);

  const uint32_t fill = s.Render(D3DRENDERSTATE_FILLMODE);
  glPolygonMode(GL_FRONT_AND_BACK,
                fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
  glShadeModel(s.Render(D3DRENDERSTATE_SHADEMODE) == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
  SetEnabled(GL_DITHER, s.Render(D3DRENDERSTATE_DITHERENABLE) != 0);

  SetEnabled(GL_LIGHTING, s.Render(D3DRENDERSTATE_LIGHTING) != 0);
  float ambient[4];
  ArgbToFloats(s.Render(D3DRENDERSTATE_AMBIENT), ambient);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, s.Render(D3DRENDERSTATE_LOCALVIEWER) ? 1 : 0);
  SetEnabled(GL_NORMALIZE, s.Render(D3DRENDERSTATE_NORMALIZENORMALS) != 0);

  // Vertex colours feed the material only where the states say so; the vertices carry one colour.
  const bool vertex_color = s.Render(D3DRENDERSTATE_COLORVERTEX) != 0;
  const bool diffuse = vertex_color && s.Render(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE) == D3DMCS_COLOR1;
  const bool ambient_src = vertex_color && s.Render(D3DRENDERSTATE_AMBIENTMATERIALSOURCE) == D3DMCS_COLOR1;
  const bool emissive = vertex_color && s.Render(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE) == D3DMCS_COLOR1;
  if (diffuse && ambient_src) {
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  } else if (diffuse) {
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  } else if (ambient_src) {
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
  } else if (emissive) {
    glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
  }
  SetEnabled(GL_COLOR_MATERIAL, diffuse || ambient_src || emissive);
}

void OpenGLBackend::ApplyLights(const DeviceState& s) {
  // GL keeps light positions in eye space, taken through the modelview matrix at the time they are
  // given; Direct3D's are in world space, so they are given under the view alone and again after
  // every change of view.
  glMatrixMode(GL_MODELVIEW);
  LoadMatrix(s.view);
  int unit = 0;
  for (const auto& [index, slot] : s.lights) {
    if (!slot.enabled || unit >= m_max_lights) continue;
    const GLenum id = GL_LIGHT0 + unit++;
    const Light& l = slot.light;
    float color[4];
    ColorToFloats(l.diffuse, color);
    glLightfv(id, GL_DIFFUSE, color);
    ColorToFloats(l.specular, color);
    glLightfv(id, GL_SPECULAR, color);
    ColorToFloats(l.ambient, color);
    glLightfv(id, GL_AMBIENT, color);
    if (l.type == D3DLIGHT_DIRECTIONAL) {
      // Direct3D gives the direction the light travels; GL the direction towards the light.
      const float position[4] = {-l.direction.x, -l.direction.y, -l.direction.z, 0.0f};
      glLightfv(id, GL_POSITION, position);
      glLightf(id, GL_SPOT_CUTOFF, 180.0f);
    } else {
      const float position[4] = {l.position.x, l.position.y, l.position.z, 1.0f};
      glLightfv(id, GL_POSITION, position);
      const bool no_attenuation = l.attenuation0 == 0 && l.attenuation1 == 0 && l.attenuation2 == 0;
      glLightf(id, GL_CONSTANT_ATTENUATION, no_attenuation ? 1.0f : l.attenuation0);
      glLightf(id, GL_LINEAR_ATTENUATION, l.attenuation1);
      glLightf(id, GL_QUADRATIC_ATTENUATION, l.attenuation2);
      if (l.type == D3DLIGHT_SPOT) {
        const float direction[3] = {l.direction.x, l.direction.y, l.direction.z};
        glLightfv(id, GL_SPOT_DIRECTION, direction);
        const float cutoff = std::clamp(l.phi * 0.5f * 57.29578f, 0.0f, 90.0f);
        glLightf(id, GL_SPOT_CUTOFF, cutoff);
        glLightf(id, GL_SPOT_EXPONENT, 0.0f);
      } else {
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
      }
    }
    glEnable(id);
  }
  for (; unit < m_max_lights; ++unit) glDisable(GL_LIGHT0 + unit);
}

void OpenGLBackend::ApplyTransforms(const DeviceState& s) {
  if (s.dirty & kDirtyTransforms) {
    float projection[16];
    ProjectionForGl(s.projection, projection);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
  }
  if (s.dirty & kDirtyLights) ApplyLights(s);
  // Row vectors: world then view is, for GL's column vectors, view^T x world^T.
  glMatrixMode(GL_MODELVIEW);
  LoadMatrix(s.view);
  glMultMatrixf(s.world.m);
}

void OpenGLBackend::ApplyMaterial(const DeviceState& s) {
  const Material& m = s.material;
  float color[4];
  ColorToFloats(m.diffuse, color);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color);
  ColorToFloats(m.ambient, color);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, color);
  ColorToFloats(m.emissive, color);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, color);
  // Without the specular state Direct3D adds no highlight at all.
  const bool specular = s.Render(D3DRENDERSTATE_SPECULARENABLE) != 0;
  const float none[4] = {0, 0, 0, 0};
  ColorToFloats(m.specular, color);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular ? color : none);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));
}

void OpenGLBackend::Upload(detail::PixelStore& store) {
  UploadFormat format;
  if (!UploadFormatOf(store.format, format)) return;
  const bool fresh = store.handle == 0 || store.handle_generation != m_generation;
  if (fresh) {
    glGenTextures(1, &store.handle);
    store.handle_generation = m_generation;
    store.sampler_key = ~uint64_t{0};
    for (detail::PixelLevel& level : store.levels) level.dirty = true;
  }
  glBindTexture(GL_TEXTURE_2D, store.handle);
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
}

void OpenGLBackend::BindTexture(detail::PixelStore& store, const DeviceState& s, uint32_t stage) {
  Upload(store);
  glBindTexture(GL_TEXTURE_2D, store.handle);
  // GL keeps filters and addressing with the texture, Direct3D with the stage: they are set on the
  // texture when it is bound, and only when they differ from what it was given last.
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

void OpenGLBackend::ApplyStages(const DeviceState& s, const detail::StageTextures& textures) {
  bool cascade_on = true;
  for (int unit = 0; unit < m_texture_units; ++unit) {
    const auto stage = static_cast<uint32_t>(unit);
    glActiveTexture(GL_TEXTURE0 + unit);
    detail::PixelStore* store = textures.store[stage];
    // A disabled stage ends the cascade; a stage above 0 without a texture is off; stage 0 without
    // one samples white.
    const bool on = cascade_on && s.Stage(stage, D3DTSS_COLOROP) != D3DTOP_DISABLE &&
                    (unit == 0 || store != nullptr);
    cascade_on = on;
    if (!on) {
      glDisable(GL_TEXTURE_2D);
      continue;
    }
    glEnable(GL_TEXTURE_2D);
    if (store != nullptr && store->bytes_per_pixel != 0) {
      BindTexture(*store, s, stage);
    } else {
      glBindTexture(GL_TEXTURE_2D, m_white_texture);
    }
    if ((s.dirty & kDirtyStages) == 0) continue;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    const Combiner rgb = StageCombiner(s.Stage(stage, D3DTSS_COLOROP), s.Stage(stage, D3DTSS_COLORARG1),
                                       s.Stage(stage, D3DTSS_COLORARG2), false);
    const Combiner alpha = StageCombiner(s.Stage(stage, D3DTSS_ALPHAOP), s.Stage(stage, D3DTSS_ALPHAARG1),
                                         s.Stage(stage, D3DTSS_ALPHAARG2), true);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, rgb.mode);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, alpha.mode);
    static const GLenum kRgbSource[3] = {GL_SOURCE0_RGB, GL_SOURCE1_RGB, GL_SOURCE2_RGB};
    static const GLenum kRgbOperand[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
    static const GLenum kAlphaSource[3] = {GL_SOURCE0_ALPHA, GL_SOURCE1_ALPHA, GL_SOURCE2_ALPHA};
    static const GLenum kAlphaOperand[3] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA};
    for (int i = 0; i < 3; ++i) {
      glTexEnvi(GL_TEXTURE_ENV, kRgbSource[i], rgb.source[i].source);
      glTexEnvi(GL_TEXTURE_ENV, kRgbOperand[i], rgb.source[i].operand);
      glTexEnvi(GL_TEXTURE_ENV, kAlphaSource[i], alpha.source[i].source);
      glTexEnvi(GL_TEXTURE_ENV, kAlphaOperand[i], alpha.source[i].operand);
    }
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, rgb.scale);
    glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, alpha.scale);
    float factor[4];
    ArgbToFloats(s.Render(D3DRENDERSTATE_TEXTUREFACTOR), factor);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    float matrix[16];
    TextureMatrixForGl(s.texture[stage], s.Stage(stage, D3DTSS_TEXTURETRANSFORMFLAGS), matrix);
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(matrix);
  }
  glActiveTexture(GL_TEXTURE0);
}

void OpenGLBackend::SetVertexArrays(const DeviceState& s, const detail::DrawCall& call) {
  const uint8_t* base = call.vertices;
  uint32_t offset = 12;
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, call.stride, base);
  if (call.fvf & D3DFVF_NORMAL) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, call.stride, base + offset);
    offset += 12;
  } else {
    glDisableClientState(GL_NORMAL_ARRAY);
    glNormal3f(0, 0, 0);
  }
  if (call.fvf & D3DFVF_DIFFUSE) {
    // ARGB words (bytes B, G, R, A) become GL's R, G, B, A bytes.
    m_colors.resize(static_cast<size_t>(call.vertex_count) * 4);
    for (uint32_t i = 0; i < call.vertex_count; ++i) {
      const uint8_t* in = base + static_cast<size_t>(i) * call.stride + offset;
      uint8_t* out = &m_colors[static_cast<size_t>(i) * 4];
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
    }
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, m_colors.data());
    offset += 4;
  } else {
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1, 1, 1, 1);
  }
  if (call.fvf & D3DFVF_SPECULAR) offset += 4;
  const uint32_t sets = (call.fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  for (int unit = 0; unit < m_texture_units; ++unit) {
    glClientActiveTexture(GL_TEXTURE0 + unit);
    const uint32_t set = s.Stage(static_cast<uint32_t>(unit), D3DTSS_TEXCOORDINDEX) & 0xFFFF;
    if (set < sets) {
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      glTexCoordPointer(2, GL_FLOAT, call.stride, base + offset + set * 8);
    } else {
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
      glMultiTexCoord2f(GL_TEXTURE0 + unit, 0, 0);
    }
  }
  glClientActiveTexture(GL_TEXTURE0);
}

Result OpenGLBackend::Clear(DeviceState& s, const detail::ClearCall& call, bool has_depth) {
  if (!ContextReady()) return DDERR_GENERIC;
  if (m_applied != &s) {
    s.dirty = kDirtyAll;
    m_applied = &s;
  }
  ApplyViewport(s);
  s.dirty &= ~kDirtyViewport;
  GLbitfield mask = 0;
  float color[4];
  ArgbToFloats(call.color, color);
  if (call.flags & D3DCLEAR_TARGET) {
    glClearColor(color[0], color[1], color[2], color[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((call.flags & D3DCLEAR_ZBUFFER) && has_depth) {
    // A clear writes depth whatever the depth-write state says.
    glDepthMask(GL_TRUE);
    glClearDepth(call.z);
    mask |= GL_DEPTH_BUFFER_BIT;
    s.dirty |= kDirtyRender;
  }
  if (mask == 0) return DD_OK;
  int width = 0, height = 0;
  TargetSize(width, height);
  if (m_full_clears > 0 && (mask & GL_COLOR_BUFFER_BIT)) {
    --m_full_clears;
    glDisable(GL_SCISSOR_TEST);
    glClear(mask);
  }
  // Direct3D clears the viewport, or the given rectangles within it.
  glEnable(GL_SCISSOR_TEST);
  const Viewport& v = s.viewport;
  const Rect whole{static_cast<int32_t>(v.x), static_cast<int32_t>(v.y),
                   static_cast<int32_t>(v.x + v.width), static_cast<int32_t>(v.y + v.height)};
  const uint32_t count = call.rect_count ? call.rect_count : 1;
  for (uint32_t i = 0; i < count; ++i) {
    Rect r = call.rect_count ? call.rects[i] : whole;
    r.left = std::max(r.left, whole.left);
    r.top = std::max(r.top, whole.top);
    r.right = std::min(r.right, whole.right);
    r.bottom = std::min(r.bottom, whole.bottom);
    if (r.left >= r.right || r.top >= r.bottom) continue;
    const Box box = FlipToBottomLeft(r.left, r.top, r.right - r.left, r.bottom - r.top, height);
    glScissor(box.x, box.y, box.width, box.height);
    glClear(mask);
  }
  glDisable(GL_SCISSOR_TEST);
  return DD_OK;
}

Result OpenGLBackend::Draw(DeviceState& s, const detail::StageTextures& textures,
                           const detail::DrawCall& call, bool has_depth) {
  if (!ContextReady()) return DDERR_GENERIC;
  if (m_applied != &s) {
    s.dirty = kDirtyAll;
    m_applied = &s;
  }
  ApplyViewport(s);
  if (s.dirty & kDirtyRender) ApplyRenderStates(s, has_depth);
  if (s.dirty & (kDirtyMaterial | kDirtyRender)) ApplyMaterial(s);
  ApplyStages(s, textures);
  ApplyTransforms(s);
  s.dirty = 0;
  SetVertexArrays(s, call);
  glDrawElements(PrimitiveMode(call.primitive), static_cast<GLsizei>(call.index_count),
                 call.index_size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, call.indices);
  return DD_OK;
}

}  // namespace gfx::gl
