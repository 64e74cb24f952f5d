// The headless backend: state kept and snapshotted with every draw, draws and presents recorded,
// scripted drivers and modes, injected failures and a lost device.

#include <gtest/gtest.h>

#include <functional>

#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"
#include "tests/platform/gfx/GfxFixture.h"

namespace gfx {
namespace {

using testing::MakeRig;
using testing::MakeTexture;
using testing::Rig;
using testing::V;
using testing::Vertex;
using testing::kFvf;

class HeadlessGfx : public ::testing::Test {
 protected:
  void SetUp() override {
    detail::ResetBackend();
    headless::Reset();
    ASSERT_STREQ(BackendName(), "headless");
    MakeRig(rig, nullptr, 640, 480);
    headless::ClearRecords();
  }
  void TearDown() override { headless::Reset(); }

  Rig rig;
  const Vertex quad[4] = {V(0, 0, 0, 0xFF00FF00), V(1, 0, 0, 0xFF00FF00), V(1, 1, 0, 0xFF00FF00),
                          V(0, 1, 0, 0xFF00FF00)};
  const uint16_t quad_indices[6] = {0, 1, 2, 0, 2, 3};
};

TEST_F(HeadlessGfx, StartsFromTheDirect3DDefaults) {
  const DeviceState& s = rig.device->State();
  EXPECT_EQ(s.Render(D3DRENDERSTATE_CULLMODE), D3DCULL_CCW);
  EXPECT_EQ(s.Render(D3DRENDERSTATE_ZFUNC), D3DCMP_LESSEQUAL);
  EXPECT_EQ(s.Render(D3DRENDERSTATE_LIGHTING), 1u);
  EXPECT_EQ(s.Stage(0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(s.Stage(1, D3DTSS_COLOROP), D3DTOP_DISABLE);
  EXPECT_EQ(s.Stage(1, D3DTSS_COLORARG2), D3DTA_CURRENT);
  EXPECT_EQ(s.Stage(3, D3DTSS_TEXCOORDINDEX), 3u);
  EXPECT_EQ(s.viewport, (Viewport{0, 0, 640, 480, 0.0f, 1.0f}));
}

TEST_F(HeadlessGfx, EveryDrawCarriesACopyOfTheStateAtThatMoment) {
  ASSERT_EQ(rig.device->BeginScene(), DD_OK);
  ASSERT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1), DD_OK);
  ASSERT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA), DD_OK);
  ASSERT_EQ(rig.device->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP), DD_OK);
  Matrix world;
  world.m[12] = 5;
  ASSERT_EQ(rig.device->SetTransform(D3DTRANSFORMSTATE_WORLD, world), DD_OK);
  auto texture = MakeTexture(*rig.directdraw, 4, 4, 0xFFFFFFFF);
  ASSERT_EQ(rig.device->SetTexture(0, texture), DD_OK);
  EXPECT_EQ(texture.use_count(), 2) << "the device keeps its textures alive";
  ASSERT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, quad, 4, quad_indices, 6, 2, 0),
            DD_OK);
  ASSERT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0), DD_OK);
  ASSERT_EQ(rig.device->SetTexture(0, nullptr), DD_OK);
  EXPECT_EQ(texture.use_count(), 1);
  const uint32_t wide[4] = {0, 1, 3, 2};  // read as 32 bits, not as pairs of 16
  ASSERT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, kFvf, quad, 4, wide, 4, 4, 0), DD_OK);
  ASSERT_EQ(rig.device->EndScene(), DD_OK);

  ASSERT_EQ(headless::DrawCount(), 2u);
  const auto& draws = headless::Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].primitive, D3DPT_TRIANGLELIST);
  EXPECT_EQ(draws[0].state.Render(D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(draws[0].state.Render(D3DRENDERSTATE_SRCBLEND), D3DBLEND_SRCALPHA);
  EXPECT_EQ(draws[0].state.Stage(0, D3DTSS_ADDRESSU), D3DTADDRESS_CLAMP);
  EXPECT_EQ(draws[0].state.Stage(0, D3DTSS_ADDRESSV), D3DTADDRESS_CLAMP);
  EXPECT_EQ(draws[0].state.world.m[12], 5.0f);
  EXPECT_NE(draws[0].state.texture_id[0], 0u);
  EXPECT_TRUE(draws[0].has_depth);
  EXPECT_EQ(draws[0].vertices.size(), 4 * sizeof(Vertex));
  EXPECT_EQ(draws[0].indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(draws[0].index_size, 2u);
  EXPECT_EQ(draws[1].primitive, D3DPT_TRIANGLESTRIP);
  EXPECT_EQ(draws[1].index_size, 4u);
  EXPECT_EQ(draws[1].indices, (std::vector<uint32_t>{0, 1, 3, 2}));
  EXPECT_EQ(draws[1].state.Render(D3DRENDERSTATE_ALPHABLENDENABLE), 0u);
  EXPECT_EQ(draws[1].state.texture_id[0], 0u) << "unbinding a stage unbinds it on the device";
  EXPECT_EQ(headless::SceneCount(), 1u);
}

TEST_F(HeadlessGfx, AStateSetToTheValueItHasMarksNothingForTheBackend) {
  Matrix moved;
  moved.m[12] = 3;
  Material shiny;
  shiny.power = 8;
  auto texture = MakeTexture(*rig.directdraw, 4, 4, 0xFFFFFFFF);
  // Each setter given the device's current value, then another one.
  const struct {
    const char* name;
    std::function<Result(Device&, bool)> set;
    uint32_t marks;
  } cases[] = {
      {"render state",
       [](Device& d, bool other) { return d.SetRenderState(D3DRENDERSTATE_CULLMODE, other ? D3DCULL_NONE : D3DCULL_CCW); },
       kDirtyRender},
      {"stage state",
       [](Device& d, bool other) {
         return d.SetTextureStageState(0, D3DTSS_COLOROP, other ? D3DTOP_SELECTARG1 : D3DTOP_MODULATE);
       },
       kDirtyStages},
      {"both addresses",
       [](Device& d, bool other) {
         return d.SetTextureStageState(1, D3DTSS_ADDRESS, other ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP);
       },
       kDirtyStages},
      {"world", [&](Device& d, bool other) { return d.SetTransform(D3DTRANSFORMSTATE_WORLD, other ? moved : Matrix{}); },
       kDirtyWorld},
      {"view", [&](Device& d, bool other) { return d.SetTransform(D3DTRANSFORMSTATE_VIEW, other ? moved : Matrix{}); },
       kDirtyView | kDirtyLights},
      {"projection",
       [&](Device& d, bool other) { return d.SetTransform(D3DTRANSFORMSTATE_PROJECTION, other ? moved : Matrix{}); },
       kDirtyProjection},
      {"texture matrix",
       [&](Device& d, bool other) { return d.SetTransform(D3DTRANSFORMSTATE_TEXTURE0 + 2, other ? moved : Matrix{}); },
       kDirtyStages},
      {"viewport",
       [](Device& d, bool other) { return d.SetViewport(Viewport{0, 0, other ? 320u : 640u, 480, 0, 1}); },
       kDirtyViewport},
      {"material", [&](Device& d, bool other) { return d.SetMaterial(other ? shiny : Material{}); }, kDirtyMaterial},
      {"texture", [&](Device& d, bool other) { return d.SetTexture(0, other ? texture : nullptr); }, kDirtyStages},
      {"light switch", [](Device& d, bool other) { return d.LightEnable(3, other); }, kDirtyLights},
  };
  auto draw_marks = [&] {
    EXPECT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, quad, 4, quad_indices, 6, 2, 0),
              DD_OK);
    return headless::Draws().empty() ? ~0u : headless::Draws().back().state.dirty;
  };
  for (const auto& c : cases) {
    draw_marks();
    ASSERT_EQ(c.set(*rig.device, false), DD_OK) << c.name;
    EXPECT_EQ(draw_marks(), 0u) << c.name << " set to its own value";
    ASSERT_EQ(c.set(*rig.device, true), DD_OK) << c.name;
    EXPECT_EQ(draw_marks(), c.marks) << c.name << " changed";
    ASSERT_EQ(c.set(*rig.device, true), DD_OK) << c.name;
    EXPECT_EQ(draw_marks(), 0u) << c.name << " set again to its new value";
  }
}

