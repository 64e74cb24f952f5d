// The render pass over 500 objects, each drawn through its own world matrix, its camera and its own
// buffers: on the headless device (update, sort and submit), and on OpenGL beside a bare GL
// program drawing the same scene.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/render/QuadScene.h"
#include "bench/render/SliceTime.h"
#include "platform/gfx/Backend.h"
#include "platform/gfx/gfx.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/window.h"
#include "source/camera/CameraManager.h"
#include "source/core/Singleton.h"
#include "source/properties/cProperties.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

// A quad at its own place with its own buffers, drawn the way a GUI object's render object draws:
// its world matrix, its camera, its texture (when it has one, alpha-blended), then a textured draw.
class QuadObject : public RenderObject {
 public:
  QuadObject(CameraHandle* camera, float x, float y, float z, uint32_t group, float size = 1.0f,
             std::shared_ptr<gfx::Surface> texture = nullptr)
      : m_camera(camera), m_vertices(4, 0), m_indices(6, 0), m_world(Matrix4::MakeTranslation(x, y, z)),
        m_texture(std::move(texture)) {
    const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    m_indices.Upload(indices);
    for (uint32_t i = 0; i < 4; ++i) {
      Vertex* v = m_vertices->GetVertex(i);
      v->x = static_cast<float>(i & 1) * size;
      v->y = static_cast<float>(1 - (i >> 1)) * size;
      v->z = 0.0f;
      v->nx = v->ny = 0.0f;
      v->nz = -1.0f;
      v->u = static_cast<float>(i & 1);
      v->v = static_cast<float>(i >> 1);
      v->diffuse = 0xFFFFFFFF;
    }
    m_flags = group;
  }
  void Update(bool) override {
    m_face_count = m_faces_to_draw = 2;
    const Camera_D3D7& c = *m_camera->GetCamera();
    const Vector3 centre(m_world.m[12], m_world.m[13], m_world.m[14]);
    m_view_depth = Dot(c.m_position - centre, c.m_direction);
  }
  void Draw() override {
    RenderManager* manager = RenderManager::PeekInstance();
    RenderSystem_D3D7* rs = manager->GetRenderSystemD3D7();
    rs->SetWorldTransform(m_world);
    manager->GetCameraManager()->SetCurrentCamera(m_camera, false);
    rs->SetCullMode(0);
    if (m_texture) {
      rs->SetAlphaBlendEnable(true);
      rs->SetBlend(4, 5);  // source alpha, inverse source alpha
      rs->BindTexture(0, m_texture);
    }
    m_indices->Bind();
    m_vertices->Bind();
    rs->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
    if (m_drawn != nullptr) m_drawn->push_back(m_index);
  }
  // Notes the object's number in `drawn` at every draw.
  void RecordDraws(std::vector<int>* drawn, int index) {
    m_drawn = drawn;
    m_index = index;
  }

 private:
  CameraHandle* m_camera;
  VertexBufferHolder m_vertices;
  IndexBufferHolder m_indices;
  Matrix4 m_world;
  std::shared_ptr<gfx::Surface> m_texture;
  std::vector<int>* m_drawn = nullptr;
  int m_index = 0;
};

// A scene texture made through the device's surfaces, as the texture code makes them.
std::shared_ptr<gfx::Surface> MakeSceneTexture(int t) {
  gfx::SurfaceDesc desc;
  desc.flags = gfx::DDSD_CAPS | gfx::DDSD_WIDTH | gfx::DDSD_HEIGHT | gfx::DDSD_PIXELFORMAT;
  desc.caps = gfx::DDSCAPS_TEXTURE;
  desc.width = desc.height = kSceneTextureSide;
  desc.format = gfx::FormatA8R8G8B8();
  std::shared_ptr<gfx::Surface> texture;
  if (gfx::Failed(RenderSystem_D3D7::GetDirectDraw()->CreateSurface(desc, texture)) || !texture) return nullptr;
  gfx::SurfaceDesc locked;
  if (gfx::Failed(texture->Lock(nullptr, locked, gfx::DDLOCK_WAIT))) return nullptr;
  for (int y = 0; y < kSceneTextureSide; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.memory) + y * locked.pitch);
    for (int x = 0; x < kSceneTextureSide; ++x) row[x] = SceneTexel(t, x, y);
  }
  texture->Unlock(nullptr);
  return texture;
}

void BM_RenderPass500(benchmark::State& state) {
  setenv("VELMARIS_HEADLESS", "1", 1);
  gfx::headless::Reset();
  window::Shutdown();
  window::CreateMainWindow("Velmaris");
  g_render_settings.fullscreen = false;
  RenderManager* manager = RenderManager::GetInstance();
  CameraHandle* camera = manager->GetCameraManager()->GetDefaultCamera();
  std::vector<std::unique_ptr<QuadObject>> objects;
  for (int i = 0; i < 500; ++i) {
    const uint32_t group = i % 2 ? kRenderObjectGuiGroup : kRenderObjectFirstGroup;
    objects.push_back(std::make_unique<QuadObject>(camera, static_cast<float>(i % 25), static_cast<float>(i / 25),
                                                   10.0f + static_cast<float>((i * 37) % 100), group));
    objects.back()->SetVisible(true);
  }
  for (auto _ : state) {
    manager->RenderFrame();
    gfx::headless::ClearRecords();  // the recorder keeps at most 4096 draws anyway
  }
  state.counters["objects"] = static_cast<double>(manager->GetModelManager()->GetDrawnCount());
  objects.clear();
  DestroySingletons();
  window::Shutdown();
}
BENCHMARK(BM_RenderPass500)->Unit(benchmark::kMicrosecond);

