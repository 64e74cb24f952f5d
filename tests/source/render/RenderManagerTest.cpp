#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "source/Resources/cResourceManager.h"
#include "source/camera/CameraManager.h"
#include "source/light/LightManager.h"
#include "source/render/ModelManager.h"
#include "source/render/OverlayQuad.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/Updatable.h"
#include "source/path/Paths.h"
#include "source/shaders/ShaderRef.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

std::vector<std::string>* g_events = nullptr;

void Note(const std::string& event) {
  if (g_events != nullptr) g_events->push_back(event);
}

// A drawable with fixed faces and depth that notes its update and draw.
class Probe : public RenderObject {
 public:
  Probe(std::string name, uint32_t flags, float depth, uint32_t faces = 2) : m_name(std::move(name)), m_faces(faces) {
    m_flags = flags;
    m_view_depth = depth;
  }
  void Update(bool) override {
    Note("update " + m_name);
    m_face_count = m_faces;
    m_faces_to_draw = m_faces;
  }
  void Draw() override { Note("draw " + m_name); }
  void MarkBoundsForRefresh() override { ++m_refreshes; }
  void SetDepth(float depth) { m_view_depth = depth; }
  const std::string& Name() const { return m_name; }
  int m_refreshes = 0;

 private:
  std::string m_name;
  uint32_t m_faces;
};

class Ticker : public Updatable {
 public:
  explicit Ticker(std::string name) : m_name(std::move(name)) {}
  void Update() override { Note("tick " + m_name); }

 private:
  std::string m_name;
};

class NotedQuad : public OverlayQuad {
 public:
  explicit NotedQuad(std::string name = "", bool hides = false) : m_name(std::move(name)), m_hides(hides) {}
  void Draw() override {
    Note(m_name.empty() ? "overlay" : "overlay " + m_name);
    OverlayQuad::Draw();
  }
  bool HidesWhatIsBeneath() const override { return m_hides; }
  void SetHides(bool hides) { m_hides = hides; }

 private:
  std::string m_name;
  bool m_hides;
};

class RenderManagerTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    g_events = &m_events;
  }
  void TearDown() override {
    g_events = nullptr;
    RenderTest::TearDown();
  }
  RenderManager* Manager() { return RenderManager::GetInstance(); }
  std::vector<std::string> m_events;
};

TEST_F(RenderManagerTest, BindsTheSixteenSettingsAsPersistentKeysInOrder) {
  Manager();
  const std::vector<std::string> expected = {
      "x_size", "m_video_mode.y_size", "m_video_mode.bpp", "video_fullscreen", "video_vsync", "video_brightness",
      "video_contrast", "video_gamma", "render_use_mip_mapping", "render_show_octree_nodes",
      "render_show_faces_edges", "render_show_faces_normals", "render_show_mip_maps", "render_texture_anisotropy",
      "controls_invert_mouse", "screen_capture_take_screenshot_format"};
  const auto& keys = cProperties::GetInstance()->GetPersistentKeys();
  std::vector<std::string> ours;
  for (const auto& key : keys) {
    for (const auto& e : expected) {
      if (key == e) ours.push_back(key);
    }
  }
  EXPECT_EQ(ours, expected);
  EXPECT_EQ(cProperties::GetInstance()->GetValue("render_texture_anisotropy"), "1");
  EXPECT_EQ(cProperties::GetInstance()->GetValue("video_fullscreen"), "false");
}

