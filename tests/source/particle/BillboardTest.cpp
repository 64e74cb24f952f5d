// Particle billboards: quads that face the camera with fixed texture corners, turned about the
// view axis, sorted far to near on request, nothing drawn without live sprites, and an effect
// drawn, blended and textured, in the very frame it starts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "source/camera/CameraManager.h"
#include "source/model/Model.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleSystemInstance.h"
#include "source/particle/cParticleResource.h"
#include "source/path/Paths.h"
#include "source/render/RenderManager.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/source/particle/ParticleTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

class BillboardTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
    instance = RenderManager::GetInstance()->GetParticleInstanceManager()->CreateInstance(
        4, cResourcePtr<TextureResource>(), nullptr, false);
    Found(instance->GetRenderObject()).SetVisible(true);
  }
  void TearDown() override {
    RenderManager::GetInstance()->GetParticleInstanceManager()->RemoveInstance(instance.get());
    instance.reset();
    RenderTest::TearDown();
  }
  const Vertex& VertexAt(uint32_t i) const {
    return Found(Found(Found(instance->GetRenderObject()).GetVertices()).GetVertex(i));
  }
  Vector3 CornerAt(uint32_t i) const { return Vector3(VertexAt(i).x, VertexAt(i).y, VertexAt(i).z); }

  std::unique_ptr<ParticleSystemInstance> instance;
};

TEST_F(BillboardTest, QuadsFaceTheCameraWithFixedTextureCorners) {
  // The default camera looks along +z with x to the right and y up.
  instance->AddSprite(Vector3(5, 6, 7), 2.0f, Vector4(2.0f, 0.5f, -1.0f, 1.0f));
  instance->Render();
  struct Corner {
    Vector3 position;
    float u, v;
  };
  const Corner expected[] = {{{3, 4, 7}, 0, 0}, {{3, 8, 7}, 0, 1}, {{7, 4, 7}, 1, 0}, {{7, 8, 7}, 1, 1}};
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(CornerAt(i), expected[i].position) << i;
    EXPECT_EQ(VertexAt(i).u, expected[i].u) << i;
    EXPECT_EQ(VertexAt(i).v, expected[i].v) << i;
    EXPECT_EQ(VertexAt(i).diffuse, 0xFFFF8000u) << i;  // clamped before packing
  }
  const uint32_t quad[6] = {0, 1, 2, 2, 1, 3};
  const Model& model = Found(Found(instance->GetRenderObject()).GetModel());
  for (uint32_t i = 0; i < 6; ++i) EXPECT_EQ(model.m_indices->GetIndex(i), quad[i]);
  EXPECT_EQ(model.GetFaceCount(), 2u);
  EXPECT_EQ(instance->GetCentre(), Vector3(5, 6, 7));

  // A quarter turn about the view axis lays the square onto itself, corner for corner.
  Found(instance->GetSprite(0)).rotation = 1.5707964f;
  instance->Render();
  for (const Corner& c : expected) {
    bool found = false;
    for (uint32_t i = 0; i < 4; ++i) {
      const Vector3 d = CornerAt(i) - c.position;
      found = found || d.Length() < 1e-4f;
    }
    EXPECT_TRUE(found);
  }
  EXPECT_NE(CornerAt(0), expected[0].position);
}

TEST_F(BillboardTest, SortedSpritesComeFarthestFirstAndUnsortedKeepPoolOrder) {
  instance->AddSprite(Vector3(0, 0, -2), 1.0f, Vector4(1, 1, 1, 1));  // depth 2
  instance->AddSprite(Vector3(9, 0, -5), 1.0f, Vector4(1, 1, 1, 1));  // depth 5
  instance->Render();
  EXPECT_EQ(CornerAt(0).z, -2.0f);
  instance->SetSortByDepth(true);
  instance->Render();
  EXPECT_EQ(CornerAt(0).z, -5.0f);
  EXPECT_EQ(CornerAt(4).z, -2.0f);
  EXPECT_EQ(instance->GetDrawList().front()->depth, 5.0f);
}

TEST_F(BillboardTest, WithoutLiveSpritesNothingIsWrittenOrDrawn) {
  const uint32_t index = instance->AddSprite(Vector3(1, 1, 1), 1.0f, Vector4(1, 1, 1, 1));
  instance->KillSprite(index);
  instance->KillSprite(index);  // twice changes nothing
  instance->Render();
  EXPECT_EQ(Found(Found(instance->GetRenderObject()).GetModel()).GetFaceCount(), 0u);
  EXPECT_EQ(CornerAt(0), Vector3(0, 0, 0));
  gfx::headless::ClearRecords();
  RenderManager::GetInstance()->RenderFrame();
  EXPECT_EQ(gfx::headless::DrawCount(), 0u);
  // Every sprite can be had again, and no more than every one.
  for (int i = 0; i < 4; ++i) EXPECT_NE(instance->AddSprite(Vector3(), 1.0f, Vector4()), kNoSprite);
  EXPECT_EQ(instance->AddSprite(Vector3(), 1.0f, Vector4()), kNoSprite);
}

TEST_F(BillboardTest, AnEffectIsDrawnBlendedAndTexturedInTheFrameItStarts) {
  cMemoryStream picture;
  TgaImageLoader().Save(Solid(8, 8, {255, 200, 100, 128}), picture);
  ParticleFileData d = PlainParticleFile(16, 1.0f);
  d.emission[0] = 3.0f;
  cMemoryStream file;
  WriteParticleFile(file, d);
  const std::string previous = os::GetCurrentDirectory();
  FixtureTree(m_dir.Path(), "data")
      .AddFile("particle systems/spark.tga", std::string(reinterpret_cast<const char*>(picture.GetData()), picture.GetSize()))
      .AddFile("particle systems/spark.psf", std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize()));
  SetCurrentDir(m_dir.Path());
  cResourceManager::GetInstance()->AddDirectory("data");
  SetCurrentDir(previous);
  cResourcePtr<cParticleResource> resource;
  ASSERT_TRUE(resource.Assign("particle systems\\spark"));
  ASSERT_EQ(resource->GetSystem()->GetMaxParticles(), 16u);

  RecordingOwner owner;
  ParticleEffectHandle effect(resource.Get(), &owner, 0.0f);
  effect.StartAt(Vector3(100, 100, 0));
  gfx::headless::ClearRecords();
  RenderManager::GetInstance()->RenderFrame();
  ASSERT_EQ(gfx::headless::DrawCount(), 1u);
  const gfx::headless::DrawRecord& draw = gfx::headless::Draws().back();
  EXPECT_EQ(draw.index_count, 18u);  // three quads
  EXPECT_EQ(draw.state.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(draw.state.Render(gfx::D3DRENDERSTATE_SRCBLEND), gfx::D3DBLEND_SRCALPHA);
  EXPECT_EQ(draw.state.Render(gfx::D3DRENDERSTATE_DESTBLEND), gfx::D3DBLEND_INVSRCALPHA);
  EXPECT_NE(draw.state.texture_id[0], 0u);
  EXPECT_EQ(draw.state.texture_id[1], 0u);
  Vertex first;
  std::memcpy(&first, draw.vertices.data(), sizeof(Vertex));
  EXPECT_EQ(first.x, 98.0f);  // size 2 about the emitter
  EXPECT_EQ(first.diffuse, 0xFFFFFFFFu);
}

}  // namespace
