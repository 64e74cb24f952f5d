// The OpenGL backend, checked by reading back pixels: depth mapping, viewport orientation, culling,
// blending and colour order, the texture matrix, clamping and wrapping, stages without textures,
// multi-stage combining, lighting and 32-bit indices. Runs on SDL's "offscreen" video driver (EGL)
// unless SDL_VIDEODRIVER says otherwise, and skips when no GL context can be made.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/platform/gfx/GlRenderFixture.h"

namespace gfx {
namespace {

using testing::GlRender;
using testing::kSize;
using testing::MakeTexture;
using testing::V;
using testing::Vertex;
using testing::kFvf;

TEST_F(GlRender, ColoursKeepTheirChannelsAndTheTopLeftOriginAsTheViewportDoes) {
  ClearAll(0xFF000000);
  Flat();
  Quad(-1, 0, 0, 1, 0.5f, 0xFFFF0000);  // top-left quadrant red
  Quad(0, -1, 1, 0, 0.5f, 0xFF0000FF);  // bottom-right blue
  EXPECT_PIXEL(8, 8, 0xFF0000);
  EXPECT_PIXEL(56, 56, 0x0000FF);
  EXPECT_PIXEL(56, 8, 0x000000);
  // The viewport is measured from the top left too.
  ClearAll(0xFF000000);
  ASSERT_EQ(D().SetViewport(Viewport{0, 0, 32, 32, 0, 1}), DD_OK);
  FullQuad(0xFF00FF00);
  EXPECT_PIXEL(8, 8, 0x00FF00);
  EXPECT_PIXEL(40, 40, 0x000000);
  EXPECT_PIXEL(8, 40, 0x000000);
  // A clear touches the viewport only.
  ASSERT_EQ(D().SetViewport(Viewport{32, 0, 32, 32, 0, 1}), DD_OK);
  ASSERT_EQ(D().Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), DD_OK);
  EXPECT_PIXEL(48, 8, 0xFF0000);
  EXPECT_PIXEL(8, 8, 0x00FF00);
  EXPECT_PIXEL(48, 48, 0x000000);
}

TEST_F(GlRender, DepthFollowsTheDirect3DProjectionFromZeroToOne) {
  ClearAll(0xFF000000);
  Flat();
  // The perspective projection the cameras build: near 1, far 100, fov 90 at 4:3.
  const float n = 1, f = 100, t = std::tan(3.1415927f / 6), top = t * n, right = top * 1.3333334f;
  Matrix p;
  p.m[0] = 2 * n / (2 * right);
  p.m[5] = 2 * n / (2 * top);
  p.m[10] = f / (f - n);
  p.m[11] = 1;
  p.m[14] = f * n / (n - f);
  p.m[15] = 0;
  ASSERT_EQ(D().SetTransform(D3DTRANSFORMSTATE_PROJECTION, p), DD_OK);
  Quad(-20, -20, 20, 20, 10, 0xFF00FF00);  // at eye depth 10, covering the view
  float depth = -1;
  glReadPixels(32, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_NEAR(depth, (f / (f - n)) + f * n / ((n - f) * 10), 2e-3) << "Direct3D's z / w";
  Quad(-20, -20, 20, 20, 50, 0xFFFF0000);  // behind: hidden (less-or-equal test)
  EXPECT_PIXEL(32, 32, 0x00FF00);
  Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0.7f, 0xFF0000FF);  // nearer than the near plane: clipped
  EXPECT_PIXEL(32, 32, 0x00FF00);
  Quad(-20, -20, 20, 20, 5, 0xFFFFFFFF);  // in front: drawn
  EXPECT_PIXEL(32, 32, 0xFFFFFF);
}

TEST_F(GlRender, CullingFollowsTheScreenWinding) {
  // Top-left, top-right, bottom: clockwise as seen on screen.
  const Vertex clockwise[3] = {V(-1, 1, 0.5f, 0xFFFFFFFF), V(1, 1, 0.5f, 0xFFFFFFFF),
                               V(0, -1, 0.5f, 0xFFFFFFFF)};
  const uint16_t indices[3] = {0, 1, 2};
  const struct {
    uint32_t cull;
    uint32_t expected;
  } cases[] = {{D3DCULL_NONE, 0xFFFFFF}, {D3DCULL_CW, 0x000000}, {D3DCULL_CCW, 0xFFFFFF}};
  for (const auto& c : cases) {
    ClearAll(0xFF000000);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_CULLMODE, c.cull), DD_OK);
    ASSERT_EQ(D().DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, clockwise, 3, indices, 3, 2, 0), DD_OK);
    EXPECT_PIXEL(32, 20, c.expected) << "cull mode " << c.cull;
  }
}

