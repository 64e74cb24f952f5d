// The render system, cameras and lights on the OpenGL backend, checked by reading back the back
// surface: the clear colour, a stage without a texture drawing white, the centred 4:3 viewport and
// its orientation, blending through the blend codes, and lighting switched on and off through the
// light manager. Runs on SDL's "offscreen" video driver unless SDL_VIDEODRIVER says otherwise and
// skips when no window or GL context can be made. A device reset makes a new GL context: what the
// backend remembered sending to the old one must not stand in for the new one.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gfx/Backend.h"
#include "platform/gfx/gfx.h"
#include "platform/window/window.h"
#include "source/camera/CameraManager.h"
#include "source/core/Singleton.h"
#include "source/light/LightManager.h"
#include "source/properties/cProperties.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/RenderWindow.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

class GlRenderSystem : public testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    // Mesa's software driver is unloaded with the window's EGL display, and what it kept then
    // shows as leaks that no module can be blamed for; these tests run in the plain build.
    GTEST_SKIP() << "OpenGL read-back runs without AddressSanitizer";
#endif
    DestroySingletons();
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("VELMARIS_HEADLESS", "0", 1);
    window::Shutdown();
    gfx::detail::ResetBackend();
    m_started = true;
    if (!window::Initialize() || !window::CreateMainWindow("Velmaris")) {
      GTEST_SKIP() << "no window: " << window::LastError();
    }

    SetRenderWindowHooks(RenderWindowHooks());
    g_render_settings = RenderSettings();
    g_render_settings.fullscreen = false;
    g_render_settings.vsync = false;
    g_render_settings.width = 128;  // wider than 3:2: a centred 64 x 48 area from x = 32
    g_render_settings.height = 48;
    cProperties::GetInstance()->SetValue("log_directory", m_dir.Path());
    m_manager = RenderManager::GetInstance();
    if (!m_manager->IsStarted()) GTEST_SKIP() << "no GL device: " << gfx::LastErrorText();
    m_rs = m_manager->GetRenderSystemD3D7();
    m_camera = m_manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
    Camera_D3D7* camera = m_camera->GetCamera();
    camera->m_near = 1000.0f;  // the GUI camera's planes: z = 0 lies in the middle of the depth range
    camera->m_far = -1000.0f;
    m_manager->GetCameraManager()->UpdateAspectRatios();
  }

  void TearDown() override {
    m_manager = nullptr;
    DestroySingletons();
    if (m_started) {
      window::Shutdown();
      gfx::detail::ResetBackend();
      setenv("VELMARIS_HEADLESS", "1", 1);
      window::Shutdown();
      gfx::detail::ResetBackend();
    }
  }

  // A quad over camera units (x0, y0) to (x1, y1) with the given colour and normal (0, 0, -1).
  void Quad(float x0, float y0, float x1, float y1, uint32_t argb) {
    m_vertices = VertexBufferHolder(4, 0);
    m_indices = IndexBufferHolder(6, 0);
    const float xs[4] = {x0, x1, x0, x1};
    const float ys[4] = {y1, y1, y0, y0};
    for (uint32_t i = 0; i < 4; ++i) {
      Vertex* v = m_vertices->GetVertex(i);
      *v = Vertex{xs[i], ys[i], 0.0f, 0.0f, 0.0f, -1.0f, argb, 0.0f, 0.0f};
    }
    const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    m_indices.Upload(indices);
    m_indices->Bind();
    m_vertices->Bind();
  }

  void Begin() {
    m_rs->SetClearColor(Vector4(0.0f, 0.0f, 1.0f, 1.0f));
    m_rs->BeginFrame();
    m_rs->SetWorldTransform(g_identity_matrix);
    m_manager->GetCameraManager()->SetCurrentCamera(m_camera, false);
  }

  // The back surface's pixel at (x, y), origin top-left, as 0xRRGGBB.
  uint32_t Pixel(int x, int y) {
    const auto& back = m_rs->GetBackSurface();
    gfx::SurfaceDesc locked;
    EXPECT_EQ(back->Lock(nullptr, locked, gfx::DDLOCK_WAIT | gfx::DDLOCK_READONLY), gfx::DD_OK);
    if (locked.memory == nullptr) return 0xDEADBEEF;
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.memory) + y * locked.pitch);
    const uint32_t value = row[x] & 0xFFFFFF;
    back->Unlock(nullptr);
    return value;
  }

  static bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3) return false;
    }
    return true;
  }

  TempDir m_dir{"velmaris-glrender"};
  bool m_started = false;
  RenderManager* m_manager = nullptr;
  RenderSystem_D3D7* m_rs = nullptr;
  CameraHandle* m_camera = nullptr;
  VertexBufferHolder m_vertices;
  IndexBufferHolder m_indices;
};

#define EXPECT_PIXEL(x, y, rgb) \
  EXPECT_PRED2(Near, Pixel(x, y), (rgb)) << "pixel " << (x) << "," << (y) << " is " << std::hex << Pixel(x, y)

