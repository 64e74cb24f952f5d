#pragma once
// Helpers for the graphics tests: a DirectDraw object with a windowed primary, a back surface with
// a depth buffer and a device on it, made the way the renderer makes them.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/gfx/gfx.h"

namespace gfx::testing {

struct Vertex {  // the engine's vertex format 0x152
  float x, y, z;
  float nx, ny, nz;
  uint32_t color;  // ARGB
  float u, v;
};
static_assert(sizeof(Vertex) == 36);
inline constexpr uint32_t kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Rig {
  std::shared_ptr<DirectDraw> directdraw;
  std::shared_ptr<Direct3D> d3d;
  std::shared_ptr<Surface> primary, back, depth;
  std::shared_ptr<Device> device;
};

// Builds the rig on `window` (may be null headless) with a back surface of width x height.
inline void MakeRig(Rig& rig, window::NativeWindow* window, uint32_t width, uint32_t height) {
  ASSERT_EQ(CreateDirectDraw(nullptr, rig.directdraw), DD_OK);
  ASSERT_EQ(rig.directdraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
  SurfaceDesc desc;
  desc.flags = DDSD_CAPS;
  desc.caps = DDSCAPS_PRIMARYSURFACE;
  ASSERT_EQ(rig.directdraw->CreateSurface(desc, rig.primary), DD_OK) << LastErrorText();
  desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  desc.width = width;
  desc.height = height;
  ASSERT_EQ(rig.directdraw->CreateSurface(desc, rig.back), DD_OK);
  ASSERT_EQ(rig.directdraw->QueryDirect3D(rig.d3d), DD_OK);
  std::vector<PixelFormat> z_formats;
  ASSERT_EQ(rig.d3d->EnumZBufferFormats(kDeviceTnLHal, z_formats), DD_OK);
  ASSERT_FALSE(z_formats.empty());
  desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.caps = DDSCAPS_ZBUFFER;
  desc.format = z_formats.back();
  ASSERT_EQ(rig.directdraw->CreateSurface(desc, rig.depth), DD_OK);
  ASSERT_EQ(rig.back->AddAttachedSurface(rig.depth), DD_OK);
  ASSERT_EQ(rig.d3d->CreateDevice(kDeviceTnLHal, rig.back, rig.device), DD_OK);
  ASSERT_EQ(rig.device->SetRenderTarget(rig.back), DD_OK);
}

// A texture of `levels` levels (0: none asked), every texel of level 0 the given ARGB colour.
inline std::shared_ptr<Surface> MakeTexture(DirectDraw& dd, uint32_t width, uint32_t height,
                                            uint32_t argb, uint32_t levels = 1) {
  SurfaceDesc desc;
  desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
  desc.caps = DDSCAPS_TEXTURE;
  if (levels > 1) {
    desc.flags |= DDSD_MIPMAPCOUNT;
    desc.caps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    desc.mip_map_count = levels;
  }
  desc.caps2 = DDSCAPS2_TEXTUREMANAGE;
  desc.width = width;
  desc.height = height;
  desc.format = FormatA8R8G8B8();
  std::shared_ptr<Surface> texture;
  if (Failed(dd.CreateSurface(desc, texture))) return nullptr;
  SurfaceDesc locked;
  if (Failed(texture->Lock(nullptr, locked, DDLOCK_WAIT))) return nullptr;
  for (uint32_t y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.memory) + y * locked.pitch);
    for (uint32_t x = 0; x < width; ++x) row[x] = argb;
  }
  texture->Unlock(nullptr);
  return texture;
}

inline Vertex V(float x, float y, float z, uint32_t color, float u = 0, float v = 0) {
  return Vertex{x, y, z, 0, 0, -1, color, u, v};
}

}  // namespace gfx::testing