// By the vertex colour's alpha, by the texture's when the stage takes it, and added.
TEST_F(GlRender, AlphaBlendingMixesWithTheTarget) {
  ClearAll(0xFF0000FF);
  Flat();
  SourceAlphaBlend();
  FullQuad(0x80FF0000);
  EXPECT_PIXEL(32, 32, 0x80007F);
  auto half = MakeTexture(*rig.directdraw, 4, 4, 0x80FFFFFF);
  ASSERT_EQ(D().SetTexture(0, half), DD_OK);
  ClearAll(0xFF000000);
  FullQuad(0xFFFF0000);
  EXPECT_PIXEL(32, 32, 0x800000);
  ASSERT_EQ(D().SetTexture(0, nullptr), DD_OK);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE), DD_OK);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE), DD_OK);
  FullQuad(0xFF00FF00);
  EXPECT_PIXEL(32, 32, 0x80FF00);
}

class GlTextured : public GlRender {
 protected:
  // A 2 x 1 texture, red on the left, green on the right, sampled at points.
  std::shared_ptr<Surface> TwoColours() {
    auto texture = MakeTexture(*rig.directdraw, 2, 1, 0xFFFF0000);
    SurfaceDesc locked;
    EXPECT_EQ(texture->Lock(nullptr, locked, 0), DD_OK);
    static_cast<uint32_t*>(locked.memory)[1] = 0xFF00FF00;
    texture->Unlock(nullptr);
    return texture;
  }
};

TEST_F(GlTextured, TheTextureMatrixOffsetMovesTheCoordinates) {
  ClearAll(0xFF000000);
  Flat();
  auto texture = TwoColours();
  ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(8, 32, 0xFF0000);
  EXPECT_PIXEL(56, 32, 0x00FF00);
  Matrix offset;  // the shader stage's form: scale in 0 and 5, offset in 8 and 9
  offset.m[8] = 0.5f;
  ASSERT_EQ(D().SetTransform(D3DTRANSFORMSTATE_TEXTURE0, offset), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(8, 32, 0x00FF00);
  EXPECT_PIXEL(56, 32, 0xFF0000) << "wrapped round";
}

TEST_F(GlTextured, ClampHoldsTheEdgeWhereWrapRepeats) {
  Flat();
  auto texture = TwoColours();
  ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
  // u runs from -1 to 2 across the quad: thirds of 21 pixels.
  ClearAll(0xFF000000);
  Quad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFF, -1, 0, 2, 1);
  EXPECT_PIXEL(3, 32, 0xFF0000);   // u -0.86: wrapped to 0.14
  EXPECT_PIXEL(17, 32, 0x00FF00);  // u -0.2: wrapped to 0.8
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP), DD_OK);
  ClearAll(0xFF000000);
  Quad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFF, -1, 0, 2, 1);
  EXPECT_PIXEL(3, 32, 0xFF0000);
  EXPECT_PIXEL(17, 32, 0xFF0000);  // clamped to the left edge
  EXPECT_PIXEL(60, 32, 0x00FF00);  // clamped to the right edge
}

TEST_F(GlTextured, AStageWithoutATextureDrawsAsIfWhite) {
  ClearAll(0xFF000000);
  Flat();
  ASSERT_EQ(D().SetTexture(0, nullptr), DD_OK);
  FullQuad(0xFF00FF00);  // texture x diffuse with no texture: the diffuse colour
  EXPECT_PIXEL(32, 32, 0x00FF00);
  // A second stage switched on without a texture changes nothing.
  auto red = MakeTexture(*rig.directdraw, 4, 4, 0xFFFF0000);
  ASSERT_EQ(D().SetTexture(0, red), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0xFF0000);
}

