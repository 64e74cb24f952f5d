#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"
#include "source/render/DeviceResource.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"

namespace {

using gfx::headless::CallCount;
using gfx::Call;

class RenderSystemD3D7 : public RenderTest {
 protected:
  std::unique_ptr<RenderSystem_D3D7> Make() {
    ReadDesktopMode();
    return std::make_unique<RenderSystem_D3D7>();
  }
  const gfx::DeviceState& State() { return RenderSystem_D3D7::GetDevice()->State(); }
};

TEST_F(RenderSystemD3D7, WindowedStartMakesADeviceAtNormalLevelInAWindowThatFits) {
  auto rs = Make();
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_TRUE(rs->IsDeviceReady());
  EXPECT_EQ(gfx::headless::CooperativeFlags(), gfx::DDSCL_NORMAL | gfx::DDSCL_FPUSETUP);
  // 1024 x 768 does not fit in a 1024 x 768 desktop: the largest 4:3 mode below it.
  const window::ClientSize client = window::GetClientSize();
  EXPECT_EQ(client.width, 800);
  EXPECT_EQ(client.height, 600);
  EXPECT_EQ(Found(rs->GetBackSurface()).Desc().width, 800u);
  EXPECT_TRUE(RenderSystem_D3D7::GetDevice()->RenderTarget()->HasDepth());
  EXPECT_EQ(DeviceClass(*rs->GetCurrentDevice()), 0);  // transform-and-lighting hardware
  EXPECT_TRUE(LogHas("Initialization of m_d3d subsystem..."));
  EXPECT_TRUE(LogHas(".........Maximal texture size: 2048x2048"));
}

TEST_F(RenderSystemD3D7, FullScreenSetsTheModeAtExclusiveLevel) {
  g_render_settings.fullscreen = true;
  auto rs = Make();
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_EQ(gfx::headless::CooperativeFlags(),
            gfx::DDSCL_EXCLUSIVE | gfx::DDSCL_FULLSCREEN | gfx::DDSCL_ALLOWREBOOT | gfx::DDSCL_FPUSETUP);
  EXPECT_EQ(gfx::headless::DisplayMode().width, 1024u);
  EXPECT_EQ(gfx::headless::DisplayMode().height, 768u);
  EXPECT_EQ(Found(rs->GetBackSurface()).Desc().width, 1024u);
}

TEST_F(RenderSystemD3D7, DefaultStatesAfterCreation) {
  auto rs = Make();
  const gfx::DeviceState& s = State();
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 0u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_ONE);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_ONE);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_CULLMODE), gfx::D3DCULL_NONE);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_LIGHTING), 0u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_NORMALIZENORMALS), 0u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_ZENABLE), gfx::D3DZB_FALSE);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_ZWRITEENABLE), 1u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_AMBIENT), 0xFF000000u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_COLORVERTEX), 0u);
  EXPECT_EQ(s.world, gfx::Matrix());
  EXPECT_EQ(s.material.diffuse, (gfx::ColorValue{1, 1, 1, 1}));
  EXPECT_EQ(s.material.ambient, (gfx::ColorValue{0.6f, 0.6f, 0.6f, 1}));
  EXPECT_EQ(s.material.specular, (gfx::ColorValue{0, 0, 0, 0}));
  EXPECT_EQ(s.material.emissive, (gfx::ColorValue{0, 0, 0, 1}));
  for (uint32_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.texture_id[i], 0u);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_MAXANISOTROPY), 1u);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_MAGFILTER), gfx::D3DTFG_LINEAR);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_MINFILTER), gfx::D3DTFN_LINEAR);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_MIPFILTER), gfx::D3DTFP_NONE);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_ADDRESSU), gfx::D3DTADDRESS_WRAP);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_ADDRESSV), gfx::D3DTADDRESS_WRAP);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_TEXTURETRANSFORMFLAGS), gfx::D3DTTFF_COUNT2);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_TEXCOORDINDEX), 0u);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_COLORARG1), gfx::D3DTA_TEXTURE);
    EXPECT_EQ(s.Stage(i, gfx::D3DTSS_ALPHAARG1), gfx::D3DTA_TEXTURE);
    EXPECT_EQ(s.texture[i], gfx::Matrix());
  }
  // Stage 0 takes the diffuse colour; later stages combine with the stage before and are off
  // while they have no texture.
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_COLOROP), gfx::D3DTOP_MODULATE);
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_COLORARG2), gfx::D3DTA_DIFFUSE);
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_ALPHAOP), gfx::D3DTOP_MODULATE);
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_ALPHAARG2), gfx::D3DTA_DIFFUSE);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_DISABLE);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_COLORARG2), gfx::D3DTA_CURRENT);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_ALPHAOP), gfx::D3DTOP_DISABLE);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_ALPHAARG2), gfx::D3DTA_CURRENT);
}

