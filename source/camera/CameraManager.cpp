#include "source/camera/CameraManager.h"

#include <vector>

#include "source/render/RenderWindow.h"

CameraManager::CameraManager() { m_default_camera = CreateCamera(kCameraPerspective); }

CameraManager::~CameraManager() {
  const std::vector<CameraHandle*> all = m_cameras.Slots();
  for (CameraHandle* handle : all) {
    if (handle != nullptr) DestroyCamera(handle);
  }
}

CameraHandle* CameraManager::CreateCamera(uint32_t kind) {
  CameraHandle* handle = new CameraHandle(kind);
  m_cameras.Add(handle);
  return handle;
}

void CameraManager::DestroyCamera(CameraHandle* handle) {
  if (handle == nullptr || !m_cameras.Remove(handle)) return;
  if (m_last_camera == handle) m_last_camera = nullptr;
  if (m_default_camera == handle) m_default_camera = nullptr;
  delete handle;
}

void CameraManager::UpdateAspectRatios() {
  GetRenderClientSize(m_client_width, m_client_height);
  m_last_camera = nullptr;
  if (m_client_height == 0) return;
  const float aspect = static_cast<float>(m_client_width) / static_cast<float>(m_client_height);
  for (CameraHandle* handle : m_cameras.Slots()) {
    if (handle != nullptr) handle->SetAspect(aspect);
  }
}

void CameraManager::SetCurrentCamera(CameraHandle* handle, bool z_biased) {
  if (handle == nullptr) return;
  if (handle == m_last_camera && z_biased == m_last_z_biased) return;
  handle->Apply(z_biased);
  m_last_camera = handle;
  m_last_z_biased = z_biased;
}
