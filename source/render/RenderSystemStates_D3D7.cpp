// The render system's states: the defaults after every device creation and the setters.
#include <algorithm>
#include <cmath>

#include "source/render/ColorBytes.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"

namespace {

gfx::Matrix ToDevice(const Matrix4& m) {
  gfx::Matrix out;
  std::copy(m.m, m.m + 16, out.m);
  return out;
}

uint32_t CullMode(uint32_t mode) {
  return mode == 1 ? gfx::D3DCULL_CW : mode == 2 ? gfx::D3DCULL_CCW : gfx::D3DCULL_NONE;
}

uint32_t GetTextureAdressD3D(bool wrap) { return wrap ? gfx::D3DTADDRESS_WRAP : gfx::D3DTADDRESS_CLAMP; }

}  // namespace

void RenderSystem_D3D7::SetDefaultStates() {
  if (!s_device) return;
  SetWorldTransform(g_identity_matrix);
  SetAmbient(Vector4(0.0f, 0.0f, 0.0f, 1.0f));
  SetAlphaBlendEnable(false);
  SetBlend(0, 0);
  SetCullMode(0);
  SetLighting(false);
  SetNormalizeNormals(false);
  SetZEnable(false);
  SetZWriteEnable(true);

  const uint32_t stages = StageCount();
  for (uint32_t i = 0; i < stages; ++i) {
    // Stages from 1 up combine their texture with the result of the stage before; while no
    // texture is bound they are off (UnbindTexture switches them off).
    const uint32_t previous = i == 0 ? gfx::D3DTA_DIFFUSE : gfx::D3DTA_CURRENT;
    SetMaxAnisotropy(i, 1);
    SetTextureFilter(i, 1);
    SetTextureAddressU(i, true);
    SetTextureAddressV(i, true);
    SetTransform(i, g_identity_matrix);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_TEXTURETRANSFORMFLAGS, gfx::D3DTTFF_COUNT2), "m_device->SetTextureStageState( i, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2 )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_TEXCOORDINDEX, 0), "m_device->SetTextureStageState( i, D3DTSS_TEXCOORDINDEX, 0 )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_COLOROP, gfx::D3DTOP_MODULATE), "m_device->SetTextureStageState( i, D3DTSS_COLOROP, D3DTOP_MODULATE )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_COLORARG1, gfx::D3DTA_TEXTURE), "m_device->SetTextureStageState( i, D3DTSS_COLORARG1, D3DTA_TEXTURE )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_COLORARG2, previous), "m_device->SetTextureStageState( i, D3DTSS_COLORARG2, previous )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_ALPHAARG1, gfx::D3DTA_TEXTURE), "m_device->SetTextureStageState( i, D3DTSS_ALPHAARG1, D3DTA_TEXTURE )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_ALPHAARG2, previous), "m_device->SetTextureStageState( i, D3DTSS_ALPHAARG2, previous )", __LINE__);
    Check(s_device->SetTextureStageState(i, gfx::D3DTSS_ALPHAOP, i == 0 ? gfx::D3DTOP_MODULATE : gfx::D3DTOP_DISABLE), "m_device->SetTextureStageState( i, D3DTSS_ALPHAOP, alpha_op )", __LINE__);
    m_stage_switched_off[i] = false;
    UnbindTexture(i);
  }

  gfx::Material material;
  material.diffuse = gfx::ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
  material.ambient = gfx::ColorValue{0.6f, 0.6f, 0.6f, 1.0f};
  material.specular = gfx::ColorValue{0.0f, 0.0f, 0.0f, 0.0f};
  material.emissive = gfx::ColorValue{0.0f, 0.0f, 0.0f, 1.0f};
  material.power = 0.0f;
  Check(s_device->SetMaterial(material), "m_device->SetMaterial( &material )", __LINE__);
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_COLORVERTEX, 0), "m_device->SetRenderState( D3DRENDERSTATE_COLORVERTEX, FALSE )", __LINE__);
}