// The manager also reads the desktop mode as it starts.
TEST_F(RenderManagerTest, AStoredWidthReachesTheSettingUnderItsUnprefixedName) {
  cProperties::GetInstance()->SetValue("x_size", "800");
  cProperties::GetInstance()->SetValue("m_video_mode.x_size", "640");
  cProperties::GetInstance()->SetValue("m_video_mode.y_size", "600");
  window::headless::SetDesktopMode(window::DesktopMode{1440, 900, 32});
  Manager();
  EXPECT_EQ(g_render_settings.width, 800);
  EXPECT_EQ(g_render_settings.height, 600);
  cProperties::GetInstance()->SetValue("render_texture_anisotropy", "4");
  EXPECT_EQ(g_render_settings.texture_anisotropy, 4);
  EXPECT_EQ(g_desktop_mode.width, 1440u);
  EXPECT_EQ(g_desktop_mode.height, 900u);
  EXPECT_EQ(g_desktop_mode.bpp, 32u);
  EXPECT_TRUE(g_desktop_mode.wide);
}

TEST_F(RenderManagerTest, TheWindowIsMadeAtTheStoredModesSizeBeforeTheSettingsAreBound) {
  const struct {
    const char* width;
    const char* height;
    int expected_width, expected_height;
  } cases[] = {{"800", "600", 800, 600},   {"", "", 1024, 768},         {"wide", "0", 1024, 768},
               {"-640", "480", 1024, 480}, {"99999", "0x300", 1024, 768}};
  for (const auto& c : cases) {
    cProperties::GetInstance()->SetValue("x_size", c.width);
    cProperties::GetInstance()->SetValue("m_video_mode.y_size", c.height);
    int width = 0, height = 0;
    WantedWindowSize(width, height);
    EXPECT_EQ(width, c.expected_width) << "\"" << c.width << "\"";
    EXPECT_EQ(height, c.expected_height) << "\"" << c.height << "\"";
  }
}

TEST_F(RenderManagerTest, TheRenderPassRunsItsStepsInOrder) {
  RenderManager* manager = Manager();
  ASSERT_TRUE(manager->IsStarted());
  Ticker ticker("a");
  manager->SetFrameStep(RenderManager::kGuiLayout, [] { Note("gui"); });
  Probe object("o", kRenderObjectVisible | kRenderObjectGuiGroup, 1.0f);
  object.SetHidden(false);
  NotedQuad quad;
  manager->GetModelManager()->AddOverlay(&quad);
  gfx::headless::ClearRecords();
  manager->RenderFrame();
  EXPECT_EQ(m_events, (std::vector<std::string>{"tick a", "gui", "update o", "draw o", "overlay"}));
  EXPECT_EQ(gfx::headless::SceneCount(), 1u);
  EXPECT_EQ(gfx::headless::PresentCount(), 1u);
  EXPECT_EQ(gfx::headless::DrawCount(), 1u);  // the overlay quad's two triangles
}

// An opaque quad over the whole screen (the logos in front of the menu) leaves out the drawing of
// everything beneath it, but not its update, nor the quads above it.
TEST_F(RenderManagerTest, WhatAQuadOverTheWholeScreenHidesIsUpdatedButNotDrawn) {
  const struct {
    bool first_hides, second_hides;
    std::vector<std::string> events;
  } cases[] = {{false, false, {"update o", "draw o", "overlay a", "overlay b"}},
               {true, false, {"update o", "overlay a", "overlay b"}},
               {true, true, {"update o", "overlay b"}}};
  Probe object("o", kRenderObjectVisible | kRenderObjectGuiGroup, 1.0f);
  object.SetHidden(false);
  NotedQuad first("a");
  NotedQuad second("b");
  Manager()->GetModelManager()->AddOverlay(&first);
  Manager()->GetModelManager()->AddOverlay(&second);
  for (const auto& c : cases) {
    first.SetHides(c.first_hides);
    second.SetHides(c.second_hides);
    m_events.clear();
    Manager()->RenderFrame();
    EXPECT_EQ(m_events, c.events) << c.first_hides << c.second_hides;
  }
}

