// The render system's frame: clear and scene, presentation and the indexed draws of the bound
// vertex and index buffers.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

#include "source/render/ColorBytes.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/TexelScale.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

gfx::ColorValue ToColorValue(const Vector4& c) { return gfx::ColorValue{c.x, c.y, c.z, c.w}; }

// p times m, row vector times a row-major matrix, as the device transforms.
void Transform(const float p[4], const gfx::Matrix& m, float out[4]) {
  for (int c = 0; c < 4; ++c) out[c] = p[0] * m.m[c] + p[1] * m.m[4 + c] + p[2] * m.m[8 + c] + p[3] * m.m[12 + c];
}

// The viewport's pixels a draw's vertices span: their bounding rectangle after the world, view and
// projection transforms, cut to the viewport and the clip rectangle (a vertex behind the eye widens
// it to the whole).
void MeasureLayer(const gfx::DeviceState& state, const uint8_t* vertices, uint32_t stride, uint32_t count,
                  FrameLayer& layer) {
  const gfx::Viewport& vp = state.viewport;
  const float vx = static_cast<float>(vp.x), vy = static_cast<float>(vp.y);
  float left = vx + static_cast<float>(vp.width), top = vy + static_cast<float>(vp.height), right = vx, bottom = vy;
  for (uint32_t i = 0; i < count; ++i) {
    float position[4] = {0, 0, 0, 1};
    std::memcpy(position, vertices + static_cast<std::size_t>(i) * stride, 3 * sizeof(float));
    float world[4], view[4], clip[4];
    Transform(position, state.world, world);
    Transform(world, state.view, view);
    Transform(view, state.projection, clip);
    if (clip[3] <= 1e-6f) {
      left = vx;
      top = vy;
      right = vx + static_cast<float>(vp.width);
      bottom = vy + static_cast<float>(vp.height);
      break;
    }
    const float x = vx + (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(vp.width);
    const float y = vy + (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(vp.height);
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  left = std::max(left, vx);
  top = std::max(top, vy);
  right = std::min(right, vx + static_cast<float>(vp.width));
  bottom = std::min(bottom, vy + static_cast<float>(vp.height));
  if (state.clipped) {
    left = std::max(left, static_cast<float>(state.clip.left));
    top = std::max(top, static_cast<float>(state.clip.top));
    right = std::min(right, static_cast<float>(state.clip.right));
    bottom = std::min(bottom, static_cast<float>(state.clip.bottom));
  }
  layer.width = right > left ? static_cast<uint32_t>(std::lround(right - left)) : 0;
  layer.height = bottom > top ? static_cast<uint32_t>(std::lround(bottom - top)) : 0;
}

}  // namespace

void RenderSystem_D3D7::BeginFrame() {
  if (!s_device) return;
  // Flags naming only buffers the device lacks leave nothing to clear (the device would refuse).
  uint32_t d3d_clear_flags = 0;
  if (m_clear_flags & kClearTarget) d3d_clear_flags |= gfx::D3DCLEAR_TARGET;
  if ((m_clear_flags & kClearDepth) && m_depth) d3d_clear_flags |= gfx::D3DCLEAR_ZBUFFER;
  if (m_clear_flags & kClearStencil) d3d_clear_flags |= gfx::D3DCLEAR_STENCIL;
  if (d3d_clear_flags != 0) {
    const Vector4& clear_color = m_clear_color;
    Check(s_device->Clear(0, nullptr, d3d_clear_flags, ArgbFromColor(clear_color), 1.0f, 0),
          "m_device->Clear( 0, NULL, d3d_clear_flags, D3DRGBA(clear_color.x, clear_color.y, clear_color.z, "
          "clear_color.w), 1.0f, 0 )",
          __LINE__);
  }
  gfx::Result r = s_device->BeginScene();
  if (r == gfx::DDERR_SURFACELOST) {
    Check(s_directdraw->RestoreAllSurfaces(), "m_directdraw->RestoreAllSurfaces()", __LINE__);
    r = s_device->BeginScene();
  }
  Check(r, "m_device->BeginScene()", __LINE__);
}

void RenderSystem_D3D7::EndFrame() {
  if (!s_device) return;
  const gfx::Result r = s_device->EndScene();
  if (r == gfx::DDERR_SURFACELOST) {
    Check(s_directdraw->RestoreAllSurfaces(), "m_directdraw->RestoreAllSurfaces()", __LINE__);
    return;
  }
  Check(r, "m_device->EndScene()", __LINE__);
}

void RenderSystem_D3D7::Present() {
  std::swap(m_last_frame, m_frame);
  m_frame.Clear();
  if (!m_device_ready || !m_primary || !m_back) return;
  gfx::Result r;
  if (!IsFullScreen()) {
    if (g_render_settings.vsync) s_directdraw->WaitForVerticalBlank(gfx::DDWAITVB_BLOCKBEGIN);
    r = m_primary->Blt(nullptr, m_back.get(), nullptr, gfx::DDBLT_WAIT);
  } else {
    r = m_primary->Flip(nullptr, gfx::DDFLIP_WAIT | (g_render_settings.vsync ? 0u : gfx::DDFLIP_NOVSYNC));
  }
  if (r == gfx::DDERR_SURFACELOST) {
    Check(s_directdraw->RestoreAllSurfaces(), "m_directdraw->RestoreAllSurfaces()", __LINE__);
    return;
  }
  Check(r, "m_primary->Present()", __LINE__);
}

void RenderSystem_D3D7::DrawBound(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex,
                                  uint32_t vertex_count, uint32_t first_index, uint32_t primitive_count) {
  VertexBuffer_D3D7* vertices = VertexBuffer_D3D7::Current();
  IndexBuffer_D3D7* indices = IndexBuffer_D3D7::Current();
  if (!s_device || vertices == nullptr || indices == nullptr || primitive_count == 0) return;
  if (base_vertex >= vertices->GetCount()) return;
  // Counted in 64 bits: a count near the top of its range is cut to what the buffers hold, never
  // wrapped around to a small one (an index count of 0 would even mean "all").
  const uint64_t wanted = primitive == kTriangleStrip ? uint64_t{primitive_count} + 2 : uint64_t{primitive_count} * 3;
  uint32_t index_count = static_cast<uint32_t>(std::min<uint64_t>(wanted, UINT32_MAX));
  const void* index_data = indices->GetRange(first_index, index_count);
  if (index_data == nullptr) return;
  const uint32_t available = vertices->GetCount() - base_vertex;
  const uint32_t used =
      static_cast<uint32_t>(std::min<uint64_t>(available, uint64_t{first_vertex} + vertex_count));
  const uint8_t* vertex_data = vertices->Data() + static_cast<std::size_t>(base_vertex) * vertices->GetStride();
  const uint32_t d3d_primitive = primitive == kTriangleStrip ? gfx::D3DPT_TRIANGLESTRIP : gfx::D3DPT_TRIANGLELIST;
  const uint32_t mip_filter_asked = s_device->State().Stage(0, gfx::D3DTSS_MIPFILTER);
  const bool first_level_only = SamplesFirstLevelOnly(vertex_data, vertices->GetStride(), used, index_data, index_count,
                                                      indices->GetElementSize(), primitive == kTriangleStrip);
  if (first_level_only) s_device->SetTextureStageState(0, gfx::D3DTSS_MIPFILTER, gfx::D3DTFP_NONE);
  CountDraw(vertex_data, vertices->GetStride(), used);
  Check(s_device->DrawIndexedPrimitive(d3d_primitive, vertices->GetFormat(), vertex_data, used, index_data,
                                       index_count, indices->GetElementSize(), 0),
        "m_device->DrawIndexedPrimitive( primitive, D3DFVF_VERTEX, vertices, vertex_count, indices, index_count, 0 )",
        __LINE__);
  if (first_level_only) s_device->SetTextureStageState(0, gfx::D3DTSS_MIPFILTER, mip_filter_asked);
}

bool RenderSystem_D3D7::SamplesFirstLevelOnly(const uint8_t* vertices, uint32_t stride, uint32_t vertex_count,
                                              const void* indices, uint32_t index_count, uint32_t index_size,
                                              bool strip) {
  // A texture drawn at its own size or larger never reads below its first level: the mip filter
  // is dropped for the draw, which leaves every pixel as it was and spares the rasterizer a level
  // choice for every pixel group.
  const std::shared_ptr<gfx::Surface>& texture = s_textures[0];
  if (!texture || texture->Desc().mip_map_count <= 1) return false;
  const gfx::DeviceState& state = s_device->State();
  if (state.Stage(0, gfx::D3DTSS_MIPFILTER) == gfx::D3DTFP_NONE ||
      state.Stage(0, gfx::D3DTSS_MINFILTER) == gfx::D3DTFN_ANISOTROPIC ||
      state.Stage(0, gfx::D3DTSS_COLOROP) == gfx::D3DTOP_DISABLE) {
    return false;
  }
  return ReadsAtMostOneTexelAPixel(state, vertices, stride, vertex_count, indices, index_count, index_size, strip,
                                   texture->Desc().width, texture->Desc().height);
}

void RenderSystem_D3D7::SetTextureModulate(uint32_t operation, uint32_t first, uint32_t second) {
  Check(s_device->SetTextureStageState(0, operation, gfx::D3DTOP_MODULATE), "m_device->SetTextureStageState( 0, operation, D3DTOP_MODULATE )", __LINE__);
  Check(s_device->SetTextureStageState(0, first, gfx::D3DTA_TEXTURE), "m_device->SetTextureStageState( 0, first_argument, D3DTA_TEXTURE )", __LINE__);
  Check(s_device->SetTextureStageState(0, second, gfx::D3DTA_DIFFUSE), "m_device->SetTextureStageState( 0, second_argument, D3DTA_DIFFUSE )", __LINE__);
}

void RenderSystem_D3D7::DrawColored(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex,
                                    uint32_t vertex_count, uint32_t first_index, uint32_t primitive_count,
                                    const Vector4& color) {
  if (!s_device) return;
  const bool was_lit = m_lighting;
  const bool was_blending = m_alpha_blend;
  uint32_t old_source = 0, old_dest = 0, old_diffuse_source = 0;
  s_device->GetRenderState(gfx::D3DRENDERSTATE_SRCBLEND, old_source);
  s_device->GetRenderState(gfx::D3DRENDERSTATE_DESTBLEND, old_dest);
  s_device->GetRenderState(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, old_diffuse_source);
  // Every stage-0 state the draw sets, so that a shader's own combination survives it.
  static const uint32_t kStageStates[] = {gfx::D3DTSS_COLOROP, gfx::D3DTSS_COLORARG1, gfx::D3DTSS_COLORARG2,
                                          gfx::D3DTSS_ALPHAOP, gfx::D3DTSS_ALPHAARG1, gfx::D3DTSS_ALPHAARG2};
  uint32_t old_stage[std::size(kStageStates)] = {};
  for (std::size_t i = 0; i < std::size(kStageStates); ++i) {
    s_device->GetTextureStageState(0, kStageStates[i], old_stage[i]);
  }
  gfx::Material old_material;
  s_device->GetMaterial(old_material);

  if (!was_lit) SetLighting(true);
  // Blending is switched on only where it can show: a tint without alpha over a texture without
  // alpha (or none, which samples white) gives every pixel an alpha of 1, and blending it would
  // cost the draw a read of every pixel beneath for the same result.
  const bool blend = !was_blending && (color.w < 1.0f || MayBeTranslucent());
  if (blend) {
    SetAlphaBlendEnable(true);
    Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_SRCBLEND, gfx::D3DBLEND_SRCALPHA), "m_device->SetRenderState( D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA )", __LINE__);
    Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DESTBLEND, gfx::D3DBLEND_INVSRCALPHA), "m_device->SetRenderState( D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA )", __LINE__);
  }
  gfx::Material material = old_material;
  material.diffuse = material.ambient = material.emissive = ToColorValue(color);
  Check(s_device->SetMaterial(material), "m_device->SetMaterial( &material )", __LINE__);
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, gfx::D3DMCS_MATERIAL), "m_device->SetRenderState( D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL )", __LINE__);
  // The tint scales the texture's alpha as well as its colour, whether blending was on or not:
  // the transparent parts of a tinted lamp or ink stroke stay transparent. Without a texture
  // stage 0 samples white, so an untextured draw takes the tint's alpha alone.
  SetTextureModulate(gfx::D3DTSS_COLOROP, gfx::D3DTSS_COLORARG1, gfx::D3DTSS_COLORARG2);
  SetTextureModulate(gfx::D3DTSS_ALPHAOP, gfx::D3DTSS_ALPHAARG1, gfx::D3DTSS_ALPHAARG2);

  DrawBound(primitive, base_vertex, first_vertex, vertex_count, first_index, primitive_count);

  for (std::size_t i = 0; i < std::size(kStageStates); ++i) {
    Check(s_device->SetTextureStageState(0, kStageStates[i], old_stage[i]), "m_device->SetTextureStageState( 0, state, old_state )", __LINE__);
  }
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, old_diffuse_source), "m_device->SetRenderState( D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, old_diffuse_source )", __LINE__);
  Check(s_device->SetMaterial(old_material), "m_device->SetMaterial( &old_material )", __LINE__);
  if (blend) {
    Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_SRCBLEND, old_source), "m_device->SetRenderState( D3DRENDERSTATE_SRCBLEND, old_source )", __LINE__);
    Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DESTBLEND, old_dest), "m_device->SetRenderState( D3DRENDERSTATE_DESTBLEND, old_dest )", __LINE__);
    SetAlphaBlendEnable(false);
  }
  if (!was_lit) SetLighting(false);
}