void RenderSystem_D3D7::SetWorldTransform(const Matrix4& world) {
  if (!s_device) return;
  Check(s_device->SetTransform(gfx::D3DTRANSFORMSTATE_WORLD, ToDevice(world)), "m_device->SetTransform( D3DTRANSFORMSTATE_WORLD, (D3DMATRIX*)&_matrix )", __LINE__);
}

void RenderSystem_D3D7::SetAmbient(const Vector4& c) {
  if (!s_device) return;
  const uint32_t argb = ArgbFromColor(c);
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_AMBIENT, argb), "m_device->SetRenderState( D3DRENDERSTATE_AMBIENT, D3DRGBA(_color.x, _color.y, _color.z, _color.w) )", __LINE__);
}

void RenderSystem_D3D7::SetBlend(uint32_t source, uint32_t dest) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_SRCBLEND, gfx::BlendFactorOfCode(source)), "m_device->SetRenderState( D3DRENDERSTATE_SRCBLEND, GetBlendD3D(_src) )", __LINE__);
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_DESTBLEND, gfx::BlendFactorOfCode(dest)), "m_device->SetRenderState( D3DRENDERSTATE_DESTBLEND, GetBlendD3D(_dest) )", __LINE__);
}

void RenderSystem_D3D7::SetMaxAnisotropy(uint32_t stage, uint32_t value) {
  if (!s_device) return;
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_MAXANISOTROPY, value), "m_device->SetTextureStageState( _index, D3DTSS_MAXANISOTROPY, _value )", __LINE__);
}

void RenderSystem_D3D7::SetTextureFilter(uint32_t stage, uint32_t mode) {
  if (!s_device) return;
  uint32_t mag = gfx::D3DTFG_POINT, min = gfx::D3DTFN_POINT, mip = gfx::D3DTFP_NONE;
  if (mode == 2) {
    const bool anisotropic = g_render_settings.texture_anisotropy >= 2;
    mag = anisotropic ? gfx::D3DTFG_ANISOTROPIC : gfx::D3DTFG_LINEAR;
    min = anisotropic ? gfx::D3DTFN_ANISOTROPIC : gfx::D3DTFN_LINEAR;
    mip = gfx::D3DTFP_LINEAR;
  } else if (mode == 1) {
    mag = gfx::D3DTFG_LINEAR;
    min = gfx::D3DTFN_LINEAR;
  }
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_MAGFILTER, mag), "m_device->SetTextureStageState( _index, D3DTSS_MAGFILTER, mag_filter )", __LINE__);
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_MINFILTER, min), "m_device->SetTextureStageState( _index, D3DTSS_MINFILTER, min_filter )", __LINE__);
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_MIPFILTER, mip), "m_device->SetTextureStageState( _index, D3DTSS_MIPFILTER, mip_filter )", __LINE__);
}

void RenderSystem_D3D7::SetTransform(uint32_t stage, const Matrix4& matrix) {
  if (!s_device || stage >= gfx::kMaxTextureStages) return;
  Check(s_device->SetTransform(gfx::D3DTRANSFORMSTATE_TEXTURE0 + stage, ToDevice(matrix)), "m_device->SetTransform( (D3DTRANSFORMSTATETYPE)(D3DTRANSFORMSTATE_TEXTURE0 + _index), (D3DMATRIX*)&_matrix )", __LINE__);
}

bool RenderSystem_D3D7::SetClipRect(const PixelRect* rect) {
  if (!s_device) return false;
  if (rect == nullptr) return !gfx::Failed(s_device->SetClipRect(nullptr));
  const gfx::Rect clip{rect->left, rect->top, rect->right, rect->bottom};
  return !gfx::Failed(s_device->SetClipRect(&clip));
}

void RenderSystem_D3D7::SetCullMode(uint32_t mode) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_CULLMODE, CullMode(mode)), "m_device->SetRenderState( D3DRENDERSTATE_CULLMODE, GetCullModeD3D(_mode) )", __LINE__);
}