TEST_F(GlTextured, TheSecondStageCombinesWithTheFirstStagesResult) {
  ClearAll(0xFF000000);
  Flat();
  auto grey = MakeTexture(*rig.directdraw, 4, 4, 0xFF808080);
  auto green = MakeTexture(*rig.directdraw, 4, 4, 0xFF00FF00);
  ASSERT_EQ(D().SetTexture(0, grey), DD_OK);
  ASSERT_EQ(D().SetTexture(1, green), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x008000);
  // Unbinding the second stage's texture leaves the first stage's result.
  ASSERT_EQ(D().SetTexture(1, nullptr), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x808080);
}

TEST_F(GlTextured, MipLevelsAreUploadedAndALockedLevelIsUploadedAgain) {
  ClearAll(0xFF000000);
  Flat();
  // A texture without mip levels ignores the mip filter.
  auto red = MakeTexture(*rig.directdraw, 64, 64, 0xFFFF0000);
  ASSERT_EQ(D().SetTexture(0, red), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR), DD_OK);
  Quad(-0.25f, -0.25f, 0.25f, 0.25f, 0.5f, 0xFFFFFFFF);  // 16 x 16 pixels: minified
  EXPECT_PIXEL(32, 32, 0xFF0000);
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_POINT), DD_OK);
  auto texture = MakeTexture(*rig.directdraw, 64, 64, 0xFFFF0000, 7);
  ASSERT_NE(texture, nullptr);
  std::shared_ptr<Surface> level = texture;
  for (int i = 1; i < 7; ++i) {  // every lower level blue
    std::shared_ptr<Surface> next;
    ASSERT_EQ(level->GetAttachedSurface(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, next), DD_OK);
    SurfaceDesc locked;
    ASSERT_EQ(next->Lock(nullptr, locked, 0), DD_OK);
    for (uint32_t y = 0; y < locked.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.memory) + y * locked.pitch);
      for (uint32_t x = 0; x < locked.width; ++x) row[x] = 0xFF0000FF;
    }
    ASSERT_EQ(next->Unlock(nullptr), DD_OK);
    level = next;
  }
  ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
  ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_POINT), DD_OK);
  FullQuad(0xFFFFFFFF);  // 64 texels on 64 pixels: level 0
  EXPECT_PIXEL(32, 32, 0xFF0000);
  Quad(-0.25f, -0.25f, 0.25f, 0.25f, 0.5f, 0xFFFFFFFF);  // a quarter size: a lower level
  EXPECT_PIXEL(32, 32, 0x0000FF);
  SurfaceDesc locked;
  ASSERT_EQ(texture->Lock(nullptr, locked, 0), DD_OK);
  static_cast<uint32_t*>(locked.memory)[0] = 0xFF00FF00;
  ASSERT_EQ(texture->Unlock(nullptr), DD_OK);
  Quad(-1, 0.9375f, -0.96875f, 1, 0.5f, 0xFFFFFFFF, 0, 0, 1.0f / 64, 1.0f / 64);  // texel 0
  EXPECT_PIXEL(0, 0, 0x00FF00);
  // The pixels a lock after drawing hands out are the texture's: the rest of level 0 and the
  // lower levels come back as they were uploaded.
  Quad(0, -1, 1, 0, 0.5f, 0xFFFFFFFF, 0.5f, 0.5f, 1, 1);
  EXPECT_PIXEL(48, 48, 0xFF0000);
  Quad(-0.25f, -0.25f, 0.25f, 0.25f, 0.5f, 0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x0000FF);
}

TEST_F(GlRender, LightingOnAndOff) {
  ClearAll(0xFF000000);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), DD_OK);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
  FullQuad(0xFF0000FF);  // normals face the viewer (-z)
  EXPECT_PIXEL(32, 32, 0x0000FF);

  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 1), DD_OK);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_COLORVERTEX, 0), DD_OK);
  Material material;
  material.diffuse = ColorValue{1, 0, 0, 1};
  ASSERT_EQ(D().SetMaterial(material), DD_OK);
  FullQuad(0xFF0000FF);
  EXPECT_PIXEL(32, 32, 0x000000) << "no light, no ambient";

  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFF404040), DD_OK);
  material.ambient = ColorValue{0, 1, 0, 1};
  ASSERT_EQ(D().SetMaterial(material), DD_OK);
  FullQuad(0xFF0000FF);
  EXPECT_PIXEL(32, 32, 0x004000);  // material ambient x global ambient

  Light light;
  light.type = D3DLIGHT_DIRECTIONAL;
  light.diffuse = ColorValue{1, 1, 1, 1};
  light.direction = Vector3{0, 0, 1};  // travelling away from the viewer, onto the quad
  ASSERT_EQ(D().SetLight(0, light), DD_OK);
  ASSERT_EQ(D().LightEnable(0, true), DD_OK);
  FullQuad(0xFF0000FF);
  EXPECT_PIXEL(32, 32, 0xFF4000);
  // A view that only moves the eye leaves a directional light as it was.
  Matrix view;
  view.m[12] = 0.25f;
  ASSERT_EQ(D().SetTransform(D3DTRANSFORMSTATE_VIEW, view), DD_OK);
  FullQuad(0xFF0000FF);
  EXPECT_PIXEL(48, 32, 0xFF4000);
  ASSERT_EQ(D().LightEnable(0, false), DD_OK);
  FullQuad(0xFF0000FF);
  EXPECT_PIXEL(48, 32, 0x004000);
}

