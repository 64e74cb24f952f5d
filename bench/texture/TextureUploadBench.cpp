// A 1024 x 1024 texture with its eleven mip levels made and uploaded on OpenGL (llvmpipe under
// SDL's offscreen driver): the levels halved and packed, then drawn once on a small window so
// that the driver really takes them (goal: under 25 ms).

#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/EngineStart.h"
#include "bench/texture/BenchPictures.h"
#include "platform/gfx/gfx.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "source/texture/Texture2D_D3D7.h"

namespace {

void BM_Upload1024TextureWithMips(benchmark::State& state) {
  OpenGlEngine engine;
  std::string error;
  RenderManager* manager = engine.Start(64, 48, error);
  if (manager == nullptr) {
    state.SkipWithError(error.c_str());
  } else {
    const Image picture = BenchScene(1024, 1024);
    RenderSystem_D3D7* render_system = manager->GetRenderSystemD3D7();
    VertexBufferHolder vertices(4, 0);
    IndexBufferHolder indices(6, 0);
    const uint16_t quad[6] = {0, 1, 2, 2, 1, 3};
    indices.Upload(quad);
    for (uint32_t i = 0; i < 4; ++i) {
      Vertex* v = vertices->GetVertex(i);
      *v = Vertex{static_cast<float>(i & 1), static_cast<float>(i >> 1), 0.5f, 0, 0, -1, 0xFFFFFFFF,
                  static_cast<float>(i & 1), static_cast<float>(i >> 1)};
    }
    render_system->SetTextureFilter(0, 2);
    const auto upload_and_draw = [&]() {
      Texture2D_D3D7 texture("bench", true);
      texture.CreateSurface(&picture);
      render_system->BeginFrame();
      texture.Bind(0);
      indices->Bind();
      vertices->Bind();
      render_system->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
      render_system->EndFrame();
      // Reading the small frame back waits until the driver has drawn with the texture.
      gfx::SurfaceDesc locked;
      if (gfx::Succeeded(render_system->GetBackSurface()->Lock(nullptr, locked, gfx::DDLOCK_READONLY))) {
        render_system->GetBackSurface()->Unlock(nullptr);
      }
      render_system->UnbindTexture(0);
      return texture.GetMemory();
    };
    upload_and_draw();  // the driver builds its code for this kind of draw once, before timing
    uint32_t memory = 0;
    for (auto _ : state) memory = upload_and_draw();
    state.counters["levels KiB"] = static_cast<double>(memory) / 1024.0;
  }
}
BENCHMARK(BM_Upload1024TextureWithMips)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