void RenderSystem_D3D7::SetTextureAddressU(uint32_t stage, bool wrap) {
  if (!s_device) return;
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_ADDRESSU, GetTextureAdressD3D(wrap)), "m_device->SetTextureStageState( _index, D3DTSS_ADDRESSU, GetTextureAdressD3D(_adress ) )", __LINE__);
}

void RenderSystem_D3D7::SetTextureAddressV(uint32_t stage, bool wrap) {
  if (!s_device) return;
  Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_ADDRESSV, GetTextureAdressD3D(wrap)), "m_device->SetTextureStageState( _index, D3DTSS_ADDRESSV, GetTextureAdressD3D(_adress ) )", __LINE__);
}

void RenderSystem_D3D7::SetAlphaBlendEnable(bool enable) {
  m_alpha_blend = enable;
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_ALPHABLENDENABLE, enable ? 1 : 0), "m_device->SetRenderState( D3DRENDERSTATE_ALPHABLENDENABLE, _enable )", __LINE__);
}

void RenderSystem_D3D7::SetLighting(bool enable) {
  m_lighting = enable;
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_LIGHTING, enable ? 1 : 0), "m_device->SetRenderState( D3DRENDERSTATE_LIGHTING, _enable )", __LINE__);
}

void RenderSystem_D3D7::SetNormalizeNormals(bool enable) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_NORMALIZENORMALS, enable ? 1 : 0), "m_device->SetRenderState( D3DRENDERSTATE_NORMALIZENORMALS, _enable )", __LINE__);
}

void RenderSystem_D3D7::SetZEnable(bool enable) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_ZENABLE, enable ? gfx::D3DZB_TRUE : gfx::D3DZB_FALSE), "m_device->SetRenderState( D3DRENDERSTATE_ZENABLE, _enable )", __LINE__);
}

void RenderSystem_D3D7::SetZWriteEnable(bool enable) {
  if (!s_device) return;
  Check(s_device->SetRenderState(gfx::D3DRENDERSTATE_ZWRITEENABLE, enable ? 1 : 0), "m_device->SetRenderState( D3DRENDERSTATE_ZWRITEENABLE, _enable )", __LINE__);
}

void RenderSystem_D3D7::UnbindTexture(uint32_t stage) {
  if (stage >= StageCount()) return;
  s_textures[stage].reset();
  if (!s_device) return;
  Check(s_device->SetTexture(stage, nullptr), "m_device->SetTexture( _index, NULL )", __LINE__);
  if (stage > 0 && !m_stage_switched_off[stage]) {
    uint32_t op = gfx::D3DTOP_MODULATE;
    s_device->GetTextureStageState(stage, gfx::D3DTSS_COLOROP, op);
    m_stage_color_op[stage] = op == gfx::D3DTOP_DISABLE ? gfx::D3DTOP_MODULATE : op;
    Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_COLOROP, gfx::D3DTOP_DISABLE), "m_device->SetTextureStageState( _index, D3DTSS_COLOROP, D3DTOP_DISABLE )", __LINE__);
    m_stage_switched_off[stage] = true;
  }
}

void RenderSystem_D3D7::BindTexture(uint32_t stage, const std::shared_ptr<gfx::Surface>& texture) {
  if (stage >= StageCount() || !s_device) return;
  if (!texture) {
    UnbindTexture(stage);
    return;
  }
  s_textures[stage] = texture;
  Check(s_device->SetTexture(stage, texture), "m_device->SetTexture( _index, _texture )", __LINE__);
  if (stage > 0 && m_stage_switched_off[stage]) {
    // A shader that chose the stage's operation while it was off keeps its choice.
    uint32_t op = gfx::D3DTOP_DISABLE;
    s_device->GetTextureStageState(stage, gfx::D3DTSS_COLOROP, op);
    if (op == gfx::D3DTOP_DISABLE) {
      Check(s_device->SetTextureStageState(stage, gfx::D3DTSS_COLOROP, m_stage_color_op[stage]), "m_device->SetTextureStageState( _index, D3DTSS_COLOROP, color_op )", __LINE__);
    }
    m_stage_switched_off[stage] = false;
  }
}
