#pragma once
// The root of the rendering engine: binds the video and render settings, reads the desktop mode,
// creates the render system and the camera, light, draw-list and particle managers, and runs the
// render pass of every frame.

#include <functional>
#include <memory>
#include <vector>

#include "source/core/CountedPtr.h"
#include "source/core/Singleton.h"

class CameraManager;
class LightManager;
class ModelManager;
class ParticleInstanceManager;
class ParticleManager;
class RenderSystem;
class RenderSystem_D3D7;
class Updatable;

class RenderManager : public Singleton<RenderManager> {
 public:
  // The step of the pass that the GUI fills in (its root's layout).
  enum FrameStep { kGuiLayout = 0, kFrameStepCount };

  RenderManager();
  ~RenderManager() override;

  // False when no device could be created: start-up should stop (the log says why).
  bool IsStarted() const;

  // The render pass, once a frame (also while the window is inactive).
  void RenderFrame();

  // Installs (or, with an empty function, removes) what runs at one step of the pass.
  void SetFrameStep(FrameStep step, std::function<void()> function);

  RenderSystem* GetRenderSystem() const { return m_render_system.Get(); }
  RenderSystem_D3D7* GetRenderSystemD3D7() const;
  std::vector<Updatable*>& GetUpdateList() { return m_update_list; }
  CameraManager* GetCameraManager() const { return m_camera_manager.get(); }
  LightManager* GetLightManager() const { return m_light_manager.get(); }
  ModelManager* GetModelManager() const { return m_model_manager.get(); }
  ParticleInstanceManager* GetParticleInstanceManager() const { return m_particle_instance_manager.get(); }
  ParticleManager* GetParticleManager() const { return m_particle_manager.get(); }

 private:
  void RunStep(FrameStep step);

  CountedPtr<RenderSystem> m_render_system;
  std::vector<Updatable*> m_update_list;  // not owned
  std::unique_ptr<CameraManager> m_camera_manager;
  std::unique_ptr<LightManager> m_light_manager;
  std::unique_ptr<ModelManager> m_model_manager;
  std::unique_ptr<ParticleInstanceManager> m_particle_instance_manager;
  std::unique_ptr<ParticleManager> m_particle_manager;
  std::function<void()> m_steps[kFrameStepCount];
};
