#include "source/render/RenderManager.h"

#include "source/camera/CameraManager.h"
#include "source/light/LightManager.h"
#include "source/log/cLog.h"
#include "source/model/ModelResource.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/cParticleResource.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/Updatable.h"
#include "source/shaders/cShaderResource.h"
#include "source/texture/TextureCombine.h"
#include "source/texture/TextureResource.h"

namespace {
const char kSource[] = "source\\render\\RenderManager";
constexpr std::size_t kFramePicturesBound = 2u << 20;  // bytes of pictures a frame keeps decoded
}

RenderManager::RenderManager() {
  BindRenderSettings();
  ReadDesktopMode();
  RenderSystem_D3D7* render_system = new RenderSystem_D3D7();
  m_render_system.Reset(render_system);
  if (!render_system->IsCreated()) {
    LogReport(kLogError, kSource, __LINE__, "RenderManager: no Direct3D device could be created");
  }
  m_camera_manager = std::make_unique<CameraManager>();
  m_light_manager = std::make_unique<LightManager>(m_render_system.Get());
  m_model_manager = std::make_unique<ModelManager>(m_render_system.Get());
  m_particle_instance_manager = std::make_unique<ParticleInstanceManager>(m_camera_manager.get());
  m_particle_manager = std::make_unique<ParticleManager>();
  TextureResource::RegisterType();
  cShaderResource::RegisterType();
  ModelResource::RegisterType();
  cParticleResource::RegisterType();  // "particle" and "particles"
}

RenderManager::~RenderManager() {
  m_camera_manager.reset();
  m_light_manager.reset();
  m_particle_instance_manager.reset();
  m_particle_manager.reset();
  m_model_manager.reset();
  m_update_list.clear();
  m_render_system.Release();
}

RenderSystem_D3D7* RenderManager::GetRenderSystemD3D7() const {
  return static_cast<RenderSystem_D3D7*>(m_render_system.Get());
}

bool RenderManager::IsStarted() const { return GetRenderSystemD3D7()->IsCreated(); }

void RenderManager::SetFrameStep(FrameStep step, std::function<void()> function) {
  if (step >= 0 && step < kFrameStepCount) m_steps[step] = std::move(function);
}

void RenderManager::RunStep(FrameStep step) {
  if (m_steps[step]) m_steps[step]();
}

void RenderManager::RenderFrame() {
  // Textures built in this frame (a place or page first shown) decode a picture they share once.
  // The bound is small: what they share is mostly an opacity picture, and what is kept adds to
  // the memory of the frame that builds a whole place.
  KeepDecodedPictures shared_pictures(kFramePicturesBound);
  RenderSystem* render_system = m_render_system.Get();
  render_system->CheckDevice();
  // A mode change or a failed restore asks for a new device; without this nothing would be drawn
  // again.
  if (render_system->IsResetNeeded()) render_system->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  // By index: an update may create or destroy updatables.
  for (std::size_t i = 0; i < m_update_list.size(); ++i) m_update_list[i]->Update();
  m_camera_manager->UpdateAspectRatios();
  m_light_manager->Apply();
  m_particle_manager->Update();
  m_particle_instance_manager->BuildBillboards();
  RunStep(kGuiLayout);
  m_model_manager->Render();
  render_system->Present();
}