TEST_F(RenderSystemD3D7, AFailedDeviceCreationStopsCleanlyWithoutTouchingStates) {
  gfx::headless::FailCall(Call::kCreateDevice, gfx::DDERR_GENERIC, 100);
  auto rs = Make();
  EXPECT_FALSE(rs->IsCreated());
  EXPECT_FALSE(rs->IsDeviceReady());
  EXPECT_EQ(RenderSystem_D3D7::GetDevice(), nullptr);
  EXPECT_EQ(CallCount(Call::kSetRenderState), 0u);
  EXPECT_EQ(CallCount(Call::kSetTextureStageState), 0u);
  EXPECT_TRUE(LogHas("Switching to the software rasterizer"));
  EXPECT_TRUE(LogHas("RenderSystem_D3D7: Failed to create m_d3d device"));
  // Every other call is harmless without a device.
  rs->CheckDevice();
  rs->BeginFrame();
  rs->DrawTextured(kTriangleList, 0, 0, 3, 0, 1);
  rs->EndFrame();
  rs->Present();
  rs->SetZWriteEnable(true);
  EXPECT_EQ(gfx::headless::DrawCount(), 0u);
}

TEST_F(RenderSystemD3D7, ADepthBufferFollowsTheDeviceBeingCreatedNotAnEarlierOne) {
  gfx::headless::Script script = gfx::headless::DefaultScript();
  for (gfx::DeviceDesc& device : script.drivers[0].devices) device.raster_caps |= gfx::D3DPRASTERCAPS_ZBUFFERLESSHSR;
  gfx::headless::SetScript(script);
  {
    auto rs = Make();
    ASSERT_TRUE(rs->IsCreated());
    EXPECT_FALSE(RenderSystem_D3D7::GetDevice()->RenderTarget()->HasDepth());
    // Without a depth buffer a depth-only clear has nothing to clear: no call, no error.
    rs->SetClearFlags(kClearDepth);
    gfx::headless::ClearRecords();
    rs->BeginFrame();
    rs->EndFrame();
    EXPECT_EQ(CallCount(Call::kClear), 0u);
    EXPECT_FALSE(LogHas("m_device->Clear"));
  }
  gfx::headless::SetScript(gfx::headless::DefaultScript());
  auto rs = Make();
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_TRUE(RenderSystem_D3D7::GetDevice()->RenderTarget()->HasDepth());
}

TEST_F(RenderSystemD3D7, AHardwareFailureFallsBackToTheSoftwareRasterizer) {
  gfx::headless::FailCall(Call::kCreateDevice, gfx::DDERR_OUTOFVIDEOMEMORY, 1);
  auto rs = Make();
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_EQ(DeviceClass(*rs->GetCurrentDevice()), 2);
  EXPECT_TRUE(LogHas("......RenderSystem_D3D7: Switching to the software rasterizer"));
}

TEST_F(RenderSystemD3D7, NoCompatibleDeviceIsLogged) {
  gfx::headless::Script script = gfx::headless::DefaultScript();
  script.drivers[0].caps.caps2 = 0;  // cannot draw in a window
  for (auto& device : script.drivers[0].devices) device.render_bit_depth = 0;
  gfx::headless::SetScript(script);
  auto rs = Make();
  EXPECT_FALSE(rs->IsCreated());
  EXPECT_TRUE(rs->GetDrivers().empty() || rs->GetDrivers()[0].devices.empty());
  EXPECT_TRUE(LogHas("RenderSystem_D3D7: Failed to find any compatible m_d3d devices"));
}

