#pragma once
// One fixed-function light: fills a Direct3D 7 light record from its fields and enables (or
// disables) its light index on the device.

#include <cstdint>

#include "source/math/Vector.h"
#include "source/render/DeviceResource.h"

enum LightType : uint32_t { kLightDirectional = 0, kLightSpot = 1, kLightPoint = 2 };

class Light_D3D7 : public DeviceResource {
 public:
  explicit Light_D3D7(uint32_t index) : m_index(index) {}
  // Disables the light's index on the device.
  ~Light_D3D7() override;
  // Hands the light to the device (or only disables its index when it is not enabled).
  virtual void Apply();
  // Told when the scene's lights changed; a plain light has nothing to do.
  virtual void OnLightsChanged() {}

  uint32_t m_index;
  bool m_enabled = true;
  uint32_t m_type = kLightDirectional;
  Vector3 m_position;
  Vector3 m_direction{0.0f, 0.0f, 1.0f};
  Vector4 m_ambient{0.0f, 0.0f, 0.0f, 1.0f};
  Vector4 m_diffuse{1.0f, 1.0f, 1.0f, 1.0f};
  Vector4 m_specular{0.0f, 0.0f, 0.0f, 1.0f};
  float m_attenuation0 = 1.0f;  // constant, linear, quadratic
  float m_attenuation1 = 0.0f;
  float m_attenuation2 = 0.0f;
  float m_cone_angle = 0.0f;  // radians; both the inner and the outer cone of a spot light
};
