#pragma once
// Keeps every camera: the default perspective camera made at start-up and the ones other parts ask
// for (the GUI's, the overlay quad's, mini-games'). Once a frame it gives them the window's aspect,
// and it applies a camera only when it differs from the one applied last in the frame.

#include <cstdint>

#include "source/camera/Camera_D3D7.h"
#include "source/core/SlotArray.h"

class CameraManager {
 public:
  CameraManager();
  ~CameraManager();
  CameraManager(const CameraManager&) = delete;
  CameraManager& operator=(const CameraManager&) = delete;

  // The manager keeps ownership; a freed slot is reused.
  CameraHandle* CreateCamera(uint32_t kind);
  // Deletes the handle (and its camera with the last reference). A null or unknown one does nothing.
  void DestroyCamera(CameraHandle* handle);
  // Reads the client size and hands the aspect to every camera; a client with no height (a
  // minimised window) leaves the cameras as they are. Forgets the camera applied last.
  void UpdateAspectRatios();
  void SetCurrentCamera(CameraHandle* handle, bool z_biased);

  CameraHandle* GetDefaultCamera() const { return m_default_camera; }
  const cSlotArray<CameraHandle>& GetCameras() const { return m_cameras; }
  uint32_t GetClientWidth() const { return m_client_width; }
  uint32_t GetClientHeight() const { return m_client_height; }

 private:
  uint32_t m_client_width = 0;
  uint32_t m_client_height = 0;
  cSlotArray<CameraHandle> m_cameras;
  CameraHandle* m_default_camera = nullptr;
  CameraHandle* m_last_camera = nullptr;
  bool m_last_z_biased = false;
};