TEST_F(RenderSystemD3D7, ADisplayThatListsNoModesStillDrawsInAWindow) {
  gfx::headless::Script script = gfx::headless::DefaultScript();
  script.drivers[0].modes.clear();
  gfx::headless::SetScript(script);
  g_render_settings.width = 640;
  g_render_settings.height = 480;
  auto rs = Make();
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_TRUE(rs->GetCurrentDevice()->modes.empty());
  EXPECT_EQ(Found(rs->GetBackSurface()).Desc().width, 640u);
}

TEST_F(RenderSystemD3D7, ALostDeviceComesBackAfterRestoreAndAFailedRestoreAsksForAReset) {
  auto rs = Make();
  gfx::headless::LoseDevice(gfx::DDERR_NOEXCLUSIVEMODE);
  rs->CheckDevice();
  EXPECT_FALSE(rs->IsDeviceReady());
  EXPECT_FALSE(rs->IsResetNeeded());
  rs->CheckDevice();
  EXPECT_FALSE(rs->IsDeviceReady());
  gfx::headless::RegainDevice();
  rs->CheckDevice();
  EXPECT_TRUE(rs->IsDeviceReady());
  gfx::headless::LoseDevice();
  rs->CheckDevice();
  gfx::headless::RegainDevice();
  gfx::headless::FailCall(Call::kRestoreAllSurfaces, gfx::DDERR_GENERIC);
  rs->CheckDevice();
  EXPECT_FALSE(rs->IsDeviceReady());
  EXPECT_TRUE(rs->IsResetNeeded());
  EXPECT_TRUE(rs->AreResourcesLost());
}

struct Recorder : DeviceResource {
  explicit Recorder(std::vector<std::string>* events, std::string name) : m_events(events), m_name(std::move(name)) {}
  void OnDeviceRelease() override {
    m_events->push_back("release " + m_name);
    m_device_was_there = RenderSystem_D3D7::GetDevice() != nullptr;
  }
  void OnDeviceRestore() override {
    m_events->push_back("restore " + m_name);
    m_device_is_there = RenderSystem_D3D7::GetDevice() != nullptr;
  }
  std::vector<std::string>* m_events;
  std::string m_name;
  bool m_device_was_there = false;
  bool m_device_is_there = false;
};

TEST_F(RenderSystemD3D7, AWindowedModeChangeResetsReleasingThenRestoringResources) {
  auto rs = Make();
  std::vector<std::string> events;
  Recorder a(&events, "a"), b(&events, "b");
  gfx::headless::LoseDevice(gfx::DDERR_WRONGMODE);
  rs->CheckDevice();
  EXPECT_TRUE(rs->IsResetNeeded());
  EXPECT_TRUE(rs->AreResourcesLost());
  gfx::headless::RegainDevice();
  rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  EXPECT_EQ(events, (std::vector<std::string>{"release a", "release b", "restore a", "restore b"}));
  EXPECT_TRUE(a.m_device_was_there);
  EXPECT_TRUE(a.m_device_is_there);
  EXPECT_FALSE(rs->IsResetNeeded());
  EXPECT_FALSE(rs->AreResourcesLost());
  EXPECT_TRUE(rs->IsDeviceReady());
  EXPECT_TRUE(rs->IsCreated());
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLORARG2), gfx::D3DTA_CURRENT);  // defaults set again
  EXPECT_TRUE(LogHas("Reseting m_d3d device:"));
}

