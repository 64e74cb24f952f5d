// Render objects: their own poses, face counts, flags, clones, how they are drawn (coloured,
// two-sided) and picking (box miss, triangle hit, the nearest of two, no hit, the pose drawn).

#include <gtest/gtest.h>

#include <cstring>

#include "source/camera/CameraManager.h"
#include "source/model/MorphController.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/shaders/Shader.h"
#include "tests/source/model/ModelTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"

namespace {

class RenderObjectTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    m_manager = RenderManager::GetInstance();
    ASSERT_TRUE(m_manager->IsStarted());
    m_camera = m_manager->GetCameraManager()->GetDefaultCamera();
  }
  RenderManager* m_manager = nullptr;
  CameraHandle* m_camera = nullptr;
};

// A model of two triangles, one behind the other at z = 2 and z = 5, both over x, y in 0..1.
CountedPtr<Model> TwoLayers() {
  ModelFileData d;
  d.flags = kModelStatic | kModelTriangleList;
  d.vertex_count = 6;
  d.indices = {0, 1, 2, 3, 4, 5};
  for (float z : {5.0f, 2.0f}) {
    d.vertices.push_back(ModelFileVertex{0, 0, {}, {0, 0, z}});
    d.vertices.push_back(ModelFileVertex{0, 0, {}, {1, 0, z}});
    d.vertices.push_back(ModelFileVertex{0, 0, {}, {0, 1, z}});
  }
  d.bounds = {ModelBox{{0, 0, 2}, {1, 1, 5}}};
  return ModelOf(d);
}

TEST_F(RenderObjectTest, TwoObjectsOfOneModelShowTwoPoses) {
  CountedPtr<Model> model = ModelOf(SampleModel(kModelMorph | kModelTriangleList));
  RenderObject first(model, m_camera, 0), second(model, m_camera, 0);
  for (RenderObject* object : {&first, &second}) {
    object->GetAnimation().AddAnimation("grow", AnimationEntry::FromSpeed("grow", 10, 12, false, 1));
    object->GetAnimation().SetAnimation("grow");
  }
  second.GetAnimation().SetTime(2.0f);  // frame 2: its corner is at 3
  first.Update(true);
  second.Update(true);
  EXPECT_EQ(Found(Found(first.GetVertices()).GetVertex(3)).x, 1.0f);
  EXPECT_EQ(Found(Found(second.GetVertices()).GetVertex(3)).x, 3.0f);
  EXPECT_EQ(Found(model->m_vertices->GetVertex(3)).x, 1.0f) << "the shared model is never posed";
  // Picking reads the pose drawn: only the grown object reaches x = 2.5, wherever it is placed.
  const Vector3 origin(2.5f, 0.5f, -10.0f), ray(0, 0, 20);
  EXPECT_FALSE(first.PickByRay(origin, ray));
  EXPECT_TRUE(second.PickByRay(origin, ray));
  second.SetWorldMatrix(Matrix4::MakeTranslation(100, 0, 0));
  second.Update(true);
  EXPECT_FALSE(second.PickByRay(origin, ray));
  EXPECT_TRUE(second.PickByRay(Vector3(102.5f, 0.5f, -10.0f), ray)) << "the posed box follows the object";
}

TEST_F(RenderObjectTest, FaceCountsFollowThePrimitive) {
  struct Case {
    uint32_t flags, indices, faces;
  };
  const Case cases[] = {{0x10, 12, 10}, {0x8, 12, 4}, {0x10, 2, 0}, {0x10, 0, 0}, {0x8, 2, 0}};
  for (const Case& c : cases) {
    CountedPtr<Model> model(new Model("generated", 4, c.indices, c.flags));
    RenderObject object(model, m_camera, 0);
    object.Update(true);
    EXPECT_EQ(object.GetFaceCount(), c.faces) << c.flags << " " << c.indices;
  }
}

