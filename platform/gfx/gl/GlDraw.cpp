// The OpenGL backend's drawing side: clears and indexed draws. A draw sends only the groups of
// state the device marked as changed, and of those only the values the context does not hold
// already (GlStates.cpp, GlStages.cpp); the vertex arrays point into the caller's vertices.

#include <GL/gl.h>

#include <algorithm>

#include "platform/gfx/gl/GlBackend.h"
#include "platform/gfx/gl/GlConvert.h"

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace gfx::gl {

int OpenGLBackend::WatchWindowEvents(void* self, SDL_Event* event) {
  if (event->type == SDL_WINDOWEVENT && (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                                         event->window.event == SDL_WINDOWEVENT_RESIZED)) {
    static_cast<OpenGLBackend*>(self)->m_target_stale = true;
  }
  return 0;
}

void OpenGLBackend::TargetSize(int& width, int& height) {
  if (m_target_stale.exchange(false)) {
    m_target_width = m_target_height = 0;
    if (SDL_Window* window = OutputWindow()) SDL_GL_GetDrawableSize(window, &m_target_width, &m_target_height);
  }
  width = m_target_width;
  height = m_target_height;
}

bool OpenGLBackend::MakeContextCurrent() {
  if (!ContextReady()) return false;
  if (SDL_GL_GetCurrentContext() == m_context) return true;
  // Another context was made current meanwhile: draw into ours again, and trust nothing the cache
  // remembers, since whoever switched may have worked on ours before.
  SDL_Window* window = OutputWindow();
  if (window == nullptr || SDL_GL_MakeCurrent(window, m_context) != 0) return false;
  m_sent.ForgetAll();
  m_applied = nullptr;
  return true;
}

void OpenGLBackend::BeginStateFrom(DeviceState& s) {
  // Another device's state was sent last: every group is compared again (values the context holds
  // already are still not sent).
  if (m_applied != &s) {
    s.dirty = kDirtyAll;
    m_applied = &s;
  }
  int width = 0, height = 0;
  TargetSize(width, height);
  if ((s.dirty & kDirtyViewport) || width != m_last_target_width || height != m_last_target_height) {
    ApplyViewport(s);
  }
}

void OpenGLBackend::SelectClientUnit(int unit) {
  if (m_sent.client_unit.Change(static_cast<uint32_t>(unit))) glClientActiveTexture(GL_TEXTURE0 + unit);
}

void OpenGLBackend::SetVertexArrays(int units_in_use, const DeviceState& s, const detail::DrawCall& call) {
  GlStateCache& c = m_sent;
  auto client_state = [](Sent<bool>& sent, GLenum array, bool on) {
    if (!sent.Change(on)) return;
    if (on) {
      glEnableClientState(array);
    } else {
      glDisableClientState(array);
    }
  };
  const uint8_t* base = call.vertices;
  const auto stride = static_cast<int>(call.stride);
  uint32_t offset = 12;
  client_state(c.vertex_array, GL_VERTEX_ARRAY, true);
  if (c.vertex_source.Change({base, stride})) glVertexPointer(3, GL_FLOAT, stride, base);
  const bool normals = (call.fvf & D3DFVF_NORMAL) != 0;
  client_state(c.normal_array, GL_NORMAL_ARRAY, normals);
  if (normals) {
    if (c.normal_source.Change({base + offset, stride})) glNormalPointer(GL_FLOAT, stride, base + offset);
    offset += 12;
  } else if (c.current_normal.Change({0, 0, 0})) {
    glNormal3f(0, 0, 0);
  }
  const bool colors = (call.fvf & D3DFVF_DIFFUSE) != 0;
  client_state(c.color_array, GL_COLOR_ARRAY, colors);
  if (colors) {
    if (m_bgra_colors) {
      // ARGB words are B, G, R, A bytes: GL reads them in place.
      if (c.color_source.Change({{base + offset, stride}, true})) {
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + offset);
      }
    } else {
      // GL wants R, G, B, A bytes: the colours are copied in that order.
      m_colors.resize(static_cast<size_t>(call.vertex_count) * 4);
      for (uint32_t i = 0; i < call.vertex_count; ++i) {
        const uint8_t* in = base + static_cast<size_t>(i) * call.stride + offset;
        uint8_t* out = &m_colors[static_cast<size_t>(i) * 4];
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
      }
      if (c.color_source.Change({{m_colors.data(), 0}, false})) {
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, m_colors.data());
      }
    }
    offset += 4;
  } else if (c.current_color.Change({1, 1, 1, 1})) {
    glColor4f(1, 1, 1, 1);
  }
  if (call.fvf & D3DFVF_SPECULAR) offset += 4;
  const uint32_t sets = (call.fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  for (int unit = 0; unit < m_texture_units; ++unit) {
    UnitCache& u = c.units[unit];
    // A unit that is off reads no coordinates: its array is switched off, never left pointing at
    // vertices that may be gone by the next draw.
    const bool in_use = unit < units_in_use;
    const uint32_t set = s.Stage(static_cast<uint32_t>(unit), D3DTSS_TEXCOORDINDEX) & 0xFFFF;
    const bool array = in_use && set < sets;
    if (u.coord_array.Change(array)) {
      SelectClientUnit(unit);
      if (array) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
      }
    }
    if (array) {
      const uint8_t* coords = base + offset + set * 8;
      if (u.coord_source.Change({coords, stride})) {
        SelectClientUnit(unit);
        glTexCoordPointer(2, GL_FLOAT, stride, coords);
      }
    } else if (in_use && u.current_coord.Change({0, 0})) {
      glMultiTexCoord2f(GL_TEXTURE0 + unit, 0, 0);
    }
  }
}