// Behind such a quad the hidden objects' textures are built a few a frame, so that the frame that
// first shows them (the menu, as the logos end) does not build them all; nothing is drawn meanwhile.
TEST_F(RenderManagerTest, WhatAQuadOverTheWholeScreenHidesHasItsTexturesBuiltAFewAFrame) {
  ASSERT_TRUE(Manager()->IsStarted());  // the texture types, before the shaders look theirs up
  cMemoryStream file;
  TgaImageLoader().Save(Solid(8, 8, {10, 20, 30}), file);
  const std::string tga(reinterpret_cast<const char*>(file.GetData()), file.GetSize());
  const char* pictures[] = {"a", "b", "c", "d", "e"};
  FixtureTree tree(m_dir.Path(), "data");
  for (const char* picture : pictures) tree.AddFile(std::string("fx/") + picture + ".tga", tga);
  const std::string previous_dir = os::GetCurrentDirectory();
  SetCurrentDir(m_dir.Path());
  cResourceManager::GetInstance()->AddDirectory("data");
  std::vector<std::unique_ptr<Probe>> hidden;
  for (const char* picture : pictures) {
    hidden.push_back(std::make_unique<Probe>(picture, kRenderObjectVisible | kRenderObjectGuiGroup, 1.0f));
    hidden.back()->GetShaderHolder().SetShader(
        ShaderRef::FromDescriptor(ShaderDescriptor(std::string("fx\\") + picture, "", false)));
    hidden.back()->SetHidden(false);
  }
  NotedQuad backdrop("a", true);
  Manager()->GetModelManager()->AddOverlay(&backdrop);
  const auto built = [&hidden] {
    return std::count_if(hidden.begin(), hidden.end(), [](const std::unique_ptr<Probe>& probe) {
      const TextureHandle* texture = Found(probe->GetShaderHolder().GetShader()).GetStageTexture(0);
      return texture != nullptr && Found(texture->GetTexture()).GetSurface() != nullptr;
    });
  };
  for (const long expected : {2, 4, 5, 5}) {
    m_events.clear();
    Manager()->RenderFrame();
    EXPECT_EQ(built(), expected);
    EXPECT_EQ(std::count(m_events.begin(), m_events.end(), "overlay a"), 1);
    EXPECT_EQ(m_events.size(), 6u) << "five updates and the backdrop, no draw";
  }
  SetCurrentDir(previous_dir);
}

TEST_F(RenderManagerTest, ANeededResetIsCarriedOutByThePass) {
  RenderManager* manager = Manager();
  RenderSystem* rs = manager->GetRenderSystem();
  gfx::headless::LoseDevice(gfx::DDERR_WRONGMODE);
  rs->CheckDevice();
  ASSERT_TRUE(rs->IsResetNeeded());
  gfx::headless::RegainDevice();
  Probe object("o", kRenderObjectVisible, 1.0f);
  object.SetHidden(false);
  manager->RenderFrame();
  EXPECT_FALSE(rs->IsResetNeeded());
  EXPECT_TRUE(rs->IsDeviceReady());
  EXPECT_EQ(m_events, (std::vector<std::string>{"update o", "draw o"}));
  EXPECT_TRUE(LogHas("Reseting m_d3d device:"));
}

TEST_F(RenderManagerTest, WhileTheDeviceIsLostFramesRunButNothingIsDrawn) {
  RenderManager* manager = Manager();
  Ticker ticker("a");
  Probe object("o", kRenderObjectVisible, 1.0f);
  object.SetHidden(false);
  gfx::headless::LoseDevice();
  gfx::headless::ClearRecords();
  manager->RenderFrame();
  EXPECT_EQ(m_events, (std::vector<std::string>{"tick a"}));
  EXPECT_EQ(gfx::headless::SceneCount(), 0u);
  EXPECT_EQ(gfx::headless::PresentCount(), 0u);
  EXPECT_EQ(manager->GetModelManager()->GetVisibleCount(), 0u);
  gfx::headless::RegainDevice();
  manager->RenderFrame();
  EXPECT_EQ(gfx::headless::PresentCount(), 1u);
}

