#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "source/texture/Image.h"
#include "source/texture/Texture2D_D3D7.h"
#include "tests/source/render/RenderTestSupport.h"

namespace {

class FrameStatsTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ReadDesktopMode();
    m_rs = std::make_unique<RenderSystem_D3D7>();
    ASSERT_TRUE(m_rs->IsCreated());
  }
  void TearDown() override {
    m_rs.reset();
    RenderTest::TearDown();
  }
  const gfx::DeviceState& State() { return RenderSystem_D3D7::GetDevice()->State(); }
  std::unique_ptr<RenderSystem_D3D7> m_rs;
};

// With every transform the identity, positions are the viewport's -1..1 on both axes.
TEST_F(FrameStatsTest, APresentedFrameCountsItsDrawsBlendingAndRecordedRectangles) {
  gfx::Viewport viewport;
  RenderSystem_D3D7::GetDevice()->GetViewport(viewport);
  ASSERT_GT(viewport.width, 0u);
  VertexBufferHolder vertices(4, 0);
  const float corners[4][2] = {{-1, 1}, {0, 1}, {-1, -0.5f}, {0, -0.5f}};  // the left half, the top three quarters
  for (uint32_t i = 0; i < 4; ++i) *vertices->GetVertex(i) = Vertex{corners[i][0], corners[i][1], 0.5f, 0, 0, 0, 0, 0, 0};
  IndexBufferHolder indices(4, 0);
  const uint16_t strip[4] = {0, 1, 2, 3};
  indices.Upload(strip);
  vertices->Bind();
  indices->Bind();

  m_rs->RecordLayers(true);
  m_rs->DrawTextured(kTriangleStrip, 0, 0, 4, 0, 2);
  m_rs->SetAlphaBlendEnable(true);
  m_rs->DrawTextured(kTriangleStrip, 0, 0, 4, 0, 2);
  m_rs->DrawColored(kTriangleStrip, 0, 0, 4, 0, 2, Vector4(1, 1, 1, 1));
  m_rs->SetAlphaBlendEnable(false);
  EXPECT_EQ(m_rs->GetFrameStats().draws, 0u) << "nothing is reported before the frame is presented";
  m_rs->Present();
  const FrameStats& stats = m_rs->GetFrameStats();
  EXPECT_EQ(stats.draws, 3u);
  EXPECT_EQ(stats.blended_draws, 2u);
  ASSERT_EQ(stats.layers.size(), 3u);
  EXPECT_FALSE(stats.layers[0].blended);
  EXPECT_TRUE(stats.layers[1].blended);
  EXPECT_EQ(stats.layers[0].width, viewport.width / 2);
  EXPECT_EQ(stats.layers[0].height, viewport.height * 3 / 4);
  EXPECT_EQ(stats.covered_pixels, 3ull * (viewport.width / 2) * (viewport.height * 3 / 4));

  // The next frame starts from nothing; without recording only the counts are kept.
  m_rs->RecordLayers(false);
  m_rs->DrawTextured(kTriangleStrip, 0, 0, 4, 0, 2);
  m_rs->Present();
  EXPECT_EQ(m_rs->GetFrameStats().draws, 1u);
  EXPECT_EQ(m_rs->GetFrameStats().blended_draws, 0u);
  EXPECT_TRUE(m_rs->GetFrameStats().layers.empty());
}

TEST_F(FrameStatsTest, TexturesCountTheirLevelsWhileOnTheDevice) {
  Image image;
  ASSERT_TRUE(image.Allocate(64, 32, 32));
  const int64_t before = g_texture_bytes_resident.load();
  const struct {
    bool mip_maps;
    int64_t bytes;
  } kCases[] = {{false, 64 * 32 * 4}, {true, 4 * (64 * 32 + 32 * 16 + 16 * 8 + 8 * 4 + 4 * 2 + 2 * 1 + 1 * 1)}};
  for (const auto& c : kCases) {
    auto texture = std::make_unique<Texture2D_D3D7>("t", c.mip_maps);
    texture->CreateSurface(&image);
    EXPECT_EQ(g_texture_bytes_resident.load() - before, c.bytes) << c.mip_maps;
    texture->Invalidate();  // the device went
    EXPECT_EQ(g_texture_bytes_resident.load(), before);
    texture->Restore();
    EXPECT_EQ(g_texture_bytes_resident.load() - before, c.bytes);
    texture.reset();
    EXPECT_EQ(g_texture_bytes_resident.load(), before);
  }
}