Result OpenGLBackend::Clear(DeviceState& s, const detail::ClearCall& call, bool has_depth) {
  if (!MakeContextCurrent()) return DDERR_GENERIC;
  BeginStateFrom(s);
  s.dirty &= ~kDirtyViewport;
  GLbitfield mask = 0;
  if (call.flags & D3DCLEAR_TARGET) {
    Floats4 color;
    ArgbToFloats(call.color, color.data());
    if (m_sent.clear_color.Change(color)) glClearColor(color[0], color[1], color[2], color[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((call.flags & D3DCLEAR_ZBUFFER) && has_depth) {
    // A clear writes depth whatever the depth-write state says; the next draw sets it back.
    if (s.Render(D3DRENDERSTATE_ZWRITEENABLE) == 0) s.dirty |= kDirtyRender;
    SendDepthMask(true);
    if (m_sent.clear_depth.Change(call.z)) glClearDepth(call.z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (mask == 0) return DD_OK;
  int width = 0, height = 0;
  TargetSize(width, height);
  if (m_full_clears > 0 && (mask & GL_COLOR_BUFFER_BIT)) {
    --m_full_clears;
    Switch(Cap::kScissor, false);
    glClear(mask);
  }
  // Direct3D clears the viewport, or the given rectangles within it.
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
    if (box.x == 0 && box.y == 0 && box.width == width && box.height == height) {
      Switch(Cap::kScissor, false);  // the whole output: no scissor needed
    } else {
      Switch(Cap::kScissor, true);
      if (m_sent.scissor.Change({box.x, box.y, box.width, box.height})) {
        glScissor(box.x, box.y, box.width, box.height);
      }
    }
    glClear(mask);
  }
  // A draw sets the scissor its clip rectangle asks for.
  Switch(Cap::kScissor, false);
  return DD_OK;
}

Result OpenGLBackend::Draw(DeviceState& s, const detail::StageTextures& textures,
                           const detail::DrawCall& call, bool has_depth) {
  if (!MakeContextCurrent()) return DDERR_GENERIC;
  BeginStateFrom(s);
  if (s.dirty & kDirtyRender) ApplyRenderStates(s, has_depth);
  // Unlit, GL reads no material: one set while lighting is off waits in the device's state until a
  // lit draw (switching lighting on marks the render states) compares it with what GL holds.
  if ((s.dirty & (kDirtyMaterial | kDirtyRender)) && s.Render(D3DRENDERSTATE_LIGHTING) != 0) ApplyMaterial(s);
  const int units_in_use = ApplyStages(s, textures);
  ApplyTransforms(s);
  s.dirty = 0;
  SetVertexArrays(units_in_use, s, call);
  if (s.clipped) {
    int width = 0, height = 0;
    TargetSize(width, height);
    const Rect& r = s.clip;
    if (r.left >= r.right || r.top >= r.bottom) return DD_OK;  // nothing of the draw can show
    const Box box = FlipToBottomLeft(r.left, r.top, r.right - r.left, r.bottom - r.top, height);
    Switch(Cap::kScissor, true);
    if (m_sent.scissor.Change({box.x, box.y, box.width, box.height})) glScissor(box.x, box.y, box.width, box.height);
  } else {
    Switch(Cap::kScissor, false);
  }
  glDrawElements(PrimitiveMode(call.primitive), static_cast<GLsizei>(call.index_count),
                 call.index_size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, call.indices);
  m_sent.DrawDone();
  return DD_OK;
}

}  // namespace gfx::gl
