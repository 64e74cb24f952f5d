// The OpenGL backend's fixed-function states: render states, material, lights, matrices and the
// viewport, each sent only when it differs from what the context was last given (GlStateCache).

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "platform/gfx/gl/GlBackend.h"
#include "platform/gfx/gl/GlConvert.h"

namespace gfx::gl {
namespace {

constexpr GLenum kCapEnums[] = {GL_DEPTH_TEST, GL_ALPHA_TEST, GL_BLEND,          GL_CULL_FACE, GL_DITHER,
                                GL_LIGHTING,   GL_NORMALIZE,  GL_COLOR_MATERIAL, GL_SCISSOR_TEST};
static_assert(std::size(kCapEnums) == static_cast<std::size_t>(Cap::kCount));

void SetEnabled(GLenum cap, bool on) {
  if (on) {
    glEnable(cap);
  } else {
    glDisable(cap);
  }
}

Floats4 ToFloats(const ColorValue& color) {
  Floats4 out;
  ColorToFloats(color, out.data());
  return out;
}

Floats4 ArgbFloats(uint32_t argb) {
  Floats4 out;
  ArgbToFloats(argb, out.data());
  return out;
}

// The material colour that vertex colours replace, from the render states; 0 for none.
GLenum ColorMaterialMode(const DeviceState& s) {
  if (!s.Render(D3DRENDERSTATE_COLORVERTEX)) return 0;
  const bool diffuse = s.Render(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE) == D3DMCS_COLOR1;
  const bool ambient = s.Render(D3DRENDERSTATE_AMBIENTMATERIALSOURCE) == D3DMCS_COLOR1;
  const bool emissive = s.Render(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE) == D3DMCS_COLOR1;
  if (diffuse && ambient) return GL_AMBIENT_AND_DIFFUSE;
  if (diffuse) return GL_DIFFUSE;
  if (ambient) return GL_AMBIENT;
  if (emissive) return GL_EMISSION;
  return 0;
}

}  // namespace

void OpenGLBackend::Switch(Cap cap, bool on) {
  if (m_sent.Of(cap).Change(on)) SetEnabled(kCapEnums[static_cast<std::size_t>(cap)], on);
}

void OpenGLBackend::LoadMatrix(uint32_t mode, Sent<Floats16>& sent, const Floats16& matrix) {
  if (!sent.Change(matrix)) return;
  if (m_sent.matrix_mode.Change(mode)) glMatrixMode(mode);
  glLoadMatrixf(matrix.data());
}

void OpenGLBackend::SendDepthMask(bool on) {
  if (m_sent.depth_mask.Change(on)) glDepthMask(on ? GL_TRUE : GL_FALSE);
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
  if (m_sent.viewport.Change({box.x, box.y, box.width, box.height})) {
    glViewport(box.x, box.y, box.width, box.height);
  }
  if (m_sent.depth_range.Change({v.min_z, v.max_z})) glDepthRange(v.min_z, v.max_z);
}

void OpenGLBackend::ApplyRenderStates(const DeviceState& s, bool has_depth) {
  GlStateCache& c = m_sent;
  Switch(Cap::kDepthTest, has_depth && s.Render(D3DRENDERSTATE_ZENABLE) != D3DZB_FALSE);
  const GLenum depth_func = CompareFunction(s.Render(D3DRENDERSTATE_ZFUNC));
  if (c.depth_func.Change(depth_func)) glDepthFunc(depth_func);
  SendDepthMask(s.Render(D3DRENDERSTATE_ZWRITEENABLE) != 0);

  Switch(Cap::kAlphaTest, s.Render(D3DRENDERSTATE_ALPHATESTENABLE) != 0);
  const std::pair<uint32_t, float> alpha{CompareFunction(s.Render(D3DRENDERSTATE_ALPHAFUNC)),
                                         (s.Render(D3DRENDERSTATE_ALPHAREF) & 0xFF) / 255.0f};
  if (c.alpha_func.Change(alpha)) glAlphaFunc(alpha.first, alpha.second);

  Switch(Cap::kBlend, s.Render(D3DRENDERSTATE_ALPHABLENDENABLE) != 0);
  const uint32_t src = s.Render(D3DRENDERSTATE_SRCBLEND);
  uint32_t dst = s.Render(D3DRENDERSTATE_DESTBLEND);
  if (src == D3DBLEND_BOTHSRCALPHA || src == D3DBLEND_BOTHINVSRCALPHA) dst = src;
  const std::pair<uint32_t, uint32_t> blend{BlendFactor(src, true), BlendFactor(dst, false)};
  if (c.blend_func.Change(blend)) glBlendFunc(blend.first, blend.second);

  const CullSetting cull = Cull(s.Render(D3DRENDERSTATE_CULLMODE));
  Switch(Cap::kCullFace, cull.enabled);
  if (c.cull_face.Change(cull.face)) glCullFace(cull.face);

  const uint32_t fill = s.Render(D3DRENDERSTATE_FILLMODE);
  const GLenum polygon = fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL;
  if (c.polygon_mode.Change(polygon)) glPolygonMode(GL_FRONT_AND_BACK, polygon);
  const GLenum shade = s.Render(D3DRENDERSTATE_SHADEMODE) == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH;
  if (c.shade_model.Change(shade)) glShadeModel(shade);
  Switch(Cap::kDither, s.Render(D3DRENDERSTATE_DITHERENABLE) != 0);

  Switch(Cap::kLighting, s.Render(D3DRENDERSTATE_LIGHTING) != 0);
  const Floats4 ambient = ArgbFloats(s.Render(D3DRENDERSTATE_AMBIENT));
  if (c.light_ambient.Change(ambient)) glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  const bool local_viewer = s.Render(D3DRENDERSTATE_LOCALVIEWER) != 0;
  if (c.local_viewer.Change(local_viewer)) glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, local_viewer ? 1 : 0);
  Switch(Cap::kNormalize, s.Render(D3DRENDERSTATE_NORMALIZENORMALS) != 0);