TEST_F(HeadlessGfx, BadDrawsAreRefusedAndNotRecorded) {
  const auto draw = [&](uint32_t primitive, uint32_t fvf, const void* vertices, const void* indices, uint32_t count,
                        uint32_t index_size) {
    return rig.device->DrawIndexedPrimitive(primitive, fvf, vertices, 4, indices, count, index_size, 0);
  };
  const uint16_t beyond[3] = {0, 1, 4};
  const uint32_t high_half[3] = {0, 1, 0x10000};  // must not be read as two 16-bit indices
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kFvf, quad, beyond, 3, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kFvf, quad, high_half, 3, 4), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kFvf, quad, quad_indices, 6, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, 0x004, quad, quad_indices, 6, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(9, kFvf, quad, quad_indices, 6, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kFvf, nullptr, quad_indices, 6, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(headless::DrawCount(), 0u);
}

TEST_F(HeadlessGfx, StateArgumentsOutOfRangeAreRefused) {
  EXPECT_EQ(rig.device->SetRenderState(0, 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetRenderState(kRenderStateCount, 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetTextureStageState(8, D3DTSS_COLOROP, 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetTextureStageState(0, 25, 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetTransform(4, Matrix{}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetTexture(8, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetTexture(0, rig.back), DDERR_INVALIDPARAMS);
  Light light;
  EXPECT_EQ(rig.device->SetLight(0, light), DDERR_INVALIDPARAMS) << "type 0 is no light type";
  EXPECT_EQ(rig.device->SetViewport(Viewport{0, 0, 0, 10, 0, 1}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetViewport(Viewport{0, 0, 10, 10, 0.5f, 0.2f}), DDERR_INVALIDPARAMS);
  // Edges past any real output (the sum would not fit in a signed integer).
  EXPECT_EQ(rig.device->SetViewport(Viewport{0, 0x7FFFFFF0u, 10, 0x7FFFFFF0u, 0, 1}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetViewport(Viewport{0xFFFFFFF0u, 0, 0x20u, 10, 0, 1}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(rig.device->SetViewport(Viewport{200, 0, 1200, 900, 0, 1}), DD_OK);
}

TEST_F(HeadlessGfx, LightsAndMaterialAreKept) {
  Light light;
  light.type = D3DLIGHT_POINT;
  light.position = Vector3{1, 2, 3};
  ASSERT_EQ(rig.device->SetLight(2, light), DD_OK);
  ASSERT_EQ(rig.device->LightEnable(2, true), DD_OK);
  ASSERT_EQ(rig.device->LightEnable(5, true), DD_OK);  // never set: the default light
  Material material;
  material.diffuse = ColorValue{1, 0.5f, 0.25f, 1};
  ASSERT_EQ(rig.device->SetMaterial(material), DD_OK);
  ASSERT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, quad, 4, quad_indices, 6, 2, 0),
            DD_OK);
  const DeviceState& s = headless::Draws().at(0).state;
  ASSERT_EQ(s.lights.size(), 2u);
  EXPECT_TRUE(s.lights.at(2).enabled);
  EXPECT_EQ(s.lights.at(2).light.position, (Vector3{1, 2, 3}));
  EXPECT_EQ(s.lights.at(5).light.type, D3DLIGHT_DIRECTIONAL);
  EXPECT_EQ(s.material, material);
  ASSERT_EQ(rig.device->LightEnable(2, false), DD_OK);
  EXPECT_FALSE(rig.device->State().lights.at(2).enabled);
}

// Presents record their vertical sync, clears their viewport.
TEST_F(HeadlessGfx, PresentsAndClearsAreRecorded) {
  ASSERT_EQ(rig.directdraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN), DD_OK);
  ASSERT_EQ(rig.primary->Blt(nullptr, rig.back.get(), nullptr, DDBLT_WAIT), DD_OK);
  ASSERT_EQ(rig.primary->Blt(nullptr, rig.back.get(), nullptr, DDBLT_WAIT), DD_OK);
  EXPECT_EQ(headless::PresentCount(), 2u);
  EXPECT_EQ(headless::PresentVsync(), (std::vector<bool>{true, false}));
  EXPECT_EQ(rig.primary->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE) << "a windowed primary";
  ASSERT_EQ(rig.device->SetViewport(Viewport{10, 20, 100, 50, 0, 1}), DD_OK);
  ASSERT_EQ(rig.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF102030, 1.0f, 0),
            DD_OK);
  ASSERT_EQ(headless::Clears().size(), 1u);
  EXPECT_EQ(headless::Clears()[0].color, 0xFF102030u);
  EXPECT_EQ(headless::Clears()[0].viewport, (Viewport{10, 20, 100, 50, 0, 1}));
  EXPECT_EQ(rig.device->Clear(0, nullptr, 0, 0, 1.0f, 0), DDERR_INVALIDPARAMS);
}

// ---- injected failures ---------------------------------------------------------------------------

TEST_F(HeadlessGfx, AnInjectedFailureIsReturnedOnceAndTheStateIsKeptOrSkipsAndRepeats) {
  headless::FailCall(Call::kSetRenderState, DDERR_GENERIC, 1, 0, false, D3DRENDERSTATE_ZWRITEENABLE);
  EXPECT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK) << "another state";
  EXPECT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0), DDERR_GENERIC);
  EXPECT_EQ(rig.device->State().Render(D3DRENDERSTATE_ZWRITEENABLE), 1u) << "a failed call changes nothing";
  EXPECT_EQ(rig.device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0), DD_OK);
  EXPECT_EQ(headless::CallCount(Call::kSetRenderState), 3u);
  // Another may skip calls first and repeat.
  auto temp = MakeTexture(*rig.directdraw, 8, 8, 0xFFFFFFFF);
  ASSERT_NE(temp, nullptr);
  headless::FailCall(Call::kLock, DDERR_WASSTILLDRAWING, 2, 1);
  SurfaceDesc locked;
  ASSERT_EQ(temp->Lock(nullptr, locked, 0), DD_OK);
  ASSERT_EQ(temp->Unlock(nullptr), DD_OK);
  int tries = 0;
  Result r;
  while ((r = temp->Lock(nullptr, locked, 0)) == DDERR_WASSTILLDRAWING) ++tries;
  EXPECT_EQ(r, DD_OK);
  EXPECT_EQ(tries, 2);
  // A failed creation leaves no object.
  headless::FailCall(Call::kCreateDevice, DDERR_OUTOFVIDEOMEMORY);
  std::shared_ptr<Device> device;
  EXPECT_EQ(rig.d3d->CreateDevice(kDeviceTnLHal, rig.back, device), DDERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(device, nullptr);
  headless::FailCall(Call::kCreateDirectDraw, DDERR_GENERIC);
  std::shared_ptr<DirectDraw> dd;
  EXPECT_EQ(CreateDirectDraw(nullptr, dd), DDERR_GENERIC);
  EXPECT_EQ(dd, nullptr);
}

// ---- lost device ---------------------------------------------------------------------------------

TEST_F(HeadlessGfx, ALostDeviceDrawsNothingUntilRegainedAndRestored) {
  auto managed = MakeTexture(*rig.directdraw, 4, 4, 0xFFFFFFFF);
  headless::LoseDevice(DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(rig.directdraw->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(rig.back->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(managed->IsLost(), DD_OK) << "managed textures survive";
  EXPECT_EQ(rig.device->BeginScene(), DDERR_SURFACELOST);
  EXPECT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, quad, 4, quad_indices, 6, 2, 0),
            DDERR_SURFACELOST);
  EXPECT_EQ(rig.primary->Blt(nullptr, rig.back.get(), nullptr, 0), DDERR_SURFACELOST);
  EXPECT_EQ(rig.directdraw->RestoreAllSurfaces(), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(headless::DrawCount(), 0u);
  EXPECT_EQ(headless::PresentCount(), 0u);

  headless::RegainDevice();
  EXPECT_EQ(rig.directdraw->TestCooperativeLevel(), DD_OK);
  EXPECT_EQ(rig.back->IsLost(), DDERR_SURFACELOST) << "lost until restored";
  ASSERT_EQ(rig.directdraw->RestoreAllSurfaces(), DD_OK);
  EXPECT_EQ(rig.back->IsLost(), DD_OK);
  EXPECT_EQ(rig.primary->IsLost(), DD_OK);
  EXPECT_EQ(rig.device->BeginScene(), DD_OK);
  EXPECT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFvf, quad, 4, quad_indices, 6, 2, 0),
            DD_OK);
  EXPECT_EQ(rig.device->EndScene(), DD_OK);
  // A windowed mode change answers "wrong mode".
  headless::LoseDevice(DDERR_WRONGMODE);
  EXPECT_EQ(rig.directdraw->TestCooperativeLevel(), DDERR_WRONGMODE);
  headless::RegainDevice();
  EXPECT_EQ(rig.primary->Restore(), DD_OK);
  EXPECT_EQ(rig.primary->IsLost(), DD_OK);
}

TEST_F(HeadlessGfx, ReleasingEverythingLeavesTheDirectDrawObjectUnreferenced) {
  std::shared_ptr<DirectDraw> dd = rig.directdraw;
  rig.device.reset();
  rig.depth.reset();
  rig.back.reset();
  EXPECT_TRUE(headless::OutputOpen());
  rig.primary.reset();
  EXPECT_FALSE(headless::OutputOpen());
  rig.d3d.reset();
  rig.directdraw.reset();
  EXPECT_EQ(dd.use_count(), 1);
}

TEST(HeadlessRecords, ALongRunKeepsOnlyTheNewestDraws) {
  detail::ResetBackend();
  headless::Reset();
  testing::Rig rig;
  testing::MakeRig(rig, nullptr, 64, 64);
  std::vector<testing::Vertex> vertices(1 << 15, testing::V(0, 0, 0, 0xFFFFFFFF));  // 1.1 MiB
  const uint16_t indices[3] = {0, 1, 2};
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, testing::kFvf, vertices.data(),
                                               static_cast<uint32_t>(vertices.size()), indices, 3, 2, 0),
              DD_OK);
  }
  EXPECT_EQ(headless::DrawCount(), 100u);
  EXPECT_LT(headless::Draws().size(), 100u) << "64 MiB of copies at most";
  EXPECT_GT(headless::Draws().size(), 10u);
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(rig.device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, testing::kFvf, vertices.data(), 3,
                                               indices, 3, 2, 0),
              DD_OK);
  }
  EXPECT_EQ(headless::Draws().size(), 4096u);
  EXPECT_EQ(headless::Draws().back().vertex_count, 3u);
  headless::Reset();
}

}  // namespace
}  // namespace gfx
