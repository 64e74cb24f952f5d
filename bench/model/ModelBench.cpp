// Skinning 10,000 vertices (goal: under 0.3 ms) and 1,000 picks of the GUI's kind, a ray through a
// two-triangle button (goal: under 0.2 ms).

#include <benchmark/benchmark.h>

#include <vector>

#include "source/model/Model.h"
#include "source/model/ModelFileLoader.h"
#include "source/model/NodeAnimationController.h"
#include "source/render/RenderObject.h"

namespace {

// A body of 10,000 vertices hanging on 16 nodes, each vertex on `influences` of them.
ModelFileData Body(uint16_t influences) {
  ModelFileData d;
  d.flags = 0x4 | 0x8;
  d.frame_count = 2;
  for (uint16_t n = 0; n < 16; ++n) d.nodes.push_back(ModelFileNode{0, "bone", {{-1, -1, -1}, {1, 1, 1}}, 0, 0});
  for (uint32_t f = 0; f < 2; ++f) {
    for (uint16_t n = 0; n < 16; ++n) {
      d.node_keys.push_back(ModelKey{Vector3(n * 0.1f, f * 0.2f, 0), Quaternion(0, 0, f * 0.3826834f, 0.9238795f), Vector3(1, 1, 1)});
    }
  }
  d.vertex_count = 10000;
  for (uint32_t i = 0; i < d.vertex_count; ++i) {
    ModelFileSkinnedVertex v{0, 0, {}};
    for (uint16_t k = 0; k < influences; ++k) {
      v.influences.push_back(ModelInfluence{static_cast<uint16_t>((i + k * 5) % 16), 1.0f / influences, Vector3(0, 0, -1),
                                            Vector3(i * 0.001f, k * 0.5f, 0)});
    }
    d.skinned.push_back(v);
  }
  d.indices = {0, 1, 2};
  d.bounds = {ModelBox{}};
  return d;
}

void BM_Skin10000Vertices(benchmark::State& state) {
  CountedPtr<Model> model(new Model("body"));
  BuildModel(Body(static_cast<uint16_t>(state.range(0))), *model);
  RenderObject object(model, nullptr, 0);
  auto& node = static_cast<NodeAnimationController&>(*object.GetControllers().front());
  node.SetFrames(0, 1, 0.5f);
  node.Update();
  for (auto _ : state) {
    node.Apply();
    benchmark::DoNotOptimize(object.GetOwnVertices()->GetVertex(0));
  }
  state.SetLabel(std::to_string(state.range(0)) + " influences a vertex");
}
BENCHMARK(BM_Skin10000Vertices)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

ModelFileData Button() {
  ModelFileData d;
  d.flags = 0x1 | 0x8;
  d.vertex_count = 4;
  for (uint32_t i = 0; i < 4; ++i) {
    d.vertices.push_back(ModelFileVertex{0, 0, Vector3(0, 0, -1), Vector3(static_cast<float>(i & 1), static_cast<float>(i >> 1), 0)});
  }
  d.indices = {0, 2, 1, 1, 2, 3};
  d.bounds = {ModelBox{{0, 0, 0}, {1, 1, 0}}};
  return d;
}

void BM_Pick1000(benchmark::State& state) {
  CountedPtr<Model> model(new Model("button"));
  BuildModel(Button(), *model);
  RenderObject button(model, nullptr, 0);
  Matrix4 place = Matrix4::MakeScale(120, 40, 1);
  place.m[12] = 400;
  place.m[13] = 300;
  button.SetWorldMatrix(place);
  button.Update(false);
  const bool hitting = state.range(0) != 0;
  const Vector3 segment(0, 0, 1100);
  int hits = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      const Vector3 origin(hitting ? 405.0f + (i % 100) : 100.0f, hitting ? 305.0f + (i % 30) : 100.0f, -100.0f);
      hits += button.PickByRay(origin, segment) ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(hits);
  state.SetLabel(hitting ? "every ray hits" : "every ray misses the box");
}
BENCHMARK(BM_Pick1000)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
