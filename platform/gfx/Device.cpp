// The device: keeps every state, checks every argument and hands draws and clears to the backend.

#include "platform/gfx/Device.h"

#include "platform/gfx/Backend.h"
#include "platform/gfx/DirectDraw.h"
#include "platform/gfx/PixelStore.h"
#include "platform/gfx/Surface.h"

namespace gfx {
namespace {

// A device keeps at most this many lights (by distinct index); more are refused.
constexpr size_t kMaxLights = 1024;

// No output is this large; edges beyond it would overflow the backends' integer arithmetic
// (GL measures the viewport from the bottom edge in signed integers).
constexpr uint64_t kMaxViewportEdge = 65536;

bool IndexedDrawable(uint32_t primitive) {
  return primitive >= D3DPT_POINTLIST && primitive <= D3DPT_TRIANGLEFAN;
}

template <typename Index>
bool IndicesBelow(const void* indices, uint32_t count, uint32_t limit) {
  const auto* p = static_cast<const Index*>(indices);
  for (uint32_t i = 0; i < count; ++i) {
    if (p[i] >= limit) return false;
  }
  return true;
}

}  // namespace

uint32_t VertexStride(uint32_t fvf) {
  const uint32_t known = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR |
                         D3DFVF_TEXCOUNT_MASK;
  if ((fvf & ~known) != 0 || (fvf & D3DFVF_XYZ) == 0) return 0;
  const uint32_t tex_sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (tex_sets > 8) return 0;
  uint32_t stride = 12;
  if (fvf & D3DFVF_NORMAL) stride += 12;
  if (fvf & D3DFVF_DIFFUSE) stride += 4;
  if (fvf & D3DFVF_SPECULAR) stride += 4;
  return stride + tex_sets * 8;
}

Device::Device(std::shared_ptr<DirectDraw> owner, const DeviceDesc& desc,
               std::shared_ptr<Surface> target)
    : m_owner(std::move(owner)),
      m_backend(m_owner->Backend()),
      m_desc(desc),
      m_target(std::move(target)) {
  m_state.viewport = Viewport{0, 0, m_target->Desc().width, m_target->Desc().height, 0.0f, 1.0f};
}

Device::~Device() = default;

bool Device::TargetLost() const { return m_target->Lost(); }

Result Device::GetCaps(DeviceDesc& desc) {
  if (const Result r = m_backend->Admit(Call::kGetDeviceCaps, 0); Failed(r)) return r;
  desc = m_desc;
  return DD_OK;
}

Result Device::EnumTextureFormats(std::vector<PixelFormat>& formats) {
  formats.clear();
  if (const Result r = m_backend->Admit(Call::kEnumTextureFormats, 0); Failed(r)) return r;
  formats = m_backend->TextureFormats();
  return DD_OK;
}

Result Device::SetRenderTarget(const std::shared_ptr<Surface>& target) {
  if (const Result r = m_backend->Admit(Call::kSetRenderTarget, 0); Failed(r)) return r;
  if (!target) return DDERR_INVALIDPARAMS;
  if ((target->Desc().caps & DDSCAPS_3DDEVICE) == 0) return DDERR_INVALIDCAPS;
  m_target = target;
  m_state.dirty = kDirtyAll;
  return DD_OK;
}

Result Device::SetClipRect(const Rect* rect) {
  m_state.clipped = rect != nullptr;
  m_state.clip = rect != nullptr ? *rect : Rect{};
  return DD_OK;
}

Result Device::SetViewport(const Viewport& viewport) {
  if (const Result r = m_backend->Admit(Call::kSetViewport, 0); Failed(r)) return r;
  if (viewport.width == 0 || viewport.height == 0) return DDERR_INVALIDPARAMS;
  if (uint64_t{viewport.x} + viewport.width > kMaxViewportEdge ||
      uint64_t{viewport.y} + viewport.height > kMaxViewportEdge) {
    return DDERR_INVALIDPARAMS;
  }
  if (!(viewport.min_z >= 0.0f && viewport.max_z <= 1.0f && viewport.min_z <= viewport.max_z)) {
    return DDERR_INVALIDPARAMS;
  }
  if (viewport == m_state.viewport) return DD_OK;
  m_state.viewport = viewport;
  m_state.dirty |= kDirtyViewport;
  return DD_OK;
}

Result Device::GetViewport(Viewport& viewport) {
  if (const Result r = m_backend->Admit(Call::kGetViewport, 0); Failed(r)) return r;
  viewport = m_state.viewport;
  return DD_OK;
}

Result Device::Clear(uint32_t rect_count, const Rect* rects, uint32_t flags, uint32_t color,
                     float z, uint32_t stencil) {
  if (const Result r = m_backend->Admit(Call::kClear, flags); Failed(r)) return r;
  const uint32_t known = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
  if (flags == 0 || (flags & ~known) != 0) return DDERR_INVALIDPARAMS;
  if (rect_count > 0 && rects == nullptr) return DDERR_INVALIDPARAMS;
  if (!(z >= 0.0f && z <= 1.0f)) return DDERR_INVALIDPARAMS;
  if (TargetLost()) return DDERR_SURFACELOST;
  detail::ClearCall call{rect_count, rects, flags, color, z, stencil};
  return m_backend->Clear(m_state, call, m_target->HasDepth());
}

Result Device::BeginScene() {
  if (const Result r = m_backend->Admit(Call::kBeginScene, 0); Failed(r)) return r;
  if (m_in_scene) return DDERR_GENERIC;
  if (TargetLost()) return DDERR_SURFACELOST;
  m_in_scene = true;
  m_backend->SceneBegins();
  return DD_OK;
}

Result Device::EndScene() {
  if (const Result r = m_backend->Admit(Call::kEndScene, 0); Failed(r)) return r;
  if (!m_in_scene) return DDERR_GENERIC;
  m_in_scene = false;
  m_backend->SceneEnds();
  return TargetLost() ? DDERR_SURFACELOST : DD_OK;
}

Result Device::SetTransform(uint32_t state, const Matrix& matrix) {
  if (const Result r = m_backend->Admit(Call::kSetTransform, state); Failed(r)) return r;
  Matrix* target = nullptr;
  uint32_t dirty = 0;
  switch (state) {
    case D3DTRANSFORMSTATE_WORLD: target = &m_state.world, dirty = kDirtyWorld; break;
    // Lights are given in world space: a new view moves them on the screen.
    case D3DTRANSFORMSTATE_VIEW: target = &m_state.view, dirty = kDirtyView | kDirtyLights; break;
    case D3DTRANSFORMSTATE_PROJECTION: target = &m_state.projection, dirty = kDirtyProjection; break;
    default:
      if (state < D3DTRANSFORMSTATE_TEXTURE0 || state > D3DTRANSFORMSTATE_TEXTURE7) {
        return DDERR_INVALIDPARAMS;
      }
      target = &m_state.texture[state - D3DTRANSFORMSTATE_TEXTURE0], dirty = kDirtyStages;
      break;
  }
  if (*target == matrix) return DD_OK;
  *target = matrix;
  m_state.dirty |= dirty;
  return DD_OK;
}

Result Device::GetTransform(uint32_t state, Matrix& matrix) {
  switch (state) {
    case D3DTRANSFORMSTATE_WORLD: matrix = m_state.world; return DD_OK;
    case D3DTRANSFORMSTATE_VIEW: matrix = m_state.view; return DD_OK;
    case D3DTRANSFORMSTATE_PROJECTION: matrix = m_state.projection; return DD_OK;
    default:
      if (state < D3DTRANSFORMSTATE_TEXTURE0 || state > D3DTRANSFORMSTATE_TEXTURE7) {
        return DDERR_INVALIDPARAMS;
      }
      matrix = m_state.texture[state - D3DTRANSFORMSTATE_TEXTURE0];
      return DD_OK;
  }
}

Result Device::SetRenderState(uint32_t state, uint32_t value) {
  if (const Result r = m_backend->Admit(Call::kSetRenderState, state); Failed(r)) return r;
  if (state == 0 || state >= kRenderStateCount) return DDERR_INVALIDPARAMS;
  if (m_state.render[state] == value) return DD_OK;
  m_state.render[state] = value;
  m_state.dirty |= kDirtyRender;
  if (state == D3DRENDERSTATE_TEXTUREFACTOR) m_state.dirty |= kDirtyStages;
  if (state == D3DRENDERSTATE_SPECULARENABLE) m_state.dirty |= kDirtyMaterial;
  return DD_OK;
}

Result Device::GetRenderState(uint32_t state, uint32_t& value) {
  if (state == 0 || state >= kRenderStateCount) return DDERR_INVALIDPARAMS;
  value = m_state.render[state];
  return DD_OK;
}

Result Device::SetTextureStageState(uint32_t stage, uint32_t state, uint32_t value) {
  if (const Result r = m_backend->Admit(Call::kSetTextureStageState, state); Failed(r)) return r;
  if (stage >= kMaxTextureStages || state == 0 || state >= kTextureStageStateCount) {
    return DDERR_INVALIDPARAMS;
  }
  uint32_t* values = m_state.stage[stage];
  const bool both_axes = state == D3DTSS_ADDRESS;
  if (values[state] == value &&
      (!both_axes || (values[D3DTSS_ADDRESSU] == value && values[D3DTSS_ADDRESSV] == value))) {
    return DD_OK;
  }
  values[state] = value;
  if (both_axes) {
    values[D3DTSS_ADDRESSU] = value;
    values[D3DTSS_ADDRESSV] = value;
  }
  m_state.dirty |= kDirtyStages;
  return DD_OK;
}

Result Device::GetTextureStageState(uint32_t stage, uint32_t state, uint32_t& value) {
  if (stage >= kMaxTextureStages || state == 0 || state >= kTextureStageStateCount) {
    return DDERR_INVALIDPARAMS;
  }
  value = m_state.stage[stage][state];
  return DD_OK;
}

Result Device::SetTexture(uint32_t stage, const std::shared_ptr<Surface>& texture) {
  if (const Result r = m_backend->Admit(Call::kSetTexture, stage); Failed(r)) return r;
  if (stage >= kMaxTextureStages) return DDERR_INVALIDPARAMS;
  if (texture && texture->GetKind() != Surface::Kind::kTexture) return DDERR_INVALIDPARAMS;
  if (m_textures[stage] == texture) return DD_OK;
  m_textures[stage] = texture;
  m_state.texture_id[stage] = texture ? texture->Store()->id : 0;
  m_state.dirty |= kDirtyStages;
  return DD_OK;
}

bool Device::PreLoad(const std::shared_ptr<Surface>& texture) {
  if (!texture || texture->GetKind() != Surface::Kind::kTexture || texture->Store() == nullptr) return false;
  return m_backend->PreLoad(*texture->Store());
}

Result Device::GetTexture(uint32_t stage, std::shared_ptr<Surface>& texture) {
  if (stage >= kMaxTextureStages) return DDERR_INVALIDPARAMS;
  texture = m_textures[stage];
  return DD_OK;
}

Result Device::SetMaterial(const Material& material) {
  if (const Result r = m_backend->Admit(Call::kSetMaterial, 0); Failed(r)) return r;
  if (m_state.material == material) return DD_OK;
  m_state.material = material;
  m_state.dirty |= kDirtyMaterial;
  return DD_OK;
}

Result Device::GetMaterial(Material& material) {
  material = m_state.material;
  return DD_OK;
}

Result Device::SetLight(uint32_t index, const Light& light) {
  if (const Result r = m_backend->Admit(Call::kSetLight, index); Failed(r)) return r;
  if (light.type != D3DLIGHT_POINT && light.type != D3DLIGHT_SPOT &&
      light.type != D3DLIGHT_DIRECTIONAL) {
    return DDERR_INVALIDPARAMS;
  }
  auto it = m_state.lights.find(index);
  if (it == m_state.lights.end()) {
    if (m_state.lights.size() >= kMaxLights) return DDERR_OUTOFMEMORY;
    it = m_state.lights.emplace(index, LightSlot{}).first;
  } else if (it->second.light == light) {
    return DD_OK;
  }
  it->second.light = light;
  m_state.dirty |= kDirtyLights;
  return DD_OK;
}

Result Device::GetLight(uint32_t index, Light& light) {
  auto it = m_state.lights.find(index);
  if (it == m_state.lights.end()) return DDERR_INVALIDPARAMS;
  light = it->second.light;
  return DD_OK;
}

Result Device::LightEnable(uint32_t index, bool enable) {
  if (const Result r = m_backend->Admit(Call::kLightEnable, index); Failed(r)) return r;
  auto it = m_state.lights.find(index);
  if (it == m_state.lights.end()) {
    if (!enable) return DD_OK;
    if (m_state.lights.size() >= kMaxLights) return DDERR_OUTOFMEMORY;
    // Enabling a light never set gives the default one: white, shining along +z.
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = ColorValue{1, 1, 1, 0};
    light.direction = Vector3{0, 0, 1};
    it = m_state.lights.emplace(index, LightSlot{light, false}).first;
  }
  if (it->second.enabled == enable) return DD_OK;
  it->second.enabled = enable;
  m_state.dirty |= kDirtyLights;
  return DD_OK;
}

Result Device::DrawIndexedPrimitive(uint32_t primitive, uint32_t fvf, const void* vertices,
                                    uint32_t vertex_count, const void* indices,
                                    uint32_t index_count, uint32_t index_size, uint32_t flags) {
  if (const Result r = m_backend->Admit(Call::kDrawIndexedPrimitive, primitive); Failed(r)) {
    return r;
  }
  const uint32_t stride = VertexStride(fvf);
  if (stride == 0 || !IndexedDrawable(primitive)) return DDERR_INVALIDPARAMS;
  if (index_size != 2 && index_size != 4) return DDERR_INVALIDPARAMS;
  if (index_count == 0) return DD_OK;
  if (vertices == nullptr || indices == nullptr || vertex_count == 0) return DDERR_INVALIDPARAMS;
  const bool in_range = index_size == 2 ? IndicesBelow<uint16_t>(indices, index_count, vertex_count)
                                        : IndicesBelow<uint32_t>(indices, index_count, vertex_count);
  if (!in_range) return DDERR_INVALIDPARAMS;
  if (TargetLost()) return DDERR_SURFACELOST;

  detail::DrawCall call;
  call.primitive = primitive;
  call.fvf = fvf;
  call.stride = stride;
  call.vertices = static_cast<const uint8_t*>(vertices);
  call.vertex_count = vertex_count;
  call.indices = indices;
  call.index_count = index_count;
  call.index_size = index_size;
  detail::StageTextures textures;
  for (uint32_t i = 0; i < kMaxTextureStages; ++i) {
    textures.store[i] = m_textures[i] ? m_textures[i]->Store() : nullptr;
  }
  return m_backend->Draw(m_state, textures, call, m_target->HasDepth());
}

}  // namespace gfx
