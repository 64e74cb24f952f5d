// One render pass over 500 objects on the headless device: update, sort and submit, with every
// object drawn through its own world matrix, the shared camera and its own buffers.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/render/QuadScene.h"
#include "platform/gfx/Backend.h"
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
#include "source/render/RenderSystem.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

// A textured quad at its own place, drawn the way a model's render object draws.
class QuadObject : public RenderObject {
 public:
  QuadObject(CameraHandle* camera, float x, float y, float z, uint32_t group, float size = 1.0f)
      : m_camera(camera), m_vertices(4, 0), m_indices(6, 0), m_world(Matrix4::MakeTranslation(x, y, z)) {
    const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    m_indices.Upload(indices);
    for (uint32_t i = 0; i < 4; ++i) {
      Vertex* v = m_vertices->GetVertex(i);
      v->x = static_cast<float>(i & 1) * size;
      v->y = static_cast<float>(1 - (i >> 1)) * size;
      v->z = 0.0f;
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
    manager->GetRenderSystem()->SetWorldTransform(m_world);
    manager->GetCameraManager()->SetCurrentCamera(m_camera, false);
    manager->GetRenderSystem()->SetCullMode(0);
    m_indices->Bind();
    m_vertices->Bind();
    manager->GetRenderSystem()->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
  }

 private:
  CameraHandle* m_camera;
  VertexBufferHolder m_vertices;
  IndexBufferHolder m_indices;
  Matrix4 m_world;
};

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

// The same scene through the whole engine on OpenGL (llvmpipe under SDL's offscreen driver) at
// 1024 x 768, windowed, without vertical sync; compare with BM_ReferenceBareGl500Quads.
void BM_RenderPass500OpenGL(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("VELMARIS_HEADLESS", "0", 1);
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  if (!window::Initialize() || !window::CreateMainWindow("Velmaris")) {
    state.SkipWithError("no window");
    return;
  }
  cProperties::GetInstance()->SetValue("log", "false");
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = false;
  g_render_settings.width = kSceneWidth;
  g_render_settings.height = kSceneHeight;
  RenderManager* manager = RenderManager::GetInstance();
  if (!manager->IsStarted()) {
    state.SkipWithError("no GL device");
  } else {
    CameraHandle* camera = manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
    camera->GetCamera()->m_width = static_cast<float>(kSceneWidth);
    camera->GetCamera()->m_height = static_cast<float>(kSceneHeight);
    camera->GetCamera()->m_near = 1000.0f;
    camera->GetCamera()->m_far = -1000.0f;
    std::vector<std::unique_ptr<QuadObject>> objects;
    for (int i = 0; i < kSceneObjects; ++i) {
      const uint32_t group = i % 2 ? kRenderObjectGuiGroup : kRenderObjectFirstGroup;
      objects.push_back(std::make_unique<QuadObject>(camera, QuadX(i), QuadY(i), 0.0f, group, kQuadSize));
      objects.back()->SetVisible(true);
    }
    for (auto _ : state) manager->RenderFrame();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    objects.clear();
  }
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  setenv("VELMARIS_HEADLESS", "1", 1);
}
BENCHMARK(BM_RenderPass500OpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