  // Vertex colours feed the material only where the states say so; the vertices carry one colour.
  const GLenum color_material = ColorMaterialMode(s);
  if (color_material != 0 && c.color_material.Change(color_material)) {
    glColorMaterial(GL_FRONT_AND_BACK, color_material);
  }
  Switch(Cap::kColorMaterial, color_material != 0);
  if (color_material != 0) {
    // Switched on (or re-aimed), it copies the current colour into the material at once.
    c.material_diffuse.Forget();
    c.material_ambient.Forget();
    c.material_emission.Forget();
  }
}

void OpenGLBackend::ApplyMaterial(const DeviceState& s) {
  GlStateCache& c = m_sent;
  const Material& m = s.material;
  if (const Floats4 v = ToFloats(m.diffuse); c.material_diffuse.Change(v)) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, v.data());
  }
  if (const Floats4 v = ToFloats(m.ambient); c.material_ambient.Change(v)) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, v.data());
  }
  if (const Floats4 v = ToFloats(m.emissive); c.material_emission.Change(v)) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, v.data());
  }
  // Without the specular state Direct3D adds no highlight at all.
  const bool specular = s.Render(D3DRENDERSTATE_SPECULARENABLE) != 0;
  if (const Floats4 v = specular ? ToFloats(m.specular) : Floats4{}; c.material_specular.Change(v)) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, v.data());
  }
  if (const float power = std::clamp(m.power, 0.0f, 128.0f); c.material_shininess.Change(power)) {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, power);
  }
  // With colour material on, the colour given next (even the same one) must replace what was just
  // set: the vertex colour wins, as in Direct3D.
  if (!c.Of(Cap::kColorMaterial).Known() || c.Of(Cap::kColorMaterial).Value()) c.current_color.Forget();
}

void OpenGLBackend::ApplyLights(const DeviceState& s) {
  // GL keeps light positions in eye space, taken through the modelview matrix at the time they are
  // given; Direct3D's are in world space, so they are given under the view alone and again after
  // every change of view.
  Floats16 view;
  std::copy(s.view.m, s.view.m + 16, view.begin());
  LoadMatrix(GL_MODELVIEW, m_sent.modelview, view);
  int unit = 0;
  for (const auto& [index, slot] : s.lights) {
    if (!slot.enabled || unit >= m_max_lights) continue;
    const GLenum id = GL_LIGHT0 + unit;
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
    if (m_sent.lights[unit++].Change(true)) glEnable(id);
  }
  for (; unit < m_max_lights; ++unit) {
    if (m_sent.lights[unit].Change(false)) glDisable(GL_LIGHT0 + unit);
  }
}

void OpenGLBackend::ApplyTransforms(const DeviceState& s) {
  if (s.dirty & kDirtyProjection) {
    Floats16 projection;
    ProjectionForGl(s.projection, projection.data());
    LoadMatrix(GL_PROJECTION, m_sent.projection, projection);
  }
  if (s.dirty & kDirtyLights) ApplyLights(s);
  if (s.dirty & (kDirtyWorld | kDirtyView | kDirtyLights)) {
    Floats16 modelview;
    ModelviewForGl(s.world, s.view, modelview.data());
    LoadMatrix(GL_MODELVIEW, m_sent.modelview, modelview);
  }
}

}  // namespace gfx::gl
