// The OpenGL backend sends a state only when the context does not hold it already. These tests
// change the context behind the device's back (another context made current, a clear, a deleted
// texture whose name comes back, a second device, a resized window) and read back what the next
// draws show: it must be what the device's states say, never what the backend remembered.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "tests/platform/gfx/GlRenderFixture.h"

namespace gfx {
namespace {

using testing::GlRender;
using testing::kFvf;
using testing::kSize;
using testing::MakeTexture;
using testing::V;
using testing::Vertex;

class GlCache : public GlRender {
 protected:
  // A quad over the whole target, drawn by the given device.
  static void FullQuadOn(Device& device, uint32_t color, float z = 0.5f) {
    const Vertex vertices[4] = {V(-1, 1, z, color, 0, 0), V(1, 1, z, color, 1, 0), V(1, -1, z, color, 1, 1),
                                V(-1, -1, z, color, 0, 1)};
    const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    ASSERT_EQ(device.DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, vertices, 4, indices, 6, 2, 0), DD_OK);
  }

  // Half-transparent textured drawing: texture times vertex colour, blended by source alpha.
  void BlendedTexturing(Device& device, const std::shared_ptr<Surface>& texture) {
    ASSERT_EQ(device.SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
    ASSERT_EQ(device.SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), DD_OK);
    ASSERT_EQ(device.SetTexture(0, texture), DD_OK);
    ASSERT_EQ(device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE), DD_OK);
    ASSERT_EQ(device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE), DD_OK);
    ASSERT_EQ(device.SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1), DD_OK);
    ASSERT_EQ(device.SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA), DD_OK);
    ASSERT_EQ(device.SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA), DD_OK);
  }
};

TEST_F(GlCache, AnotherContextMadeCurrentMeanwhileChangesNothingTheDeviceDraws) {
  auto red = MakeTexture(*rig.directdraw, 4, 4, 0x80FF0000);
  BlendedTexturing(D(), red);
  ClearAll(0xFF000000);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x800000);
  // Someone works on the device's context without it, then makes a context of their own current
  // on the same window, and leaves it current with a scissor that would cut every draw to a pixel.
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  SDL_GLContext other = SDL_GL_CreateContext(m_window);
  ASSERT_NE(other, nullptr) << SDL_GetError();
  ASSERT_EQ(SDL_GL_GetCurrentContext(), other);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  ClearAll(0xFF0000FF);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0x80007F) << "textured and blended, in the device's own context";
  EXPECT_PIXEL(60, 4, 0x80007F);
  SDL_GL_DeleteContext(other);
}

TEST_F(GlCache, ACleanerClearLeavesTheDrawsToTheirOwnStates) {
  Flat();
  // Depth writes off: a clear still writes depth, and the draws after it must not.
  ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0), DD_OK);
  ClearAll(0xFF000000);
  Quad(-1, -1, 1, 1, 0.2f, 0xFFFF0000);
  Quad(-1, -1, 1, 1, 0.8f, 0xFF00FF00);  // farther, but nothing was written in front of it
  EXPECT_PIXEL(32, 32, 0x00FF00);
  // A clear of one corner cuts nothing drawn afterwards.
  const Rect corner{0, 0, 8, 8};
  ASSERT_EQ(D().Clear(1, &corner, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0), DD_OK);
  EXPECT_PIXEL(4, 4, 0x0000FF);
  EXPECT_PIXEL(32, 32, 0x00FF00);
  Quad(-1, -1, 1, 1, 0.2f, 0xFFFFFFFF);
  EXPECT_PIXEL(4, 4, 0xFFFFFF);
  EXPECT_PIXEL(32, 32, 0xFFFFFF);
  Quad(-1, -1, 1, 1, 0.8f, 0xFFFF00FF);  // still no depth written by the draw before
  EXPECT_PIXEL(32, 32, 0xFF00FF);
}

TEST_F(GlCache, ATextureMadeUnderADeletedOnesNameShowsItsOwnPixels) {
  Flat();
  ClearAll(0xFF000000);
  auto red = MakeTexture(*rig.directdraw, 4, 4, 0xFFFF0000);
  ASSERT_EQ(D().SetTexture(0, red), DD_OK);
  FullQuad(0xFFFFFFFF);
  EXPECT_PIXEL(32, 32, 0xFF0000);
  // GL unbinds a deleted texture and hands its name out again.
  ASSERT_EQ(D().SetTexture(0, nullptr), DD_OK);
  red.reset();
  const struct {
    uint32_t argb;
    uint32_t rgb;
  } textures[] = {{0xFF00FF00, 0x00FF00}, {0xFF0000FF, 0x0000FF}};
  std::shared_ptr<Surface> made[2];
  for (int i = 0; i < 2; ++i) made[i] = MakeTexture(*rig.directdraw, 4, 4, textures[i].argb);
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 2; ++i) {
      ASSERT_EQ(D().SetTexture(0, made[i]), DD_OK);
      FullQuad(0xFFFFFFFF);
      EXPECT_PIXEL(32, 32, textures[i].rgb) << "texture " << i << ", round " << round;
    }
  }
}

TEST_F(GlCache, TwoDevicesOnOneOutputEachDrawWithTheirOwnStates) {
  std::shared_ptr<Device> second;
  ASSERT_EQ(rig.d3d->CreateDevice(kDeviceTnLHal, rig.back, second), DD_OK);
  auto half_red = MakeTexture(*rig.directdraw, 4, 4, 0x80FF0000);
  BlendedTexturing(D(), half_red);
  ASSERT_EQ(second->SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
  ASSERT_EQ(second->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), DD_OK);
  // The first blends its half-red texture; the second draws its vertex colour as it is.
  const struct {
    Device* device;
    uint32_t color;
    uint32_t expected;  // over a black target
  } turns[] = {{rig.device.get(), 0xFFFFFFFF, 0x800000}, {second.get(), 0xFF00FF00, 0x00FF00},
               {rig.device.get(), 0xFFFFFFFF, 0x800000}, {second.get(), 0xFF00FF00, 0x00FF00}};
  for (const auto& turn : turns) {
    ClearAll(0xFF000000);
    FullQuadOn(*turn.device, turn.color);
    EXPECT_PIXEL(32, 32, turn.expected) << (turn.device == rig.device.get() ? "first" : "second") << " device";
  }
}

TEST_F(GlCache, AResizedWindowIsReadBackAtItsNewSize) {
  Flat();
  ClearAll(0xFFFF0000);
  EXPECT_PIXEL(8, 48, 0xFF0000);
  // The window shrinks to half its height: the output is what the window now shows.
  SDL_SetWindowSize(m_window, kSize, kSize / 2);
  EXPECT_PIXEL(8, 48, 0x000000) << "below the window's new edge";
  SDL_SetWindowSize(m_window, kSize, kSize);
  ClearAll(0xFF00FF00);
  EXPECT_PIXEL(8, 48, 0x00FF00);
}

}  // namespace
}  // namespace gfx