// Resources are released once across the failed resets and restored once.
TEST_F(RenderSystemD3D7, AFailedResetKeepsAskingButWaitsLongerEachTime) {
  auto rs = Make();
  std::vector<std::string> events;
  Recorder a(&events, "a");
  gfx::headless::LoseDevice(gfx::DDERR_WRONGMODE);
  rs->CheckDevice();
  gfx::headless::RegainDevice();
  gfx::headless::FailCall(Call::kCreateDevice, gfx::DDERR_GENERIC, 1000);
  rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  EXPECT_FALSE(rs->IsCreated());
  EXPECT_FALSE(rs->IsDeviceReady());
  EXPECT_TRUE(rs->IsResetNeeded());
  const uint64_t attempts = CallCount(Call::kCreateDevice);
  rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);  // waits one frame
  EXPECT_EQ(CallCount(Call::kCreateDevice), attempts);
  rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  EXPECT_GT(CallCount(Call::kCreateDevice), attempts);
  for (int frame = 0; frame < 8; ++frame) rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  EXPECT_FALSE(rs->IsCreated());
  gfx::headless::ClearFailures();
  for (int frame = 0; frame < 16 && !rs->IsCreated(); ++frame) {
    rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  }
  ASSERT_TRUE(rs->IsCreated());
  EXPECT_TRUE(rs->IsDeviceReady());
  EXPECT_FALSE(rs->IsResetNeeded());
  EXPECT_EQ(events, (std::vector<std::string>{"release a", "restore a"}));
}

TEST_F(RenderSystemD3D7, AModeThatStillMatchesOnlyMarksTheResourcesLost) {
  g_render_settings.fullscreen = true;
  auto rs = Make();
  rs->IsVideoModeCurrent();
  EXPECT_FALSE(rs->IsResetNeeded());
  EXPECT_TRUE(rs->AreResourcesLost());
  g_render_settings.width = 800;
  g_render_settings.height = 600;
  rs->IsVideoModeCurrent();
  EXPECT_TRUE(rs->IsResetNeeded());
  rs->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  EXPECT_EQ(gfx::headless::DisplayMode().width, 800u);
  EXPECT_EQ(window::GetClientSize().width, 800);
}

TEST_F(RenderSystemD3D7, AFailedStateCallIsLoggedAtErrorLevelWithItsExpression) {
  auto rs = Make();
  gfx::headless::FailCall(Call::kSetRenderState, gfx::DDERR_INVALIDPARAMS, 1, 0, false,
                          gfx::D3DRENDERSTATE_ZWRITEENABLE);
  rs->SetZWriteEnable(false);
  const std::string log = LogText();
  EXPECT_NE(log.find("Direct3D Subsystem (m_device-&gt;SetRenderState( D3DRENDERSTATE_ZWRITEENABLE, _enable )): "
                     "One or more of the parameters passed to the method are incorrect."),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("source\\render\\RenderSystem_D3D7"), std::string::npos);
  rs->SetZWriteEnable(false);  // the work goes on
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_ZWRITEENABLE), 0u);
}

TEST_F(RenderSystemD3D7, StateSettersMapTheirCodes) {
  auto rs = Make();
  rs->SetBlend(4, 5);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_SRCALPHA);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_INVSRCALPHA);
  rs->SetBlend(10, 99);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_INVSRCCOLOR);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_ZERO);
  rs->SetCullMode(1);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_CULLMODE), gfx::D3DCULL_CW);
  rs->SetCullMode(2);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_CULLMODE), gfx::D3DCULL_CCW);
  rs->SetTextureAddressU(0, false);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_ADDRESSU), gfx::D3DTADDRESS_CLAMP);
  rs->SetTextureFilter(0, 0);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MAGFILTER), gfx::D3DTFG_POINT);
  rs->SetTextureFilter(0, 2);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MAGFILTER), gfx::D3DTFG_LINEAR);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MIPFILTER), gfx::D3DTFP_LINEAR);
  g_render_settings.texture_anisotropy = 4;
  rs->SetTextureFilter(0, 2);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MAGFILTER), gfx::D3DTFG_ANISOTROPIC);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MINFILTER), gfx::D3DTFN_ANISOTROPIC);
  Matrix4 offset = Matrix4::MakeTranslation(0.5f, 0.25f, 0.0f);
  rs->SetTransform(2, offset);
  EXPECT_EQ(State().texture[2].m[12], 0.5f);
  rs->SetLighting(true);
  EXPECT_TRUE(rs->GetLighting());
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_LIGHTING), 1u);
}