TEST_F(RenderObjectTest, FlagsCloneAndDrawList) {
  CountedPtr<Model> model = TwoLayers();
  RenderObject object(model, m_camera, kRenderObjectFirstGroup | kRenderObjectVisible | 0x20);
  EXPECT_EQ(object.GetFlags() & (kRenderObjectFirstGroup | kRenderObjectGuiGroup), kRenderObjectGuiGroup);
  EXPECT_TRUE(object.IsVisible());
  EXPECT_EQ(m_manager->GetModelManager()->GetObjects().size(), 1u);
  object.ClearFlagBits(kRenderObjectGuiGroup);  // leaving one group is joining the other
  EXPECT_EQ(object.GetFlags() & (kRenderObjectFirstGroup | kRenderObjectGuiGroup), kRenderObjectFirstGroup);
  object.SetFlagBits(kRenderObjectGuiGroup);
  EXPECT_EQ(object.GetFlags() & (kRenderObjectFirstGroup | kRenderObjectGuiGroup), kRenderObjectGuiGroup);
  object.GetAnimation().AddAnimation("idle", AnimationEntry::FromSpeed("idle", 0, 1, true, 1));
  std::unique_ptr<RenderObject> copy = RenderObject::Clone(object);
  EXPECT_EQ(copy->GetFlags(), object.GetFlags());
  EXPECT_EQ(copy->GetCamera(), m_camera);
  EXPECT_EQ(copy->GetAnimation().GetAnimations().count("idle"), 1u);
  EXPECT_EQ(m_manager->GetModelManager()->GetObjects().size(), 2u);
  copy.reset();
  EXPECT_EQ(m_manager->GetModelManager()->GetObjects().size(), 1u);
}

