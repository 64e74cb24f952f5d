#pragma once
// The scene's ambient colour and its table of lights. Once a frame the render pass applies them;
// the draw of a render object switches lighting on or off through it.

#include <cstdint>

#include "source/core/SlotArray.h"
#include "source/light/Light_D3D7.h"
#include "source/math/Vector.h"

class RenderSystem;

class LightManager {
 public:
  explicit LightManager(RenderSystem* render_system) : m_render_system(render_system) {}
  ~LightManager();
  LightManager(const LightManager&) = delete;
  LightManager& operator=(const LightManager&) = delete;

  // A new light on the given device light index, kept (and deleted) by the manager.
  Light_D3D7* CreateLight(uint32_t index);
  void DestroyLight(Light_D3D7* light);

  // The ambient colour, then every light in table order.
  void Apply();
  // Passes the flag to the render system; when it is on and the lights changed, tells every light
  // and clears the mark.
  void SetLighting(bool on);

  void SetAmbient(const Vector4& color) { m_ambient = color; }
  const Vector4& GetAmbient() const { return m_ambient; }
  void MarkLightsChanged() { m_lights_changed = true; }
  bool AreLightsChanged() const { return m_lights_changed; }
  const cSlotArray<Light_D3D7>& GetLights() const { return m_lights; }

 private:
  RenderSystem* m_render_system;
  cSlotArray<Light_D3D7> m_lights;
  Vector4 m_ambient{0.0f, 0.0f, 0.0f, 1.0f};
  bool m_lights_changed = false;
};