TEST_F(RenderSystemD3D7, UnbindingATextureUnbindsItAndSwitchesTheStageOffUntilItIsBoundAgain) {
  auto rs = Make();
  auto texture = MakeSolidTexture(0xFFFFFFFFu);
  rs->BindTexture(1, texture);
  EXPECT_NE(State().texture_id[1], 0u);
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_MODULATE);
  EXPECT_EQ(RenderSystem_D3D7::GetBoundTexture(1), texture);
  rs->UnbindTexture(1);
  EXPECT_EQ(State().texture_id[1], 0u);
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_DISABLE);
  EXPECT_EQ(RenderSystem_D3D7::GetBoundTexture(1), nullptr);
  rs->BindTexture(0, texture);
  rs->UnbindTexture(0);
  EXPECT_EQ(State().texture_id[0], 0u);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_COLOROP), gfx::D3DTOP_MODULATE);  // stage 0 draws white
  rs->UnbindTexture(8);  // beyond the stages: ignored
  // A stage bound again gets back its own operation, not a fixed one.
  gfx::Device* device = RenderSystem_D3D7::GetDevice();
  rs->BindTexture(1, texture);
  device->SetTextureStageState(1, gfx::D3DTSS_COLOROP, gfx::D3DTOP_ADD);
  rs->UnbindTexture(1);
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_DISABLE);
  rs->BindTexture(1, texture);
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_ADD);
  // An operation chosen while the stage was off is kept when the texture arrives.
  rs->UnbindTexture(1);
  device->SetTextureStageState(1, gfx::D3DTSS_COLOROP, gfx::D3DTOP_SUBTRACT);
  rs->BindTexture(1, texture);
  EXPECT_EQ(State().Stage(1, gfx::D3DTSS_COLOROP), gfx::D3DTOP_SUBTRACT);
}

class RenderSystemDraws : public RenderSystemD3D7 {
 protected:
  void SetUp() override {
    RenderSystemD3D7::SetUp();
    m_rs = Make();
    gfx::headless::ClearRecords();
  }
  void TearDown() override {
    m_vertices = VertexBufferHolder();
    m_indices = IndexBufferHolder();
    m_rs.reset();
    RenderSystemD3D7::TearDown();
  }
  // Buffers of these counts bound for drawing; the index list, when given, uploaded first.
  template <class Index = uint16_t>
  void BindBuffers(uint32_t vertices, uint32_t indices, std::vector<Index> list = {}) {
    m_vertices = VertexBufferHolder(vertices, 0);
    m_indices = IndexBufferHolder(indices, 0);
    if (!list.empty()) m_indices.Upload(list.data());
    m_vertices->Bind();
    m_indices->Bind();
  }
  std::unique_ptr<RenderSystem_D3D7> m_rs;
  VertexBufferHolder m_vertices;
  IndexBufferHolder m_indices;
};

TEST_F(RenderSystemDraws, TexturedListsAndStripsDrawTheirIndexCounts) {
  BindBuffers(4, 6, std::vector<uint16_t>{0, 1, 2, 2, 1, 3});
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  m_rs->DrawTextured(kTriangleStrip, 0, 0, 4, 0, 2);
  ASSERT_EQ(gfx::headless::Draws().size(), 2u);
  const auto& first = gfx::headless::Draws()[0];
  EXPECT_EQ(first.primitive, gfx::D3DPT_TRIANGLELIST);
  EXPECT_EQ(first.index_count, 6u);
  EXPECT_EQ(first.index_size, 2u);
  EXPECT_EQ(first.fvf, kVertexFormat);
  EXPECT_EQ(first.vertex_count, 4u);
  EXPECT_EQ(first.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 3}));
  EXPECT_EQ(first.state.Render(gfx::D3DRENDERSTATE_LIGHTING), 0u);
  EXPECT_EQ(first.state.Stage(0, gfx::D3DTSS_ALPHAOP), gfx::D3DTOP_MODULATE);
  EXPECT_EQ(first.state.Render(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE), gfx::D3DMCS_COLOR1);
  EXPECT_EQ(gfx::headless::Draws()[1].primitive, gfx::D3DPT_TRIANGLESTRIP);
  EXPECT_EQ(gfx::headless::Draws()[1].index_count, 4u);
}

