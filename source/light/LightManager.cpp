#include "source/light/LightManager.h"

#include <vector>

#include "source/render/RenderSystem.h"

LightManager::~LightManager() {
  const std::vector<Light_D3D7*> all = m_lights.Slots();
  for (Light_D3D7* light : all) delete light;
}

Light_D3D7* LightManager::CreateLight(uint32_t index) {
  Light_D3D7* light = new Light_D3D7(index);
  m_lights.Add(light);
  m_lights_changed = true;
  return light;
}

void LightManager::DestroyLight(Light_D3D7* light) {
  if (light == nullptr || !m_lights.Remove(light)) return;
  delete light;
  m_lights_changed = true;
}

void LightManager::Apply() {
  if (m_render_system != nullptr) m_render_system->SetAmbient(m_ambient);
  for (Light_D3D7* light : m_lights.Slots()) {
    if (light != nullptr) light->Apply();
  }
}

void LightManager::SetLighting(bool on) {
  if (m_render_system != nullptr) m_render_system->SetLighting(on);
  if (!on || !m_lights_changed) return;
  for (Light_D3D7* light : m_lights.Slots()) {
    if (light != nullptr) light->OnLightsChanged();
  }
  m_lights_changed = false;
}
