#pragma once
// A camera that sets its viewport, view and projection on the Direct3D 7 device. On a window wider
// than 3:2 the picture keeps a centred 4:3 area.

#include "source/camera/Camera.h"
#include "source/core/CountedPtr.h"
#include "source/render/DeviceResource.h"

namespace gfx {
struct Viewport;
}

// The device viewport of a camera rectangle on a client of client_width x client_height.
struct CameraViewport {
  uint32_t x = 0, y = 0, width = 0, height = 0;
};
CameraViewport ComputeCameraViewport(const Camera& camera, uint32_t client_width, uint32_t client_height);
// The view matrix handed to the device: Z flipped, the rectangle's part scaled to the whole.
Matrix4 ComputeDeviceView(const Camera& camera);

class Camera_D3D7 : public Camera, public DeviceResource {
 public:
  explicit Camera_D3D7(uint32_t kind) : Camera(kind) {}
  // Recomputes projections, view, direction and frustum; the aspect is not read.
  void SetAspect(float aspect) override;
  // Sets viewport, view and projection (the far + 1 one when z_biased). Does nothing on a client
  // with no area (a minimised window).
  void Apply(bool z_biased) override;

  Matrix4 m_proj;
  Matrix4 m_proj_z_biased;
};

class CameraHandle {
 public:
  explicit CameraHandle(uint32_t kind) : m_camera(new Camera_D3D7(kind)) {}
  virtual ~CameraHandle() = default;
  virtual void SetAspect(float aspect) { m_camera->SetAspect(aspect); }
  virtual void Apply(bool z_biased) { m_camera->Apply(z_biased); }

  Camera_D3D7* GetCamera() const { return m_camera.Get(); }
  Camera_D3D7* operator->() const { return m_camera.Get(); }

 private:
  CountedPtr<Camera_D3D7> m_camera;
};
