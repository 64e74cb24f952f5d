#pragma once
// Keeps every camera: the default perspective camera made at start-up and the ones other parts ask
// for (the GUI's, the overlay quad's, mini-games'). Once a frame it gives them the window's aspect,
// and it applies a camera only when it differs from the one applied last in the frame.

#include <cstdint>
#include <deque>
#include <vector>

#include "source/camera/Camera_D3D7.h"

class CameraManager {
 public:
  CameraManager();
  ~CameraManager();
  CameraManager(const CameraManager&) = delete;
  CameraManager& operator=(const CameraManager&) = delete;

  // The manager keeps ownership. Freed slots are reused in the order they were freed.
  CameraHandle* CreateCamera(uint32_t kind);
  // Deletes the handle (and its camera with the last reference). A null or unknown one does nothing.
  void DestroyCamera(CameraHandle* handle);
  // Reads the client size and hands the aspect to every camera in the order they were made; a
  // client with no height (a minimised window) leaves the cameras as they are. Forgets the camera
  // applied last.
  void UpdateAspectRatios();
  void SetCurrentCamera(CameraHandle* handle, bool z_biased);

  CameraHandle* GetDefaultCamera() const { return m_default_camera; }
  // The slot table (null where a camera was destroyed) and the slots in use, in activation order.
  const std::vector<CameraHandle*>& GetSlots() const { return m_slots; }
  const std::vector<uint32_t>& GetActiveSlots() const { return m_active; }
  std::size_t GetCameraCount() const { return m_active.size(); }
  uint32_t GetClientWidth() const { return m_client_width; }
  uint32_t GetClientHeight() const { return m_client_height; }

 private:
  uint32_t m_client_width = 0;
  uint32_t m_client_height = 0;
  std::deque<uint32_t> m_free;     // freed slot indices, first freed first reused
  std::vector<uint32_t> m_active;  // slots in use, in the order their cameras were made
  std::vector<CameraHandle*> m_slots;
  CameraHandle* m_default_camera = nullptr;
  CameraHandle* m_last_camera = nullptr;
  bool m_last_z_biased = false;
};