TEST_F(RenderManagerTest, AFailedStartLeavesAManagerThatDrawsNothing) {
  gfx::headless::FailCall(gfx::Call::kCreateDevice, gfx::DDERR_GENERIC, 100);
  RenderManager* manager = Manager();
  EXPECT_FALSE(manager->IsStarted());
  Probe object("o", kRenderObjectVisible, 1.0f);
  object.SetHidden(false);
  manager->RenderFrame();
  EXPECT_EQ(gfx::headless::DrawCount(), 0u);
  EXPECT_TRUE(LogHas("RenderManager: no Direct3D device could be created"));
}

TEST_F(RenderManagerTest, UpdatablesJoinOnceAndLeaveWhenDestroyed) {
  auto a = std::make_unique<Ticker>("a");
  auto b = std::make_unique<Ticker>("b");
  EXPECT_EQ(Manager()->GetUpdateList().size(), 2u);
  a.reset();
  ASSERT_EQ(Manager()->GetUpdateList().size(), 1u);
  EXPECT_EQ(Manager()->GetUpdateList()[0], b.get());
}

TEST_F(RenderManagerTest, ObjectsShownOrMadeWhileTheManagerIsTakenDownDoNotReachItsManagers) {
  // A frame step's state goes last of all; here it shows an object and makes a quad as it goes.
  struct ShowsOnDestruction {
    ShowsOnDestruction(Probe* o, std::unique_ptr<OverlayQuad>* q) : object(o), quad(q) {}
    Probe* object;
    std::unique_ptr<OverlayQuad>* quad;
    ~ShowsOnDestruction() {
      object->SetVisible(true);
      *quad = std::make_unique<OverlayQuad>();
    }
  };
  Probe object("late", 0, 0.0f);
  std::unique_ptr<OverlayQuad> quad;
  auto state = std::make_shared<ShowsOnDestruction>(&object, &quad);
  Manager()->SetFrameStep(RenderManager::kGuiLayout, [state] {});
  state.reset();
  DestroySingletons();
  EXPECT_TRUE(object.IsVisible());
  ASSERT_NE(quad, nullptr);
  EXPECT_EQ(quad->GetCamera(), nullptr);
  quad.reset();
}

class DrawList : public RenderManagerTest {
 protected:
  ModelManager* List() { return Manager()->GetModelManager(); }
  std::vector<std::string> DrawOrder() {
    m_events.clear();
    Manager()->RenderFrame();
    std::vector<std::string> draws;
    for (const auto& e : m_events) {
      if (e.rfind("draw ", 0) == 0) draws.push_back(e.substr(5));
    }
    return draws;
  }
};

TEST_F(DrawList, MembershipFollowsVisibleAndNotHidden) {
  Probe object("o", 0, 0.0f);
  EXPECT_TRUE(List()->GetObjects().empty());
  object.SetVisible(true);
  EXPECT_EQ(List()->GetObjects().size(), 1u);
  EXPECT_EQ(object.m_refreshes, 1);
  object.SetVisible(true);  // already visible: nothing changes
  EXPECT_EQ(object.m_refreshes, 1);
  EXPECT_EQ(List()->GetObjects().size(), 1u);
  object.SetHidden(true);
  EXPECT_TRUE(List()->GetObjects().empty());
  object.SetHidden(true);
  EXPECT_TRUE(List()->GetObjects().empty());
  object.SetVisible(false);
  object.SetHidden(false);
  EXPECT_TRUE(List()->GetObjects().empty());  // unhidden but not visible
  object.SetVisible(true);
  EXPECT_EQ(List()->GetObjects().size(), 1u);
  object.SetVisible(false);
  EXPECT_FALSE(object.IsHidden());  // hiding through visibility keeps the stored hidden value
  EXPECT_TRUE(List()->GetObjects().empty());
}