// The update and sort alone, without the device.
void BM_DrawListSort500(benchmark::State& state) {
  std::vector<std::unique_ptr<RenderObject>> objects;
  class Fixed : public RenderObject {
   public:
    Fixed(uint32_t group, float depth) {
      m_flags = group;
      m_view_depth = depth;
    }
    void Update(bool) override {}
    void Draw() override {}
  };
  std::vector<RenderObject*> sorted;
  for (int i = 0; i < 500; ++i) {
    objects.push_back(std::make_unique<Fixed>(i % 2 ? kRenderObjectGuiGroup : kRenderObjectFirstGroup,
                                              static_cast<float>((i * 7919) % 1000)));
  }
  for (auto _ : state) {
    sorted.clear();
    for (auto& o : objects) sorted.push_back(o.get());
    std::sort(sorted.begin(), sorted.end(), ModelManager::DrawsBefore);
    benchmark::DoNotOptimize(sorted.data());
  }
}
BENCHMARK(BM_DrawListSort500)->Unit(benchmark::kMicrosecond);

// The scene through the whole engine on OpenGL (llvmpipe; SDL's offscreen driver unless
// SDL_VIDEODRIVER names another, such as x11 under Xvfb) at 1024 x 768, windowed, without vertical
// sync, beside the bare GL reference drawing the same scene in its own window and context. The two
// take turns, 20 frames each, so that whatever else the machine does weighs on both alike;
// argument 1 waits for every frame with glFinish on both sides. Reported: both frame rates,
// "of_bare", the engine's frame rate as a share of the reference's, and the drawing thread's CPU
// milliseconds a frame on each side.
void BM_RenderPass500OpenGL(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("VELMARIS_HEADLESS", "0", 1);
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  // Made at the scene's size: the offscreen driver keeps a window's first size for drawing. A
  // virtual display now and then refuses a connection: a second or third try gets one.
  bool opened = false;
  for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
    window::Shutdown();
    opened = window::Initialize() && window::CreateMainWindow("Velmaris", kSceneWidth, kSceneHeight);
  }
  cProperties::GetInstance()->SetValue("log", "false");
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = false;
  g_render_settings.width = kSceneWidth;
  g_render_settings.height = kSceneHeight;
  BareScene bare;
  std::string error;
  RenderManager* manager = opened ? RenderManager::GetInstance() : nullptr;
  if (manager == nullptr) {
    state.SkipWithError("no window");
  } else if (!manager->IsStarted()) {
    state.SkipWithError("no GL device");
  } else if (!bare.Open(error)) {
    state.SkipWithError(error.c_str());
  } else {
    CameraHandle* camera = manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
    camera->GetCamera()->m_width = static_cast<float>(kSceneWidth);
    camera->GetCamera()->m_height = static_cast<float>(kSceneHeight);
    camera->GetCamera()->m_near = 1000.0f;
    camera->GetCamera()->m_far = -1000.0f;
    std::shared_ptr<gfx::Surface> textures[kSceneTextures];
    for (int t = 0; t < kSceneTextures; ++t) textures[t] = MakeSceneTexture(t);
    std::vector<std::unique_ptr<QuadObject>> objects;
    std::vector<int> drawn;
    for (int i = 0; i < kSceneObjects; ++i) {
      const uint32_t group = QuadIsGui(i) ? kRenderObjectGuiGroup : kRenderObjectFirstGroup;
      objects.push_back(std::make_unique<QuadObject>(camera, QuadX(i), QuadY(i), QuadDepth(i), group, kQuadSize,
                                                     textures[QuadTexture(i)]));
      objects.back()->RecordDraws(&drawn, i);
      objects.back()->SetVisible(true);
    }
    // One frame first, to see that the engine draws what the reference draws, in its order.
    manager->RenderFrame();
    for (auto& object : objects) object->RecordDraws(nullptr, 0);
    const bool finish = state.range(0) != 0;
    if (drawn != SceneDrawOrder()) {
      state.SkipWithError("the engine draws the quads in another order than the reference");
    } else {
      // One slice each first: the contexts compile their shaders and fill their caches.
      TimeSlice([&] { bare.Draw(false); }, finish);
      TimeSlice([&] { manager->RenderFrame(); }, finish);
      SliceTime engine, reference;
      for (auto _ : state) {
        reference += TimeSlice([&] { bare.Draw(false); }, finish);
        engine += TimeSlice([&] { manager->RenderFrame(); }, finish);
      }
      ReportSlices(state, engine, reference);
    }
    objects.clear();
  }
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  setenv("VELMARIS_HEADLESS", "1", 1);
}
BENCHMARK(BM_RenderPass500OpenGL)
    ->ArgName("finish")
    ->Arg(0)
    ->Arg(1)
    ->MinTime(5.0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
