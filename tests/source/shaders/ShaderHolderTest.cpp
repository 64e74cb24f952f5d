// Shader holders: every animated stage type moves its frames on the holder's own clock, hostile
// numbers never hang or poison the frame, and applying a holder leaves the device in the states
// its shader asks for.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "source/math/Rand.h"
#include "source/path/Paths.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/shaders/ShaderHolder.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

class ShaderHolderTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
    cMemoryStream file;
    TgaImageLoader().Save(Solid(64, 32, {10, 20, 30}), file);
    FixtureTree(m_dir.Path(), "data")
        .AddFile("fx/strip.tga", std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize()));
    SetCurrentDir(m_dir.Path());
    cResourceManager::GetInstance()->AddDirectory("data");
  }
  void TearDown() override {
    SetCurrentDir(m_previous_dir);
    RenderTest::TearDown();
  }
  static ShaderRef Animated(uint32_t type, uint32_t across, uint32_t down, uint32_t frames, float speed) {
    return ShaderRef::FromDescriptor(ShaderDescriptor("fx\\strip", "", false, type, across, down, frames, speed, false));
  }
  static const gfx::DeviceState& Device() { return RenderSystem_D3D7::GetDevice()->State(); }
  std::string m_previous_dir = os::GetCurrentDirectory();
};

struct Step {
  float dt;
  float u, v;
  uint32_t frame;
};

struct AnimationCase {
  const char* what;
  uint32_t type, across, down, frames;
  float speed;
  std::vector<Step> steps;  // cumulative
};

TEST_F(ShaderHolderTest, EachStageTypeMovesOnItsOwnClock) {
  const AnimationCase cases[] = {
      {"net 4x2 at 8 frames a second", kAnimationNet, 4, 2, 8, 8.0f,
       {{0.125f, 0.25f, 0.0f, 0}, {0.5f, 0.25f, -0.5f, 0}, {0.375f, 0.0f, 0.0f, 0}}},
      // 16 x 16 frames on a 64 x 32 texture: four a row; eight frames a second.
      {"sequence", kAnimationSequence, 16, 16, 8, 1.0f,
       {{0.3f, 0.5f, 0.0f, 0}, {0.25f, 0.0f, -0.5f, 0}, {0.4f, 0.75f, -0.5f, 0}, {0.1f, 0.0f, 0.0f, 0}}},
      {"rotatory", kAnimationRotatoryDiffuse, 1, 1, 4, 2.0f, {{1.25f, 0.0f, 0.0f, 2}, {1.0f, 0.0f, 0.0f, 0}}},
      {"still", kAnimationNone, 1, 1, 1, 5.0f, {{1.0f, 0.0f, 0.0f, 0}}},
  };
  for (const AnimationCase& c : cases) {
    ShaderHolder holder;
    holder.SetShader(Animated(c.type, c.across, c.down, c.frames, c.speed));
    for (const Step& step : c.steps) {
      holder.Update(step.dt);
      const ShaderStage& s = Found(holder.GetDescriptor()).GetStage(0);
      EXPECT_NEAR(s.offset.x, step.u, 1e-5f) << c.what;
      EXPECT_NEAR(s.offset.y, step.v, 1e-5f) << c.what;
      EXPECT_EQ(s.current_frame, step.frame) << c.what;
    }
  }
}

TEST_F(ShaderHolderTest, HostileNumbersNeitherHangNorPoisonTheFrame) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    uint32_t type, across, down, frames;
    float speed;
  };
  const Case cases[] = {{kAnimationNet, 0, 0, 0, 8.0f},         {kAnimationNet, 0xFFFFFFFF, 0xFFFFFFFF, 1, 1e30f},
                        {kAnimationNet, 3, 3, 9, -7.0f},        {kAnimationNet, 2, 2, 4, nan},
                        {kAnimationSequence, 0, 0, 5, 0.0f},    {kAnimationSequence, 16, 16, 5, -2.0f},
                        {kAnimationSequence, 1000, 1, 3, inf},  {kAnimationRotatoryBoth, 1, 1, 0, 3.0f},
                        {kAnimationRotatoryOpacity, 1, 1, 7, -1e9f}, {kAnimationRotatoryDiffuse, 1, 1, 0xFFFFFFFF, inf}};
  for (const Case& c : cases) {
    ShaderHolder holder;
    holder.SetShader(Animated(c.type, c.across, c.down, c.frames, c.speed));
    for (int frame = 0; frame < 50; ++frame) holder.Update(frame % 2 ? 0.1f : 1e6f);
    const ShaderStage& s = Found(holder.GetDescriptor()).GetStage(0);
    EXPECT_TRUE(std::isfinite(s.offset.x) && std::isfinite(s.offset.y)) << c.type << " " << c.speed;
    EXPECT_LT(s.current_frame, std::max(c.frames, 1u)) << c.type << " " << c.speed;
    EXPECT_TRUE(std::isfinite(holder.GetStartFrame(0))) << c.type << " " << c.speed;
  }
}