TEST_F(RenderObjectTest, ColoursReachTheScreenAndTwoSidedObjectsDrawTwice) {
  CountedPtr<Model> model = TwoLayers();
  RenderObject plain(model, m_camera, kRenderObjectVisible);
  gfx::headless::ClearRecords();
  m_manager->RenderFrame();
  ASSERT_EQ(gfx::headless::Draws().size(), 1u);
  const gfx::headless::DrawRecord& textured = gfx::headless::Draws().back();
  uint32_t diffuse = 0;
  std::memcpy(&diffuse, textured.vertices.data() + 24, 4);
  EXPECT_EQ(diffuse, 0xFFFFFFFFu) << "model vertices are white";

  plain.SetColor(Vector4(1, 0, 0, 0.5f));  // a fade, say
  plain.SetFlagBits(kRenderObjectTwoSided);
  gfx::headless::ClearRecords();
  m_manager->RenderFrame();
  ASSERT_EQ(gfx::headless::Draws().size(), 2u);
  for (const auto& draw : gfx::headless::Draws()) {
    EXPECT_EQ(draw.state.material.diffuse, (gfx::ColorValue{1, 0, 0, 0.5f}));
    EXPECT_EQ(draw.state.Render(gfx::D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  }
  EXPECT_EQ(gfx::headless::Draws().front().state.Render(gfx::D3DRENDERSTATE_CULLMODE), gfx::D3DCULL_CCW);
  EXPECT_EQ(gfx::headless::Draws().back().state.Render(gfx::D3DRENDERSTATE_CULLMODE), gfx::D3DCULL_CW);
}

TEST_F(RenderObjectTest, PickingTellsHitsMissesAndTheNearestDistance) {
  RenderObject object(TwoLayers(), m_camera, 0);
  object.SetWorldMatrix(Matrix4::MakeTranslation(10, 0, 0));
  object.Update(true);
  struct Case {
    const char* name;
    Vector3 origin, segment;
    bool hit;
    float distance;  // written; -1: left alone
  };
  const Case cases[] = {
      {"misses the box", {0.2f, 0.2f, -10}, {0, 0, 20}, false, -1},
      {"crosses the box, misses both triangles", {10.9f, 0.9f, -10}, {0, 0, 20}, false, kPickNoHit},
      {"the nearer of two triangles", {10.2f, 0.2f, -10}, {0, 0, 20}, true, 12},
      {"ends between the two", {10.2f, 0.2f, -10}, {0, 0, 13}, true, 12},
      {"from behind: the nearer is the far one", {10.2f, 0.2f, 20}, {0, 0, -30}, true, 15},
  };
  for (const Case& c : cases) {
    float distance = -1.0f;
    EXPECT_EQ(object.PickByRay(c.origin, c.segment, &distance), c.hit) << c.name;
    EXPECT_NEAR(distance, c.distance, 1e-3f) << c.name;
    EXPECT_EQ(object.PickByRay(c.origin, c.segment), c.hit) << c.name;
  }
  RenderObject empty;
  EXPECT_FALSE(empty.PickByRay(Vector3(0, 0, -1), Vector3(0, 0, 2)));
  // Flattened to nothing (a scale of 0): no face can be hit, whatever its box says.
  object.SetWorldMatrix(Matrix4::MakeScale(0, 1, 1));
  float distance = -1.0f;
  EXPECT_FALSE(object.PickByRay(Vector3(0, 0.2f, -10), Vector3(0, 0, 20), &distance));
  EXPECT_EQ(distance, kPickNoHit);
}

// A unit square, drawn as a strip, placed by its world matrix on a camera spanning 0..1 both ways.
struct Square {
  float x, y, w, h;
  float shear = 0.0f;  // turns the square off the screen's axes
};

Matrix4 Placed(const Square& s) {
  Matrix4 m;
  m.m[0] = s.w;
  m.m[5] = s.h;
  m.m[1] = s.shear;
  m.m[12] = s.x;
  m.m[13] = s.y;
  return m;
}

// What lies beneath an opaque quad square on the screen is not drawn; what shows anywhere is; a
// large layer mostly beneath it is drawn in parts around it, none of them beneath it.
TEST_F(RenderObjectTest, WhatAnOpaqueSquareQuadHidesIsLeftOutOfTheDrawing) {
  const struct {
    const char* name;
    Square page;
    bool page_blends;
    float page_alpha;
    Square beneath;
    std::size_t draws;
    Square facing{};  // a second page beside the first, where w > 0
  } cases[] = {
      {"wholly beneath", {0.1f, 0.1f, 0.8f, 0.8f}, false, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 1},
      {"edge to edge", {0.25f, 0.25f, 0.5f, 0.5f}, false, 1.0f, {0.25f, 0.25f, 0.5f, 0.5f}, 1},
      {"a pixel out", {0.25f, 0.25f, 0.5f, 0.5f}, false, 1.0f, {0.25f, 0.25f, 0.502f, 0.5f}, 2},
      {"partly covered", {0.1f, 0.1f, 0.5f, 0.5f}, false, 1.0f, {0.4f, 0.4f, 0.3f, 0.3f}, 2},
      {"blended page", {0.1f, 0.1f, 0.8f, 0.8f}, true, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 2},
      {"faded page", {0.1f, 0.1f, 0.8f, 0.8f}, false, 0.5f, {0.2f, 0.2f, 0.3f, 0.3f}, 2},
      {"sheared page", {0.1f, 0.1f, 0.8f, 0.8f, 0.1f}, false, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 2},
      {"large, mostly beneath", {0.1f, 0.1f, 0.8f, 0.8f}, false, 1.0f, {0.0f, 0.0f, 1.0f, 1.0f}, 5},
      {"large, beneath at a side", {0.0f, 0.2f, 0.8f, 0.8f}, false, 1.0f, {0.0f, 0.0f, 1.0f, 1.0f}, 3},
      {"large, half shown", {0.0f, 0.0f, 1.0f, 0.4f}, false, 1.0f, {0.0f, 0.0f, 1.0f, 1.0f}, 2},
      {"beneath facing pages", {0.1f, 0.1f, 0.4f, 0.8f}, false, 1.0f, {0.2f, 0.2f, 0.6f, 0.3f}, 2, {0.45f, 0.1f, 0.4f, 0.8f}},
      {"beneath a page and a gap", {0.1f, 0.1f, 0.4f, 0.8f}, false, 1.0f, {0.2f, 0.2f, 0.6f, 0.3f}, 3, {0.55f, 0.1f, 0.35f, 0.8f}},
  };
  const int width = static_cast<int>(m_manager->GetCameraManager()->GetClientWidth());
  const int height = static_cast<int>(m_manager->GetCameraManager()->GetClientHeight());
  CameraHandle* camera = m_manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
  (*camera)->m_near = -1.0f;
  (*camera)->m_far = 1.0f;
  CountedPtr<Model> square(new Model("square", 4, 4, 0));
  static constexpr float kCorners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
  for (uint32_t i = 0; i < 4; ++i) {
    *square->m_vertices->GetVertex(i) = Vertex{kCorners[i][0], kCorners[i][1], 0, 0, 0, -1, 0xFFFFFFFFu, 0, 0};
    square->m_indices->SetIndex(i, i);
  }
  for (const auto& c : cases) {
    RenderObject beneath(square, camera, kRenderObjectNoDepth), page(square, camera, kRenderObjectNoDepth),
        facing(square, camera, kRenderObjectNoDepth);
    ShaderDescriptor opaque, blended;
    blended.AddFlags(kShaderBlend);
    beneath.GetShaderHolder().SetShader(ShaderRef(CountedPtr<Shader>(new Shader(opaque))));
    page.GetShaderHolder().SetShader(ShaderRef(CountedPtr<Shader>(new Shader(c.page_blends ? blended : opaque))));
    page.SetColor(Vector4(1, 1, 1, c.page_alpha));
    beneath.SetWorldMatrix(Placed(c.beneath));
    page.SetWorldMatrix(Placed(c.page));
    beneath.SetViewDepth(2.0f);  // farther: drawn first
    page.SetViewDepth(1.0f);
    facing.GetShaderHolder().SetShader(ShaderRef(CountedPtr<Shader>(new Shader(opaque))));
    facing.SetWorldMatrix(Placed(c.facing));
    facing.SetViewDepth(0.5f);
    beneath.SetVisible(true);
    page.SetVisible(true);
    facing.SetVisible(c.facing.w > 0.0f);
    gfx::headless::ClearRecords();
    m_manager->RenderFrame();
    EXPECT_EQ(gfx::headless::Draws().size(), c.draws) << c.name;
    const PixelRect under_page{static_cast<int>(c.page.x * width) + 1, static_cast<int>((1 - c.page.y - c.page.h) * height) + 1,
                               static_cast<int>((c.page.x + c.page.w) * width) - 1, static_cast<int>((1 - c.page.y) * height) - 1};
    for (const auto& draw : gfx::headless::Draws()) {
      if (!draw.state.clipped) continue;
      const PixelRect clip{draw.state.clip.left, draw.state.clip.top, draw.state.clip.right, draw.state.clip.bottom};
      EXPECT_TRUE(Intersection(clip, under_page).Empty()) << c.name;
    }
  }
  m_manager->GetCameraManager()->DestroyCamera(camera);
}


// The screen an object covers is measured again whenever what places it changed since the last
// frame (its world matrix, its vertices, its camera's extent), and only then: each frame's draws
// follow the page as it moves, shrinks and comes back.
TEST_F(RenderObjectTest, WhatAPageHidesFollowsItFromFrameToFrame) {
  CameraHandle* camera = m_manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
  (*camera)->m_near = -1.0f;
  (*camera)->m_far = 1.0f;
  auto square = [] {
    CountedPtr<Model> model(new Model("square", 4, 4, 0));
    static constexpr float kCorners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
    for (uint32_t i = 0; i < 4; ++i) {
      *model->m_vertices->GetVertex(i) = Vertex{kCorners[i][0], kCorners[i][1], 0, 0, 0, -1, 0xFFFFFFFFu, 0, 0};
      model->m_indices->SetIndex(i, i);
    }
    return model;
  };
  CountedPtr<Model> page_model = square();
  RenderObject beneath(square(), camera, kRenderObjectNoDepth), page(page_model, camera, kRenderObjectNoDepth);
  for (RenderObject* object : {&beneath, &page}) {
    object->GetShaderHolder().SetShader(ShaderRef(CountedPtr<Shader>(new Shader(ShaderDescriptor()))));
    object->SetVisible(true);
  }
  beneath.SetViewDepth(2.0f);
  page.SetViewDepth(1.0f);
  const struct {
    const char* name;
    Square page;
    float corner_x;  // the page model's right edge (1 for the unit square)
    float camera_width;
    Square beneath;
    std::size_t draws;
  } steps[] = {
      {"over it", {0.1f, 0.1f, 0.8f, 0.8f}, 1.0f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 1},
      {"the same frame again", {0.1f, 0.1f, 0.8f, 0.8f}, 1.0f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 1},
      {"moved aside", {0.6f, 0.1f, 0.3f, 0.8f}, 1.0f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 2},
      {"moved back", {0.1f, 0.1f, 0.8f, 0.8f}, 1.0f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 1},
      {"its vertices narrowed", {0.1f, 0.1f, 0.8f, 0.8f}, 0.25f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 2},
      {"widened again", {0.1f, 0.1f, 0.8f, 0.8f}, 1.0f, 1.0f, {0.2f, 0.2f, 0.3f, 0.3f}, 1},
      // Where the page was on the narrower camera, but not where it is on this one.
      {"the camera twice as wide", {0.1f, 0.1f, 0.8f, 0.8f}, 1.0f, 2.0f, {1.0f, 0.2f, 0.6f, 0.3f}, 2},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    page.SetWorldMatrix(Placed(step.page));
    beneath.SetWorldMatrix(Placed(step.beneath));
    for (uint32_t i : {0u, 1u}) Found(page_model->m_vertices->GetVertex(i)).x = step.corner_x;
    (*camera)->m_width = step.camera_width;
    (*camera)->m_x1 = step.camera_width;
    gfx::headless::ClearRecords();
    m_manager->RenderFrame();
    EXPECT_EQ(gfx::headless::Draws().size(), step.draws);
  }
  m_manager->GetCameraManager()->DestroyCamera(camera);
}

}  // namespace