// A tinted draw is blended only where a pixel can come out translucent, and leaves blending as
// it found it.
TEST_F(FrameStatsTest, ColoredDrawsBlendOnlyWhereAPixelCanBeTranslucent) {
  VertexBufferHolder vertices(3, 0);
  IndexBufferHolder indices(3, 0);
  vertices->Bind();
  indices->Bind();
  enum Texture { kNone, kOpaque, kWithAlpha };
  const struct {
    Texture texture;
    float alpha;
    bool blending_before;
    bool blended;
  } kCases[] = {
      {kNone, 1.0f, false, false},     {kOpaque, 1.0f, false, false}, {kWithAlpha, 1.0f, false, true},
      {kOpaque, 0.5f, false, true},    {kNone, 0.99f, false, true},   {kOpaque, 1.0f, true, true},
  };
  for (const auto& c : kCases) {
    gfx::SurfaceDesc desc;
    desc.flags = gfx::DDSD_CAPS | gfx::DDSD_WIDTH | gfx::DDSD_HEIGHT | gfx::DDSD_PIXELFORMAT;
    desc.caps = gfx::DDSCAPS_TEXTURE;
    desc.width = desc.height = 4;
    desc.format = c.texture == kWithAlpha ? gfx::FormatA8R8G8B8() : gfx::FormatX8R8G8B8();
    std::shared_ptr<gfx::Surface> texture;
    ASSERT_EQ(RenderSystem_D3D7::GetDirectDraw()->CreateSurface(desc, texture), gfx::DD_OK);
    if (c.texture == kNone) {
      m_rs->UnbindTexture(0);
    } else {
      m_rs->BindTexture(0, texture);
    }
    m_rs->SetAlphaBlendEnable(c.blending_before);
    gfx::headless::ClearRecords();
    m_rs->DrawColored(kTriangleList, 0, 0, 3, 0, 1, Vector4(1, 1, 1, c.alpha));
    const std::string at = "texture " + std::to_string(c.texture) + ", alpha " + std::to_string(c.alpha);
    EXPECT_EQ(gfx::headless::Draws().at(0).state.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE) != 0, c.blended) << at;
    EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE) != 0, c.blending_before) << at;
  }
}

// A picture drawn at its own size or larger never reads below its first mip level: the draw is
// made without mip filtering (the same pixels, less work), and the filtering asked for is kept.
TEST_F(FrameStatsTest, MipFilteringIsLeftOutOnlyWhereNoPixelReadsBelowTheFirstLevel) {
  gfx::Viewport viewport;
  RenderSystem_D3D7::GetDevice()->GetViewport(viewport);
  const auto vw = static_cast<float>(viewport.width), vh = static_cast<float>(viewport.height);
  Image image;
  ASSERT_TRUE(image.Allocate(64, 32, 32));
  Texture2D_D3D7 texture("t", true);
  texture.CreateSurface(&image);
  m_rs->BindTexture(0, texture.GetSurface());
  m_rs->SetTextureFilter(0, 2);
  VertexBufferHolder vertices(4, 0);
  IndexBufferHolder indices(4, 0);
  const uint16_t strip[4] = {0, 1, 2, 3};
  indices.Upload(strip);
  const struct {
    const char* name;
    float width, height, shear;  // pixels
    float texture_scale;  // by the stage's texture matrix
    bool first_level_only;
  } kCases[] = {
      {"own size", 64, 32, 0, 1, true},           {"magnified", 128, 64, 0, 1, true},
      {"halved", 32, 16, 0, 1, false},            {"sheared", 64, 32, 16, 1, false},
      {"texture matrix halving it", 64, 32, 0, 2, false}, {"texture matrix doubling it", 64, 32, 0, 0.5f, true},
  };
  for (const auto& c : kCases) {
    const float left = -1, top = 1, right = -1 + 2 * c.width / vw, bottom = 1 - 2 * c.height / vh;
    const float shear = 2 * c.shear / vw;
    const float corners[4][4] = {{left + shear, top, 0, 0}, {right + shear, top, 1, 0}, {left, bottom, 0, 1},
                                 {right, bottom, 1, 1}};
    for (uint32_t i = 0; i < 4; ++i) {
      *vertices->GetVertex(i) = Vertex{corners[i][0], corners[i][1], 0.5f, 0, 0, -1, 0xFFFFFFFF, corners[i][2], corners[i][3]};
    }
    vertices->Bind();
    indices->Bind();
    gfx::Matrix scale;
    scale.m[0] = scale.m[5] = c.texture_scale;
    RenderSystem_D3D7::GetDevice()->SetTransform(gfx::D3DTRANSFORMSTATE_TEXTURE0, scale);
    gfx::headless::ClearRecords();
    m_rs->DrawTextured(kTriangleStrip, 0, 0, 4, 0, 2);
    ASSERT_EQ(gfx::headless::Draws().size(), 1u) << c.name;
    EXPECT_EQ(gfx::headless::Draws()[0].state.Stage(0, gfx::D3DTSS_MIPFILTER) == gfx::D3DTFP_NONE, c.first_level_only)
        << c.name;
    EXPECT_EQ(State().Stage(0, gfx::D3DTSS_MIPFILTER), gfx::D3DTFP_LINEAR) << c.name;
  }
  RenderSystem_D3D7::GetDevice()->SetTransform(gfx::D3DTRANSFORMSTATE_TEXTURE0, gfx::Matrix{});
}

}  // namespace
