#pragma once
// Keeps every particle system's instance (owned by its system) and rebuilds their camera-facing
// quads once a frame, after the particle update and before the draw list. Instances made without
// a camera draw through the manager's camera: the GUI's once the GUI sets it, else the render
// manager's default camera.

#include <cstdint>
#include <memory>

#include "source/Resources/cResourcePtr.h"
#include "source/core/SlotArray.h"
#include "source/texture/TextureResource.h"

class CameraHandle;
class CameraManager;
class ParticleSystemInstance;

class ParticleInstanceManager {
 public:
  explicit ParticleInstanceManager(CameraManager* cameras) : m_cameras(cameras) {}
  ParticleInstanceManager(const ParticleInstanceManager&) = delete;
  ParticleInstanceManager& operator=(const ParticleInstanceManager&) = delete;

  // A new instance, kept in a free slot or appended; the caller owns it.
  std::unique_ptr<ParticleSystemInstance> CreateInstance(uint32_t count, const cResourcePtr<TextureResource>& texture,
                                                         CameraHandle* camera, bool sort_by_depth);
  void RemoveInstance(ParticleSystemInstance* instance);
  void BuildBillboards();

  // The camera of instances made without one; null: the camera manager's default camera.
  void SetDefaultCamera(CameraHandle* camera) { m_default_camera = camera; }
  CameraHandle* GetDefaultCamera() const;
  const cSlotArray<ParticleSystemInstance>& GetInstances() const { return m_instances; }

 private:
  CameraManager* m_cameras;
  CameraHandle* m_default_camera = nullptr;
  cSlotArray<ParticleSystemInstance> m_instances;
};