TEST_F(DrawList, GuiObjectsDrawFarthestFirstAndTheFirstGroupNearestFirst) {
  Probe g3("g3", kRenderObjectGuiGroup, 3.0f), g5("g5", kRenderObjectGuiGroup, 5.0f);
  Probe f3("f3", kRenderObjectFirstGroup, 3.0f), f5("f5", kRenderObjectFirstGroup, 5.0f);
  for (Probe* p : {&g3, &f5, &g5, &f3}) p->SetVisible(true);
  EXPECT_EQ(DrawOrder(), (std::vector<std::string>{"f3", "f5", "g5", "g3"}));
}

TEST_F(DrawList, ObjectsWithNeitherGroupAndNanDepthsSortSafely) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<std::unique_ptr<Probe>> probes;
  const uint32_t groups[] = {0, kRenderObjectFirstGroup, kRenderObjectGuiGroup,
                             kRenderObjectFirstGroup | kRenderObjectGuiGroup};
  const float depths[] = {nan, -1.0f, 0.0f, 2.0f, std::numeric_limits<float>::infinity(), nan};
  for (uint32_t g : groups) {
    for (float d : depths) probes.push_back(std::make_unique<Probe>("p", g, d));
  }
  // Strict weak ordering: irreflexive, asymmetric, transitive, and incomparability transitive.
  auto before = [](const Probe* a, const Probe* b) { return ModelManager::DrawsBefore(a, b); };
  auto equiv = [&](const Probe* a, const Probe* b) { return !before(a, b) && !before(b, a); };
  for (auto& a : probes) {
    EXPECT_FALSE(before(a.get(), a.get()));
    for (auto& b : probes) {
      if (before(a.get(), b.get())) {
        EXPECT_FALSE(before(b.get(), a.get()));
      }
      for (auto& c : probes) {
        if (before(a.get(), b.get()) && before(b.get(), c.get())) {
          EXPECT_TRUE(before(a.get(), c.get()));
        }
        if (equiv(a.get(), b.get()) && equiv(b.get(), c.get())) {
          EXPECT_TRUE(equiv(a.get(), c.get()));
        }
      }
    }
  }
  // Groups: first, GUI, then the rest; NaN depths at the end of their group.
  Probe none("none", 0, 1.0f), nan_first("nanfirst", kRenderObjectFirstGroup, nan),
      first("first", kRenderObjectFirstGroup, 9.0f), gui("gui", kRenderObjectGuiGroup, 1.0f);
  for (Probe* p : {&none, &nan_first, &gui, &first}) p->SetVisible(true);
  EXPECT_EQ(DrawOrder(), (std::vector<std::string>{"first", "nanfirst", "gui", "none"}));
}

TEST_F(DrawList, AnObjectWithoutFacesIsUpdatedButNeitherDrawnNorCounted) {
  Probe empty("empty", kRenderObjectGuiGroup, 1.0f, 0);
  Probe full("full", kRenderObjectGuiGroup, 2.0f, 12);
  empty.SetVisible(true);
  full.SetVisible(true);
  EXPECT_EQ(DrawOrder(), (std::vector<std::string>{"full"}));
  EXPECT_NE(std::find(m_events.begin(), m_events.end(), "update empty"), m_events.end());
  EXPECT_EQ(List()->GetVisibleCount(), 2u);
  EXPECT_EQ(List()->GetDrawnCount(), 1u);
  EXPECT_EQ(List()->GetFaceCount(), 12u);
  EXPECT_EQ(List()->GetFacesDrawn(), 12u);
}

// Runs an action of its own in its update or its draw.
class Actor : public Probe {
 public:
  using Probe::Probe;
  void Update(bool cull) override {
    Probe::Update(cull);
    if (on_update) on_update();
  }
  void Draw() override {
    Probe::Draw();
    if (on_draw) on_draw();
  }
  std::function<void()> on_update, on_draw;
};

