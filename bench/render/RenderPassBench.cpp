// The render pass over 500 render objects, each of its own quad model, placed by its world matrix
// and drawn through its camera and its shader: on the headless device (update, sort and submit),
// and on OpenGL beside a bare GL program drawing the same scene.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/render/QuadScene.h"
#include "bench/render/QuadSceneData.h"
#include "bench/render/SliceTime.h"
#include "bench/support/BenchData.h"
#include "bench/support/EngineStart.h"
#include "platform/gfx/headless/Headless.h"
#include "source/camera/CameraManager.h"
#include "source/core/CountedPtr.h"
#include "source/model/Model.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"

namespace {

using Quads = std::vector<std::unique_ptr<RenderObject>>;

// Quad i as the GUI makes a window's quad: a model of its own, four corners drawn as a strip, and a
// render object of it in quad i's draw group, placed at the quad's spot and depth; with `shaders`,
// drawn through the shader of its texture.
std::unique_ptr<RenderObject> MakeQuad(int i, CameraHandle* camera, bool shaders) {
  CountedPtr<Model> quad(new Model("quad", 4, 4, 0));
  for (uint32_t v = 0; v < 4; ++v) {
    const float u = static_cast<float>(v & 1), t = static_cast<float>(v >> 1);
    *quad->m_vertices->GetVertex(v) = Vertex{u * kQuadSize, (1.0f - t) * kQuadSize, 0, 0, 0, -1, 0xFFFFFFFFu, u, t};
    quad->m_indices->SetIndex(v, v);
  }
  auto object = std::make_unique<RenderObject>(quad, camera, 0);
  if (!QuadIsGui(i)) object->ClearFlagBits(kRenderObjectGuiGroup);
  if (shaders) object->GetShaderHolder().SetShader(ShaderRef::FromResource(QuadShaderName(QuadTexture(i))));
  object->SetWorldMatrix(Matrix4::MakeTranslation(QuadX(i), QuadY(i), QuadDepth(i)));
  object->SetVisible(true);
  return object;
}

Quads MakeQuads(CameraHandle* camera, bool shaders) {
  Quads quads;
  for (int i = 0; i < kSceneObjects; ++i) quads.push_back(MakeQuad(i, camera, shaders));
  return quads;
}

// The quads' numbers in the order of the last frame's draw list.
std::vector<int> DrawnOrder(const Quads& quads) {
  std::map<const RenderObject*, int> number;
  for (int i = 0; i < kSceneObjects; ++i) number[quads[i].get()] = i;
  std::vector<int> order;
  for (const RenderObject* object : RenderManager::GetInstance()->GetModelManager()->GetSorted()) {
    order.push_back(number.count(object) ? number[object] : -1);
  }
  return order;
}

// The scene's orthographic view: the camera at the origin looking along +z.
CameraHandle* MakeSceneCamera(RenderManager* manager) {
  CameraHandle* camera = manager->GetCameraManager()->CreateCamera(kCameraOrthographic);
  camera->GetCamera()->m_width = static_cast<float>(kSceneWidth);
  camera->GetCamera()->m_height = static_cast<float>(kSceneHeight);
  camera->GetCamera()->m_near = 1000.0f;
  camera->GetCamera()->m_far = -1000.0f;
  return camera;
}

void BM_RenderPass500(benchmark::State& state) {
  RenderManager* manager = StartHeadlessEngine();
  {
    const Quads quads = MakeQuads(MakeSceneCamera(manager), false);
    for (auto _ : state) {
      manager->RenderFrame();
      gfx::headless::ClearRecords();  // the recorder keeps at most 4096 draws anyway
    }
    state.counters["objects"] = static_cast<double>(manager->GetModelManager()->GetDrawnCount());
  }
  StopEngine();
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
// sync, its textures and shaders read from a data folder as the game's are, beside the bare GL
// reference drawing the same scene in its own window and context. The two take turns, 20 frames
// each, so that whatever else the machine does weighs on both alike; argument 1 waits for every
// frame with glFinish on both sides. Reported: both frame rates, "of_bare", the engine's frame
// rate as a share of the reference's, and the drawing thread's CPU milliseconds a frame on each
// side.
void BM_RenderPass500OpenGL(benchmark::State& state) {
  OpenGlEngine engine;
  BenchData data;
  BareScene bare;
  std::string error;
  RenderManager* manager = engine.Start(kSceneWidth, kSceneHeight, error);
  if (manager != nullptr && !(AddQuadSceneData(data) && data.Mount())) error = "the scene's data cannot be mounted";
  if (!error.empty() || !bare.Open(error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const Quads quads = MakeQuads(MakeSceneCamera(manager), true);
  // One frame first, to see that the engine draws what the reference draws, in its order.
  manager->RenderFrame();
  if (DrawnOrder(quads) != SceneDrawOrder()) {
    state.SkipWithError("the engine draws the quads in another order than the reference");
    return;
  }
  const bool finish = state.range(0) != 0;
  // One slice each first: the contexts compile their shaders and fill their caches.
  TimeSlice([&] { bare.Draw(false); }, finish);
  TimeSlice([&] { manager->RenderFrame(); }, finish);
  SliceTime engine_time, reference_time;
  for (auto _ : state) {
    reference_time += TimeSlice([&] { bare.Draw(false); }, finish);
    engine_time += TimeSlice([&] { manager->RenderFrame(); }, finish);
  }
  ReportSlices(state, engine_time, reference_time);
}
BENCHMARK(BM_RenderPass500OpenGL)
    ->ArgName("finish")
    ->Arg(0)
    ->Arg(1)
    ->MinTime(5.0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