TEST_F(RenderSystemDraws, WideIndicesAreDrawnAsThirtyTwoBitElements) {
  BindBuffers(70000, 3, std::vector<uint32_t>{0, 65536, 69999});
  EXPECT_EQ(m_indices->GetElementSize(), 4u);
  m_rs->DrawTextured(kTriangleList, 0, 0, 70000, 0, 1);
  ASSERT_EQ(gfx::headless::Draws().size(), 1u);
  EXPECT_EQ(gfx::headless::Draws()[0].index_size, 4u);
  EXPECT_EQ(gfx::headless::Draws()[0].indices, (std::vector<uint32_t>{0, 65536, 69999}));
}

TEST_F(RenderSystemDraws, NothingBoundOrARangeBeyondTheIndicesDrawsNothing) {
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  BindBuffers(4, 6);
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 6, 2);
  EXPECT_EQ(gfx::headless::DrawCount(), 0u);
}

TEST_F(RenderSystemDraws, ColoredDrawsLightWithTheColourAndRestoreWhatTheyChanged) {
  BindBuffers(3, 3);
  m_rs->DrawColored(kTriangleList, 0, 0, 3, 0, 1, Vector4(0.25f, 0.5f, 0.75f, 0.5f));
  ASSERT_EQ(gfx::headless::Draws().size(), 1u);
  const gfx::DeviceState& at = gfx::headless::Draws()[0].state;
  EXPECT_EQ(at.Render(gfx::D3DRENDERSTATE_LIGHTING), 1u);
  EXPECT_EQ(at.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(at.Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_SRCALPHA);
  EXPECT_EQ(at.Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_INVSRCALPHA);
  EXPECT_EQ(at.material.emissive, (gfx::ColorValue{0.25f, 0.5f, 0.75f, 0.5f}));
  EXPECT_EQ(at.material.diffuse, (gfx::ColorValue{0.25f, 0.5f, 0.75f, 0.5f}));
  EXPECT_EQ(at.Render(gfx::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE), gfx::D3DMCS_MATERIAL);
  const gfx::DeviceState& after = State();
  EXPECT_EQ(after.Render(gfx::D3DRENDERSTATE_LIGHTING), 0u);
  EXPECT_EQ(after.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 0u);
  EXPECT_EQ(after.Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_ONE);
  EXPECT_EQ(after.material.emissive, (gfx::ColorValue{0, 0, 0, 1}));
  EXPECT_FALSE(m_rs->GetLighting());
  EXPECT_FALSE(m_rs->GetAlphaBlendEnable());
}

TEST_F(RenderSystemDraws, CountsNearTheTopOfTheirRangeAreCutNotWrappedAround) {
  BindBuffers(4, 6, std::vector<uint16_t>{0, 1, 2, 2, 1, 3});
  // Three times this count is just past 2^32; the draw takes what the buffer holds.
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 0x55555556u);
  // first + count past 2^32: every vertex there is.
  m_rs->DrawTextured(kTriangleList, 0, 1, 0xFFFFFFFFu, 0, 2);
  ASSERT_EQ(gfx::headless::Draws().size(), 2u);
  EXPECT_EQ(gfx::headless::Draws()[0].index_count, 6u);
  EXPECT_EQ(gfx::headless::Draws()[1].vertex_count, 4u);
}

TEST_F(RenderSystemDraws, ColoredDrawsGiveBackTheFirstStagesCombination) {
  BindBuffers(3, 3);
  gfx::Device* device = RenderSystem_D3D7::GetDevice();
  device->SetTextureStageState(0, gfx::D3DTSS_COLOROP, gfx::D3DTOP_SELECTARG1);
  device->SetTextureStageState(0, gfx::D3DTSS_COLORARG2, gfx::D3DTA_TFACTOR);
  m_rs->SetAlphaBlendEnable(true);
  device->SetTextureStageState(0, gfx::D3DTSS_ALPHAARG2, gfx::D3DTA_TFACTOR);
  m_rs->DrawColored(kTriangleList, 0, 0, 3, 0, 1, Vector4(1, 1, 1, 1));
  EXPECT_EQ(gfx::headless::Draws().at(0).state.Stage(0, gfx::D3DTSS_COLOROP), gfx::D3DTOP_MODULATE);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_COLOROP), gfx::D3DTOP_SELECTARG1);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_COLORARG2), gfx::D3DTA_TFACTOR);
  EXPECT_EQ(State().Stage(0, gfx::D3DTSS_ALPHAARG2), gfx::D3DTA_TFACTOR);
}