TEST_F(DrawList, ObjectsHiddenOrDeletedDuringThePassNeitherSkipTheirNeighboursNorAreTouchedAgain) {
  auto a = std::make_unique<Actor>("a", 0, 0.0f);
  auto b = std::make_unique<Actor>("b", 0, 0.0f);
  auto c = std::make_unique<Actor>("c", 0, 0.0f);
  auto d = std::make_unique<Actor>("d", 0, 0.0f);
  for (Actor* p : {a.get(), b.get(), c.get(), d.get()}) p->SetVisible(true);
  a->on_update = [&] { a->SetVisible(false); };  // hides itself
  b->on_update = [&] { d.reset(); };              // deletes one not yet updated
  c->on_update = [&] { b->SetHidden(true); };     // hides one already appended
  EXPECT_EQ(DrawOrder(), (std::vector<std::string>{"c"}));
  EXPECT_NE(std::find(m_events.begin(), m_events.end(), "update c"), m_events.end());
  EXPECT_EQ(List()->GetObjects(), (std::vector<RenderObject*>{c.get()}));

  // A draw that hides the next object and deletes an overlay quad.
  auto e = std::make_unique<Actor>("e", 0, 0.0f);
  e->SetVisible(true);
  auto first = std::make_unique<NotedQuad>();
  auto second = std::make_unique<NotedQuad>();
  List()->AddOverlay(first.get());
  List()->AddOverlay(second.get());
  c->on_update = nullptr;
  c->on_draw = [&] {
    e->SetVisible(false);
    first.reset();
  };
  EXPECT_EQ(DrawOrder(), (std::vector<std::string>{"c"}));
  EXPECT_EQ(std::count(m_events.begin(), m_events.end(), "overlay"), 1);
  EXPECT_EQ(List()->GetOverlays(), (std::vector<OverlayQuad*>{second.get()}));
  EXPECT_EQ(List()->GetSorted(), (std::vector<RenderObject*>{c.get()}));
}

TEST_F(DrawList, OwnsNothing) {
  auto object = std::make_unique<Probe>("o", 0, 1.0f);
  object->SetVisible(true);
  NotedQuad* quad = new NotedQuad;
  List()->AddOverlay(quad);
  DestroySingletons();  // the manager goes first; the objects are their owners' to delete
  EXPECT_EQ(object->Name(), "o");
  object.reset();
  delete quad;
}

TEST_F(DrawList, AnObjectDeletedByItsOwnerLeavesTheList) {
  auto object = std::make_unique<Probe>("o", 0, 1.0f);
  object->SetVisible(true);
  DrawOrder();
  object.reset();
  EXPECT_TRUE(List()->GetObjects().empty());
  EXPECT_TRUE(List()->GetSorted().empty());
  DrawOrder();
}

TEST_F(DrawList, AnOverlayQuadHasItsOwnCameraAndDrawsAfterTheObjects) {
  const std::size_t cameras = Manager()->GetCameraManager()->GetCameraCount();
  {
    NotedQuad quad;
    EXPECT_EQ(Manager()->GetCameraManager()->GetCameraCount(), cameras + 1);
    EXPECT_NE(Found(Found(quad.GetCamera()).GetCamera()).m_kind, static_cast<uint32_t>(kCameraPerspective));
    EXPECT_EQ(Found(quad.GetVertices()).GetCount(), 4u);
    EXPECT_EQ(Found(quad.GetIndices()).GetCount(), 6u);
    EXPECT_EQ(quad.GetColor(), Vector4(1, 1, 1, 1));
    Probe object("o", kRenderObjectGuiGroup, 1.0f);
    object.SetVisible(true);
    List()->AddOverlay(&quad);
    DrawOrder();
    EXPECT_EQ(m_events, (std::vector<std::string>{"update o", "draw o", "overlay"}));
  }
  EXPECT_EQ(Manager()->GetCameraManager()->GetCameraCount(), cameras);
  EXPECT_TRUE(List()->GetOverlays().empty());
}

}  // namespace