TEST_F(GlRender, ThirtyTwoBitIndicesReachVerticesBeyond65535) {
  ClearAll(0xFF000000);
  Flat();
  std::vector<Vertex> vertices(70000, V(0, 0, 0.5f, 0xFFFF0000));
  vertices[65536 + 0] = V(-1, 1, 0.5f, 0xFF00FF00);
  vertices[65536 + 1] = V(1, 1, 0.5f, 0xFF00FF00);
  vertices[65536 + 2] = V(1, -1, 0.5f, 0xFF00FF00);
  vertices[65536 + 3] = V(-1, -1, 0.5f, 0xFF00FF00);
  const uint32_t indices[6] = {65536, 65537, 65538, 65536, 65538, 65539};
  ASSERT_EQ(D().DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, vertices.data(), 70000, indices, 6, 4, 0),
            DD_OK);
  EXPECT_PIXEL(32, 32, 0x00FF00);
}

TEST_F(GlTextured, ATextureOutlivesItsContextAndIsUploadedToTheNextOne) {
  auto texture = MakeTexture(*rig.directdraw, 4, 4, 0xFF00FF00);
  ClearAll(0xFF000000);
  Flat();
  ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x00FF00);
  // A device reset: everything released (the GL context with it) and made again.
  rig = testing::Rig{};
  testing::MakeRig(rig, reinterpret_cast<window::NativeWindow*>(m_window), kSize, kSize);
  ClearAll(0xFF000000);
  Flat();
  ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x00FF00);
}

TEST_F(GlRender, FullScreenSetsTheModeAndFlips) {
  rig = testing::Rig{};
  auto* native = reinterpret_cast<window::NativeWindow*>(m_window);
  SurfaceDesc mode;
  FullScreenPrimary(native, mode);
  if (HasFatalFailure()) return;
  ASSERT_EQ(rig.primary->GetAttachedSurface(DDSCAPS_BACKBUFFER, rig.back), DD_OK);
  EXPECT_EQ(rig.back->Desc().width, mode.width);
  ASSERT_EQ(rig.directdraw->QueryDirect3D(rig.d3d), DD_OK);
  ASSERT_EQ(rig.d3d->CreateDevice(kDeviceHal, rig.back, rig.device), DD_OK);
  EXPECT_EQ(rig.directdraw->TestCooperativeLevel(), DD_OK);
  ASSERT_EQ(D().BeginScene(), DD_OK);
  ASSERT_EQ(D().Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), DD_OK);
  ASSERT_EQ(D().EndScene(), DD_OK);
  EXPECT_EQ(rig.primary->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
  ASSERT_EQ(rig.directdraw->RestoreDisplayMode(), DD_OK);
  ASSERT_EQ(rig.directdraw->SetCooperativeLevel(native, DDSCL_NORMAL), DD_OK);
  EXPECT_EQ(SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN, 0u);
}

