#include "source/camera/CameraManager.h"

#include <algorithm>

#include "source/render/RenderWindow.h"

CameraManager::CameraManager() { m_default_camera = CreateCamera(kCameraPerspective); }

CameraManager::~CameraManager() {
  while (!m_active.empty()) DestroyCamera(m_slots[m_active.back()]);
}

CameraHandle* CameraManager::CreateCamera(uint32_t kind) {
  uint32_t index = static_cast<uint32_t>(m_slots.size());
  if (!m_free.empty()) {
    index = m_free.front();
    m_free.pop_front();
  }
  auto* handle = new CameraHandle(kind);
  if (index == m_slots.size()) {
    m_slots.push_back(handle);
  } else {
    m_slots[index] = handle;
  }
  m_active.push_back(index);
  return handle;
}

void CameraManager::DestroyCamera(CameraHandle* handle) {
  if (handle == nullptr) return;
  const auto active = std::find_if(m_active.begin(), m_active.end(),
                                   [&](uint32_t index) { return m_slots[index] == handle; });
  if (active == m_active.end()) return;
  const uint32_t index = *active;
  m_active.erase(active);
  m_slots[index] = nullptr;
  m_free.push_back(index);
  if (m_last_camera == handle) m_last_camera = nullptr;
  if (m_default_camera == handle) m_default_camera = nullptr;
  delete handle;
}

void CameraManager::UpdateAspectRatios() {
  GetRenderClientSize(m_client_width, m_client_height);
  m_last_camera = nullptr;
  if (m_client_height == 0) return;
  const float aspect = static_cast<float>(m_client_width) / static_cast<float>(m_client_height);
  // In the order the cameras were made.
  for (std::size_t i = 0; i < m_active.size(); ++i) m_slots[m_active[i]]->SetAspect(aspect);
}

void CameraManager::SetCurrentCamera(CameraHandle* handle, bool z_biased) {
  if (handle == nullptr) return;
  if (handle == m_last_camera && z_biased == m_last_z_biased) return;
  handle->Apply(z_biased);
  m_last_camera = handle;
  m_last_z_biased = z_biased;
}