TEST_F(RenderSystemDraws, ColourComponentsOutOfRangeOrNotANumberAreClampedToBytes) {
  const float nan = std::nanf("");
  m_rs->SetAmbient(Vector4(nan, 2.0f, -1.0f, 0.5f));
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_AMBIENT), 0x8000FF00u);
  m_rs->SetClearColor(Vector4(1.0f, nan, 0.0f, nan));
  m_rs->SetClearFlags(kClearTarget);
  m_rs->BeginFrame();
  m_rs->EndFrame();
  ASSERT_EQ(gfx::headless::Clears().size(), 1u);
  EXPECT_EQ(gfx::headless::Clears()[0].color, 0x00FF0000u);
}

TEST_F(RenderSystemDraws, ColoredDrawsKeepTheTexturesAlphaWithBlendingOnOrOff) {
  BindBuffers(3, 3);
  for (const bool blending : {true, false}) {
    gfx::headless::ClearRecords();
    m_rs->SetAlphaBlendEnable(blending);
    m_rs->DrawColored(kTriangleList, 0, 0, 3, 0, 1, Vector4(1, 0, 0, 0.5f));
    const gfx::DeviceState& at = gfx::headless::Draws().at(0).state;
    EXPECT_EQ(at.Stage(0, gfx::D3DTSS_ALPHAOP), gfx::D3DTOP_MODULATE) << blending;
    EXPECT_EQ(at.Stage(0, gfx::D3DTSS_ALPHAARG1), gfx::D3DTA_TEXTURE) << blending;
    EXPECT_EQ(at.Stage(0, gfx::D3DTSS_ALPHAARG2), gfx::D3DTA_DIFFUSE) << blending;
    EXPECT_EQ(m_rs->GetAlphaBlendEnable(), blending);
  }
}

TEST_F(RenderSystemDraws, FramesClearWithTheClearColourAndPresentWithVsync) {
  m_rs->SetClearColor(Vector4(1.0f, 0.0f, 0.5f, 1.0f));
  m_rs->BeginFrame();
  m_rs->EndFrame();
  m_rs->Present();
  ASSERT_EQ(gfx::headless::Clears().size(), 1u);
  EXPECT_EQ(gfx::headless::Clears()[0].color, 0xFFFF0080u);
  EXPECT_EQ(gfx::headless::Clears()[0].flags, gfx::D3DCLEAR_TARGET | gfx::D3DCLEAR_ZBUFFER);
  EXPECT_EQ(gfx::headless::SceneCount(), 1u);
  EXPECT_EQ(gfx::headless::PresentCount(), 1u);
  EXPECT_EQ(gfx::headless::PresentVsync(), (std::vector<bool>{true}));
  m_rs->SetClearFlags(0);
  g_render_settings.vsync = false;
  m_rs->BeginFrame();
  m_rs->EndFrame();
  m_rs->Present();
  EXPECT_EQ(gfx::headless::Clears().size(), 1u);
  EXPECT_EQ(gfx::headless::PresentVsync(), (std::vector<bool>{true, false}));
  // Nothing is presented while the device is lost.
  gfx::headless::LoseDevice();
  m_rs->CheckDevice();
  m_rs->Present();
  EXPECT_EQ(gfx::headless::PresentCount(), 2u);
}