TEST_F(GlTextured, SixteenBitFormatsKeepTheirChannels) {
  const struct {
    PixelFormat format;
    uint16_t texel;
    uint32_t rgb;
  } cases[] = {{FormatR5G6B5(), 0xF800, 0xFF0000},   {FormatR5G6B5(), 0x07E0, 0x00FF00},
               {FormatR5G6B5(), 0x001F, 0x0000FF},   {FormatA1R5G5B5(), 0xFC00, 0xFF0000},
               {FormatA1R5G5B5(), 0x801F, 0x0000FF}, {FormatA4R4G4B4(), 0xFF00, 0xFF0000},
               {FormatA4R4G4B4(), 0xF0F0, 0x00FF00}, {FormatX8R8G8B8(), 0, 0x000000}};
  Flat();
  for (const auto& c : cases) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.caps = DDSCAPS_TEXTURE;
    desc.width = 3;  // an odd width pads the rows
    desc.height = 3;
    desc.format = c.format;
    std::shared_ptr<Surface> texture;
    ASSERT_EQ(rig.directdraw->CreateSurface(desc, texture), DD_OK);
    SurfaceDesc locked;
    ASSERT_EQ(texture->Lock(nullptr, locked, 0), DD_OK);
    for (uint32_t y = 0; y < 3; ++y) {
      auto* row = static_cast<uint8_t*>(locked.memory) + y * locked.pitch;
      for (uint32_t x = 0; x < 3; ++x) {
        if (c.format.bit_count == 16) {
          std::memcpy(row + x * 2, &c.texel, 2);
        } else {
          std::memset(row + x * 4, 0, 4);
        }
      }
    }
    ASSERT_EQ(texture->Unlock(nullptr), DD_OK);
    ClearAll(0xFF808080);
    ASSERT_EQ(D().SetTexture(0, texture), DD_OK);
    FullQuad(0xFFFFFFFF);
    EXPECT_PIXEL(32, 32, c.rgb) << "format of " << c.format.bit_count << " bits, texel " << c.texel;
  }
}

TEST_F(GlRender, DepthWritesAndTestsFollowTheirStates) {
  ClearAll(0xFF000000);
  Flat();
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1), DD_OK);
  Quad(-1, -1, 1, 1, 0.2f, 0xFFFF0000);
  Quad(-1, -1, 1, 1, 0.8f, 0xFF00FF00);
  EXPECT_PIXEL(32, 32, 0xFF0000);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_FALSE), DD_OK);
  Quad(-1, -1, 1, 1, 0.8f, 0xFF0000FF);
  EXPECT_PIXEL(32, 32, 0x0000FF);
  // A clear writes depth even while depth writes are off.
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE), DD_OK);
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0), DD_OK);
  ASSERT_EQ(D().Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), DD_OK);
  Quad(-1, -1, 1, 1, 0.9f, 0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0xFFFFFF);
}

TEST_F(GlRender, AWindowClosedBeforeTheDeviceIsReleasedIsNotTouched) {
  rig = testing::Rig{};
  SDL_Window* own = SDL_CreateWindow("closed early", 0, 0, kSize, kSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  ASSERT_NE(own, nullptr);
  SurfaceDesc mode;
  FullScreenPrimary(reinterpret_cast<window::NativeWindow*>(own), mode);
  if (HasFatalFailure()) return;
  SDL_DestroyWindow(own);
  EXPECT_EQ(rig.primary->Flip(nullptr, DDFLIP_WAIT), DDERR_NOHWND);
  EXPECT_EQ(rig.directdraw->TestCooperativeLevel(), DD_OK);
  rig = testing::Rig{};  // releases the primary, restores the mode and the level: no window asked
}

TEST_F(GlRender, PresentingShowsTheFrameAndTheDeviceReportsRealLimits) {
  DeviceDesc desc;
  ASSERT_EQ(D().GetCaps(desc), DD_OK);
  EXPECT_GE(desc.max_texture_width, 1024u);
  EXPECT_GE(desc.max_simultaneous_textures, 2u);
  ClearAll(0xFF00FF00);
  ASSERT_EQ(rig.primary->Blt(nullptr, rig.back.get(), nullptr, DDBLT_WAIT), DD_OK);
  // A hidden X11 window owns no pixels on screen, so its front buffer reads as nothing there.
  if (std::string(SDL_GetCurrentVideoDriver()) != "offscreen") return;
  SurfaceDesc locked;
  ASSERT_EQ(rig.primary->Lock(nullptr, locked, DDLOCK_READONLY), DD_OK);
  const uint32_t front = static_cast<const uint32_t*>(locked.memory)[0] & 0xFFFFFF;
  rig.primary->Unlock(nullptr);
  EXPECT_EQ(front, 0x00FF00u);
}

}  // namespace
}  // namespace gfx