void RenderSystem_D3D7::DrawTextured(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex,
                                     uint32_t vertex_count, uint32_t first_index, uint32_t primitive_count) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, gfx::D3DMCS_COLOR1), "m_device->SetRenderState( D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1 )", __LINE__);
  SetLighting(false);
  SetTextureModulate(gfx::D3DTSS_COLOROP, gfx::D3DTSS_COLORARG1, gfx::D3DTSS_COLORARG2);
  SetTextureModulate(gfx::D3DTSS_ALPHAOP, gfx::D3DTSS_ALPHAARG1, gfx::D3DTSS_ALPHAARG2);
  DrawBound(primitive, base_vertex, first_vertex, vertex_count, first_index, primitive_count);
}

void RenderSystem_D3D7::CountDraw(const uint8_t* vertices, uint32_t stride, uint32_t count) {
  ++m_frame.draws;
  if (m_alpha_blend) ++m_frame.blended_draws;
  if (!m_record_layers) return;
  FrameLayer layer;
  layer.blended = m_alpha_blend;
  MeasureLayer(s_device->State(), vertices, stride, count, layer);
  if (const std::shared_ptr<gfx::Surface>& texture = s_textures[0]) {
    layer.texture = texture.get();
    layer.texture_width = texture->Desc().width;
    layer.texture_height = texture->Desc().height;
    uint32_t mip_filter = gfx::D3DTFP_NONE;
    s_device->GetTextureStageState(0, gfx::D3DTSS_MIPFILTER, mip_filter);
    layer.mip_mapped = texture->Desc().mip_map_count > 1 && mip_filter != gfx::D3DTFP_NONE;
  }
  m_frame.covered_pixels += uint64_t{layer.width} * layer.height;
  m_frame.layers.push_back(layer);
}

bool RenderSystem_D3D7::MayBeTranslucent() const {
  for (uint32_t stage = 1; stage < gfx::kMaxTextureStages; ++stage) {
    if (s_textures[stage]) return true;  // a later stage may bring alpha of its own
  }
  const std::shared_ptr<gfx::Surface>& texture = s_textures[0];
  return texture && texture->Desc().format.a_mask != 0;
}