// The rest of the frame keeps the clear colour.
TEST_F(GlRenderSystem, TheCameraKeepsACentredFourByThreeAreaTheRightWayUp) {
  Begin();
  Quad(0.0f, 0.5f, 1.0f, 1.0f, 0xFFFF0000u);  // the upper half of the camera's area, red
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  m_rs->EndFrame();
  EXPECT_PIXEL(64, 4, 0xFF0000u);   // top rows
  EXPECT_PIXEL(64, 44, 0x0000FFu);  // bottom rows untouched
  EXPECT_PIXEL(16, 4, 0x0000FFu);   // the left margin
  EXPECT_PIXEL(111, 4, 0x0000FFu);  // the right margin
  EXPECT_PIXEL(34, 4, 0xFF0000u);
  EXPECT_PIXEL(93, 4, 0xFF0000u);
  EXPECT_PIXEL(0, 0, 0x0000FFu);
  EXPECT_PIXEL(127, 47, 0x0000FFu);
}

TEST_F(GlRenderSystem, AStageWithoutATextureDrawsTheVertexColourAsIfWhite) {
  std::shared_ptr<gfx::Surface> black = MakeSolidTexture(0xFF000000u);
  ASSERT_NE(black, nullptr);
  // A black texture on stage 1, then unbound: the stage is off again and the quad keeps its colour.
  m_rs->BindTexture(1, black);
  m_rs->UnbindTexture(1);
  m_rs->UnbindTexture(0);
  Begin();
  Quad(0.0f, 0.0f, 1.0f, 1.0f, 0xFF00FF00u);
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  m_rs->EndFrame();
  EXPECT_PIXEL(64, 24, 0x00FF00u);
  // Bound on stage 1 it darkens the result of stage 0.
  m_rs->BindTexture(1, black);
  Begin();
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  m_rs->EndFrame();
  EXPECT_PIXEL(64, 24, 0x000000u);
}

TEST_F(GlRenderSystem, ATintScalesTheTexturesColourAndAlphaOverTheBlueClear) {
  struct Case {
    uint32_t texel;  // ARGB
    Vector4 tint;
    bool blending;   // already on before the draw
    uint32_t rgb;
  };
  const Case cases[] = {
      {0x00FFFFFFu, Vector4(1, 1, 1, 0.5f), false, 0x0000FFu},  // a transparent texel stays unseen
      {0x00FFFFFFu, Vector4(1, 0, 0, 1.0f), true, 0x0000FFu},
      {0xFFFFFFFFu, Vector4(1, 0, 0, 0.5f), false, 0x80007Fu},  // half the tint over the clear
      {0x80FFFFFFu, Vector4(1, 0, 0, 1.0f), false, 0x80007Fu},  // half the texel, full tint
      {0xFF00FF00u, Vector4(1, 1, 1, 1.0f), true, 0x00FF00u},
  };
  for (const Case& c : cases) {
    std::shared_ptr<gfx::Surface> texture = MakeSolidTexture(c.texel);
    m_rs->BindTexture(0, texture);
    m_rs->SetAlphaBlendEnable(c.blending);
    if (c.blending) m_rs->SetBlend(4, 5);
    Begin();
    Quad(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    m_rs->DrawColored(kTriangleList, 0, 0, 4, 0, 2, c.tint);
    m_rs->EndFrame();
    EXPECT_PIXEL(64, 24, c.rgb) << std::hex << c.texel;
  }
  m_rs->UnbindTexture(0);
}

// Half-transparent red, textured and blended through the blend codes (source alpha, inverse source
// alpha), over the blue clear colour; the same after a reset.
TEST_F(GlRenderSystem, BlendCodesMixWithTheTargetAndAFrameAfterADeviceResetLooksLikeTheOneBefore) {
  auto frame = [this] {
    std::shared_ptr<gfx::Surface> texture = MakeSolidTexture(0x80FF0000u);
    m_manager->GetCameraManager()->UpdateAspectRatios();  // as every render pass does
    m_rs->SetAlphaBlendEnable(true);
    m_rs->SetBlend(4, 5);
    m_rs->BindTexture(0, texture);
    Begin();
    Quad(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
    m_rs->EndFrame();
    return Pixel(64, 24);
  };
  const uint32_t before = frame();
  EXPECT_PRED2(Near, before, 0x80007Fu) << std::hex << before;
  m_rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  ASSERT_TRUE(m_rs->IsDeviceReady());
  const uint32_t after = frame();
  EXPECT_PRED2(Near, after, 0x80007Fu) << std::hex << after;
}

TEST_F(GlRenderSystem, LightingFollowsTheLightManager) {
  LightManager* lights = m_manager->GetLightManager();
  Light_D3D7* light = lights->CreateLight(0);
  light->m_type = kLightDirectional;
  light->m_direction = Vector3(0.0f, 0.0f, 1.0f);  // shining onto the quad's front
  light->m_diffuse = Vector4(1.0f, 1.0f, 1.0f, 1.0f);
  const Vector4 grey(0.25f, 0.25f, 0.25f, 1.0f);

  light->m_enabled = false;
  lights->Apply();
  Begin();
  Quad(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
  m_rs->DrawColored(kTriangleList, 0, 0, 4, 0, 2, grey);
  m_rs->EndFrame();
  const uint32_t unlit = Pixel(64, 24);
  EXPECT_PRED2(Near, unlit, 0x404040u) << std::hex << unlit;

  light->m_enabled = true;
  lights->Apply();
  Begin();
  m_rs->DrawColored(kTriangleList, 0, 0, 4, 0, 2, grey);
  m_rs->EndFrame();
  const uint32_t lit = Pixel(64, 24);
  EXPECT_PRED2(Near, lit, 0x808080u) << std::hex << lit;
}

}  // namespace