TEST_F(ShaderHolderTest, HoldersOfOneShaderKeepTheirOwnTimeAndStartWhereTheyAreTold) {
  const ShaderRef net = Animated(kAnimationNet, 4, 2, 8, 8.0f);
  ShaderHolder a, b;
  a.SetShader(net);
  b.SetShader(net);
  a.Update(0.25f);
  b.SetStartFrame(0, 5.0f);  // a digit cell, say
  b.Update(0.0f);
  EXPECT_EQ(Found(a.GetDescriptor()).GetStage(0).offset, Vector2(0.5f, 0.0f));
  EXPECT_EQ(Found(b.GetDescriptor()).GetStage(0).offset, Vector2(0.25f, -0.5f));
  EXPECT_EQ(net->GetDescriptor().GetStage(0).offset, Vector2(0.0f, 0.0f));  // the shader's own stays
  // Both joined the render pass once, and it advances them; a picture that never moves is left
  // out of the pass's walk.
  ShaderHolder still;
  const ShaderDescriptor still_picture("fx\\strip", "", false, kAnimationNone, 1, 1, 1, 0.0f, false);
  still.SetShader(ShaderRef::FromDescriptor(still_picture));
  const auto& list = RenderManager::GetInstance()->GetUpdateList();
  EXPECT_EQ(std::count(list.begin(), list.end(), &a), 1);
  EXPECT_EQ(std::count(list.begin(), list.end(), &still), 0);
}

TEST_F(ShaderHolderTest, RandomStagesStartAtADrawOfTheSharedGenerator) {
  ShaderDescriptor random("fx\\strip", "", false, kAnimationRotatoryDiffuse, 1, 1, 10, 0.0f, false);
  random.AddFlags(kShaderRandom);
  ShaderDescriptor own("fx\\strip", "", false, kAnimationNone, 1, 1, 1, 0.0f, false);
  own.AddStage(kStageRandomStart, kAnimationRotatoryDiffuse, 1, 1, 10, 0.0f, "fx\\strip", "", 1);
  g_rand_state = 0;
  ShaderHolder holder;
  holder.SetShader(ShaderRef::FromDescriptor(random));
  EXPECT_FLOAT_EQ(holder.GetStartFrame(0), 10.0f * 15470 / 32768.0f);  // the generator's first number
  holder.SetShader(ShaderRef::FromDescriptor(own));
  EXPECT_EQ(holder.GetStartFrame(0), 0.0f);
  EXPECT_FLOAT_EQ(holder.GetStartFrame(1), 10.0f * 18256 / 32768.0f);
}

TEST_F(ShaderHolderTest, ApplyingSetsBlendStagesFiltersAddressingAndTransforms) {
  ShaderDescriptor d("fx\\strip", "fx\\strip", true, kAnimationNet, 4, 2, 8, 8.0f, true);
  d.AddStage(0, kAnimationNone, 1, 1, 1, 0.0f, "fx\\strip", "", kAddressWrap);
  d.GetStage(0).scale = Vector2(0.25f, 0.5f);
  ShaderHolder holder;
  holder.SetShader(ShaderRef::FromDescriptor(d));
  holder.Update(0.125f);
  holder.Apply();
  const gfx::DeviceState& s = Device();
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_SRCALPHA);
  EXPECT_EQ(s.Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_INVSRCALPHA);
  EXPECT_NE(s.texture_id[0], 0u);
  EXPECT_NE(s.texture_id[1], 0u);
  for (uint32_t stage = 2; stage < 8; ++stage) EXPECT_EQ(s.texture_id[stage], 0u) << stage;
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_ADDRESSU), gfx::D3DTADDRESS_CLAMP);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_ADDRESSV), gfx::D3DTADDRESS_WRAP);
  EXPECT_EQ(s.Stage(0, gfx::D3DTSS_MIPFILTER), gfx::D3DTFP_LINEAR);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_MIPFILTER), gfx::D3DTFP_NONE);
  EXPECT_EQ(s.Stage(1, gfx::D3DTSS_MAGFILTER), gfx::D3DTFG_LINEAR);
  const float* m = s.texture[0].m;
  EXPECT_EQ((std::vector<float>{m[0], m[5], m[8], m[9]}), (std::vector<float>{0.25f, 0.5f, 0.25f, 0.0f}));

  // Without a shader (or after losing it) every stage is unbound.
  ShaderHolder empty;
  empty.Apply();
  for (uint32_t stage = 0; stage < 8; ++stage) EXPECT_EQ(Device().texture_id[stage], 0u) << stage;
  EXPECT_EQ(Device().Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 1u);  // blending is left alone
}

TEST_F(ShaderHolderTest, StagesWithoutAPictureAreUnbound) {
  struct Case {
    const char* what;
    uint32_t flags;
    const char* diffuse;
    uint32_t frame;
  };
  const Case cases[] = {{"takes no texture", kStageNoTexture, "fx\\strip", 0},
                        {"names nothing", 0, "", 0},
                        {"names a missing picture", 0, "fx\\missing", 0},
                        {"shows a frame it does not have", 0, "fx\\strip", 9}};
  for (const Case& c : cases) {
    ShaderDescriptor d("fx\\strip", "", false);  // stage 0 is bound, so stage 1 shows the case
    d.AddStage(c.flags, kAnimationRotatoryDiffuse, 1, 1, 4, 0.0f, c.diffuse, "", kAddressWrap);
    ShaderHolder holder;
    holder.SetShader(ShaderRef::FromDescriptor(d));
    Found(holder.GetDescriptor()).GetStage(1).current_frame = c.frame;
    holder.Apply();
    EXPECT_NE(Device().texture_id[0], 0u) << c.what;
    EXPECT_EQ(Device().texture_id[1], 0u) << c.what;
  }
}

}  // namespace