TEST_F(RenderSystemD3D7, SizesNoWindowCanHaveAreRefusedWhenRead) {
  struct Case {
    const char *key, *text;
    int width, height;
    const char* told;
  };
  const Case cases[] = {
      {"x_size", "1600", 1600, 768, nullptr},  // the largest mode, though wider than the desktop
      {"x_size", "1024px", 1024, 768, "x_size \"1024px\" is not a number: 1024 is used"},
      {"x_size", "0", 1024, 768, "x_size 0 is beyond what the display can show (1 to 1600): 1024 is used"},
      {"m_video_mode.y_size", "1201", 1024, 768, "m_video_mode.y_size 1201 is beyond"},
  };
  for (const Case& c : cases) {
    g_render_settings = RenderSettings();
    g_render_settings.fullscreen = false;
    cProperties::GetInstance()->GetMap().erase(c.key);
    cProperties::GetInstance()->SetValue(c.key, c.text);
    BindRenderSettings();
    EXPECT_TRUE(Found(Make()).IsCreated());
    EXPECT_EQ(g_render_settings.width, c.width) << c.text;
    EXPECT_EQ(g_render_settings.height, c.height) << c.text;
    EXPECT_EQ(LogHas(c.told != nullptr ? c.told : " is used"), c.told != nullptr) << c.text;
  }
}

// A colour depth no mode has, or a picture setting that is no finite number, is refused and its
// default kept, so that it is not written back either.
TEST_F(RenderSystemD3D7, ImpossibleDepthsAndEndlessPictureSettingsAreRefused) {
  const struct {
    const char *key, *text, *kept;
  } cases[] = {
      {"m_video_mode.bpp", "-32", "32"},
      {"m_video_mode.bpp", "7", "32"},
      {"m_video_mode.bpp", "16", "16"},
      {"video_gamma", "nan", "1"},
      {"video_gamma", "-inf", "1"},
      {"video_brightness", "inf", "1"},
      {"video_contrast", "0.5", "0.5"},
  };
  for (const auto& c : cases) {
    g_render_settings = RenderSettings();
    cProperties::GetInstance()->GetMap().erase(c.key);
    cProperties::GetInstance()->SetValue(c.key, c.text);
    BindRenderSettings();
    EXPECT_EQ(std::stod(cProperties::GetInstance()->GetValue(c.key)), std::stod(c.kept)) << c.key << " " << c.text;
  }
}

TEST_F(RenderSystemD3D7, AModeThatCannotBeMadeGivesWayToTheDefaultModeForGood) {
  g_render_settings.width = 800;
  g_render_settings.bpp = 16;
  // The hardware and then the software device refuse the configured mode; the default one works.
  gfx::headless::FailCall(Call::kCreateDevice, gfx::DDERR_OUTOFVIDEOMEMORY, 2);
  EXPECT_TRUE(Found(Make()).IsCreated());
  EXPECT_TRUE(LogHas("the video mode 800x768x16 cannot be made: trying the default mode 1024x768x32"));
  EXPECT_EQ(g_render_settings.width, 1024);
  // When nothing works the failed mode is not kept either.
  g_render_settings.width = 800;
  gfx::headless::FailCall(Call::kCreateDevice, gfx::DDERR_GENERIC, 100);
  EXPECT_FALSE(Found(Make()).IsCreated());
  EXPECT_EQ(g_render_settings.width, 1024);
}

TEST_F(RenderSystemDraws, FrameAndDrawCallsAreCheckedAndTheirFailuresLogged) {
  VertexBufferHolder vertices(4, 0);
  IndexBufferHolder indices(6, 0);
  vertices->Bind();
  gfx::headless::FailCall(Call::kSetTextureStageState, gfx::DDERR_INVALIDPARAMS, 1, 0, false, gfx::D3DTSS_COLOROP);
  m_rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  gfx::headless::FailCall(Call::kEndScene, gfx::DDERR_SURFACELOST);
  gfx::headless::FailCall(Call::kRestoreAllSurfaces, gfx::DDERR_INVALIDPARAMS);
  m_rs->EndFrame();
  gfx::headless::LoseDevice();
  for (int frame = 0; frame < 3; ++frame) m_rs->CheckDevice();
  const std::string log = LogText();
  for (const char* call : {"SetTextureStageState( 0, operation, D3DTOP_MODULATE )", "RestoreAllSurfaces()",
                           "TestCooperativeLevel()"}) {
    EXPECT_NE(log.find(std::string(call) + "): "), std::string::npos) << call;
  }
  // A device that stays lost is told once, not every frame.
  EXPECT_EQ(log.find("TestCooperativeLevel"), log.rfind("TestCooperativeLevel"));
}

}  // namespace
