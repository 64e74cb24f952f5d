#pragma once
// The OpenGL read-back tests' fixture: a device on a back surface of 64 x 64 on one hidden window
// shared by every test, quads in clip coordinates, and pixels read back from the back surface.
// Runs on SDL's "offscreen" video driver (EGL) unless SDL_VIDEODRIVER says otherwise, and skips
// when no GL context can be made.

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/Backend.h"
#include "tests/platform/gfx/GfxFixture.h"

namespace gfx::testing {

inline constexpr int kSize = 64;

class GlRender : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("VELMARIS_HEADLESS", "0", 1);
    detail::ResetBackend();
    m_window = SharedWindow();
    if (!m_window) GTEST_SKIP() << "no SDL video or window: " << SDL_GetError();
    auto* native = reinterpret_cast<window::NativeWindow*>(m_window);
    ASSERT_STREQ(BackendName(), "opengl");
    ASSERT_EQ(CreateDirectDraw(nullptr, rig.directdraw), DD_OK);
    ASSERT_EQ(rig.directdraw->SetCooperativeLevel(native, DDSCL_NORMAL), DD_OK);
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS;
    desc.caps = DDSCAPS_PRIMARYSURFACE;
    if (Failed(rig.directdraw->CreateSurface(desc, rig.primary))) {
      GTEST_SKIP() << "no GL context: " << LastErrorText();
    }
    MakeRig(rig, native, kSize, kSize);  // a second primary on the same window is refused
  }

  void TearDown() override {
    rig = Rig{};
    detail::ResetBackend();
    setenv("VELMARIS_HEADLESS", "1", 1);
    detail::ResetBackend();
  }

  Device& D() { return *rig.device; }

  void ClearAll(uint32_t color) {
    ASSERT_EQ(D().SetViewport(Viewport{0, 0, kSize, kSize, 0, 1}), DD_OK);
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(D().Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, color, 1.0f, 0), DD_OK);
    }
  }

  // Unlit, untextured 2-D drawing with identity matrices: positions are clip coordinates.
  void Flat() {
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), DD_OK);
  }

  void Quad(float x0, float y0, float x1, float y1, float z, uint32_t color, float u0 = 0,
            float v0 = 0, float u1 = 1, float v1 = 1) {
    // Top-left, top-right, bottom-right, bottom-left as seen on screen (y up in clip space).
    const Vertex vertices[4] = {V(x0, y1, z, color, u0, v0), V(x1, y1, z, color, u1, v0),
                                V(x1, y0, z, color, u1, v1), V(x0, y0, z, color, u0, v1)};
    const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    ASSERT_EQ(D().DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, vertices, 4, indices, 6, 2, 0), DD_OK);
  }

  void FullQuad(uint32_t color) { Quad(-1, -1, 1, 1, 0.5f, color); }

  // Alpha from the texture times the vertex colour, blended over the target by that alpha, as the
  // renderer's default states and its coloured draws take it.
  void SourceAlphaBlend() {
    ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE), DD_OK);
    ASSERT_EQ(D().SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA), DD_OK);
  }

  // A full-screen primary with one back buffer on `native`, in the first mode the display lists.
  void FullScreenPrimary(window::NativeWindow* native, SurfaceDesc& mode) {
    ASSERT_EQ(CreateDirectDraw(nullptr, rig.directdraw), DD_OK);
    ASSERT_EQ(rig.directdraw->SetCooperativeLevel(native, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    std::vector<SurfaceDesc> modes;
    ASSERT_EQ(rig.directdraw->EnumDisplayModes(modes), DD_OK);
    ASSERT_FALSE(modes.empty());
    mode = modes.front();
    ASSERT_EQ(rig.directdraw->SetDisplayMode(mode.width, mode.height, mode.format.bit_count, mode.refresh_rate, 0),
              DD_OK);
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    desc.back_buffer_count = 1;
    ASSERT_EQ(rig.directdraw->CreateSurface(desc, rig.primary), DD_OK);
  }

  // The back buffer's pixel at (x, y), origin top-left, as 0xRRGGBB.
  uint32_t Pixel(int x, int y) {
    SurfaceDesc locked;
    EXPECT_EQ(rig.back->Lock(nullptr, locked, DDLOCK_WAIT | DDLOCK_READONLY), DD_OK);
    if (!locked.memory) return 0xDEADBEEF;
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.memory) +
                                                        y * locked.pitch);
    const uint32_t value = row[x] & 0xFFFFFF;
    rig.back->Unlock(nullptr);
    return value;
  }

  // One window for every test, kept to the end of the run: Mesa keeps a little memory for every
  // window it has seen, and unloads its driver when video stops, after which the sanitizer finds
  // that memory with no module to blame (and so no way to tell it from a leak of ours).
  static SDL_Window* SharedWindow() {
    static SDL_Window* window = [] {
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return static_cast<SDL_Window*>(nullptr);
      // Some video drivers fix a window's pixel format when it is made: ask for what the device
      // asks for, as the program's window service does.
      SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
      SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
      SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
      SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
      return SDL_CreateWindow("gfx test", 0, 0, kSize, kSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    }();
    return window;
  }

  Rig rig;
  SDL_Window* m_window = nullptr;
};

inline bool Near(uint32_t a, uint32_t b) {
  const int tolerance = 3;
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

#define EXPECT_PIXEL(x, y, rgb)                                                                  \
  EXPECT_PRED2(::gfx::testing::Near, Pixel(x, y), (rgb)) << "pixel " << (x) << "," << (y) << " is " \
                                                         << std::hex << Pixel(x, y)

}  // namespace gfx::testing
