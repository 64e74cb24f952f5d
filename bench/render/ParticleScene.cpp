#include "bench/render/ParticleScene.h"

#include "bench/support/BenchData.h"
#include "bench/support/EngineStart.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceManager.h"
#include "source/camera/CameraManager.h"
#include "source/core/Singleton.h"
#include "source/model/Model.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/ParticleSystem.h"
#include "source/particle/ParticleSystemInstance.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSettings.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/TgaImageLoader.h"

namespace {

constexpr const char* kEffectName = "bench\\effect";

ParticleFileData EffectData() {
  ParticleFileData d;
  d.max_particles = kEffectParticles;
  d.cycle_duration = 2.0f;
  d.interpolate_emission = 1;
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    d.emission[k] = 2000.0f;  // more than the pool holds: every effect stays full
    d.life_min[k] = 2.0f;
    d.life_max[k] = 4.0f;
    d.direction[k] = Vector3(0.0f, 1.0f, 0.0f);
    d.direction_variance[k] = Vector3(1.0f, 1.0f, 0.0f);
    d.color[k] = Vector4(1.0f, 0.9f - 0.1f * static_cast<float>(k), 0.5f, 1.0f - 0.15f * static_cast<float>(k));
    d.size[k] = 6.0f + static_cast<float>(k % 3);
    d.speed[k] = 0.2f;
    d.speed_variance[k] = 0.1f;
    d.rotation[k] = 0.02f;
  }
  return d;
}

// The sprite's texture in a data folder of its own, kept until the program ends and mounted
// again for every fresh engine.
void MountSprite() {
  static BenchData data;
  static const bool written = [] {
    const std::vector<uint8_t> texels = SpriteTexels();
    Image sprite;
    sprite.Allocate(kSpriteSide, kSpriteSide, 32);
    for (int y = 0; y < kSpriteSide; ++y) {
      std::copy_n(&texels[static_cast<std::size_t>(kSpriteSide - 1 - y) * kSpriteSide * 4], kSpriteSide * 4,
                  sprite.Row(y));
    }
    return data.AddTga("bench/effect.tga", sprite);
  }();
  if (written) data.Mount();
}

}  // namespace

CameraHandle* MakeSceneCamera() {
  CameraHandle* camera = RenderManager::GetInstance()->GetCameraManager()->CreateCamera(kCameraOrthographic);
  camera->GetCamera()->m_width = static_cast<float>(kParticleSceneWidth);
  camera->GetCamera()->m_height = static_cast<float>(kParticleSceneHeight);
  camera->GetCamera()->m_near = 1000.0f;
  camera->GetCamera()->m_far = -1000.0f;
  return camera;
}

std::vector<uint8_t> SpriteTexels() {
  std::vector<uint8_t> texels(static_cast<std::size_t>(kSpriteSide) * kSpriteSide * 4);
  const float centre = (kSpriteSide - 1) * 0.5f;
  for (int y = 0; y < kSpriteSide; ++y) {
    for (int x = 0; x < kSpriteSide; ++x) {
      const float d = std::hypot(static_cast<float>(x) - centre, static_cast<float>(y) - centre) / (kSpriteSide * 0.5f);
      const float alpha = d >= 1.0f ? 0.0f : (1.0f - d) * (1.0f - d);
      uint8_t* t = &texels[(static_cast<std::size_t>(y) * kSpriteSide + x) * 4];
      t[0] = t[1] = t[2] = 255;
      t[3] = static_cast<uint8_t>(std::lround(alpha * 255.0f));
    }
  }
  return texels;
}

std::vector<std::unique_ptr<ParticleSystem>> MakeEffects(CameraHandle* camera) {
  MountSprite();
  RenderManager* manager = RenderManager::GetInstance();
  manager->GetParticleInstanceManager()->SetDefaultCamera(camera);
  cMemoryStream file;
  WriteParticleFile(file, EffectData());
  std::vector<std::unique_ptr<ParticleSystem>> effects;
  for (int e = 0; e < kEffects; ++e) {
    file.Seek(0, 0);
    effects.push_back(std::make_unique<ParticleSystem>(file, kEffectName));
    ParticleSystem& effect = *effects.back();
    effect.SetEmitterPosition(Vector3(160.0f + 175.0f * static_cast<float>(e), 220.0f + 80.0f * static_cast<float>(e % 3), 0.0f));
    effect.SetLooping(true);
    effect.SetEmitting(true);
    effect.GetRenderObject()->SetVisible(true);
  }
  for (int frame = 0; frame < kWarmUpFrames; ++frame) manager->GetParticleManager()->Update(kFrameTime);
  return effects;
}

std::vector<BillboardFrame> RecordBillboards(int frames) {
  RenderManager* manager = StartHeadlessEngine();
  CameraHandle* camera = MakeSceneCamera();
  std::vector<BillboardFrame> recorded(static_cast<std::size_t>(frames));
  {
    std::vector<std::unique_ptr<ParticleSystem>> effects = MakeEffects(camera);
    for (BillboardFrame& frame : recorded) {
      manager->GetParticleManager()->Update(kFrameTime);
      manager->GetParticleInstanceManager()->BuildBillboards();
      for (int e = 0; e < kEffects; ++e) {
        RenderObject& object = *effects[e]->GetRenderObject();
        const Model& model = *object.GetModel();
        const uint32_t quads = model.m_index_count / 6;
        for (uint32_t i = 0; i < 4 * quads; ++i) {
          const Vertex& v = *object.GetVertices()->GetVertex(i);
          const uint32_t c = v.diffuse;
          frame.vertices[e].push_back(BillboardVertex{v.x, v.y, v.z, v.nx, v.ny, v.nz,
                                                      {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)},
                                                      v.u, v.v});
        }
        for (uint32_t i = 0; i < 6 * quads; ++i) frame.indices[e].push_back(static_cast<uint16_t>(model.m_indices->GetIndex(i)));
      }
    }
  }
  StopEngine();
  return recorded;
}
