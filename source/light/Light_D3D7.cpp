#include "source/light/Light_D3D7.h"

#include <cmath>

#include "platform/gfx/gfx.h"
#include "source/render/DDErrorText.h"
#include "source/render/RenderSystem_D3D7.h"

namespace {

const char kSource[] = "source\\light\\Light_D3D7";
constexpr int kSetLightLine = 90;
constexpr int kLightEnableLine = 23;

gfx::ColorValue ToColor(const Vector4& c) { return gfx::ColorValue{c.x, c.y, c.z, c.w}; }
gfx::Vector3 ToVector(const Vector3& v) { return gfx::Vector3{v.x, v.y, v.z}; }

void Enable(gfx::Device* m_device, uint32_t index, bool bEnable) {
  DDErrorText("m_device->LightEnable(index, bEnable)", m_device->LightEnable(index, bEnable), kSource,
              kLightEnableLine);
}

}  // namespace

Light_D3D7::~Light_D3D7() {
  if (gfx::Device* device = RenderSystem_D3D7::GetDevice()) Enable(device, m_index, false);
}

void Light_D3D7::Apply() {
  gfx::Device* m_device = RenderSystem_D3D7::GetDevice();
  if (m_device == nullptr) return;
  const uint32_t index = m_index;
  if (!m_enabled) {
    Enable(m_device, index, false);
    return;
  }
  gfx::Light light;
  light.diffuse = ToColor(m_diffuse);
  light.specular = ToColor(m_specular);
  light.ambient = ToColor(m_ambient);
  light.range = std::sqrt(3.4028235e+38f);
  switch (m_type) {
    case kLightDirectional:
      light.type = gfx::D3DLIGHT_DIRECTIONAL;
      light.direction = ToVector(m_direction);
      break;
    case kLightSpot:
      light.type = gfx::D3DLIGHT_SPOT;
      light.position = ToVector(m_position);
      light.direction = ToVector(m_direction);
      light.attenuation0 = m_attenuation0;
      light.attenuation1 = m_attenuation1;
      light.attenuation2 = m_attenuation2;
      light.falloff = 1.0f;
      light.theta = m_cone_angle;
      light.phi = m_cone_angle;
      break;
    case kLightPoint:
      light.type = gfx::D3DLIGHT_POINT;
      light.position = ToVector(m_position);
      light.attenuation0 = m_attenuation0;
      light.attenuation1 = m_attenuation1;
      light.attenuation2 = m_attenuation2;
      break;
    default:
      break;  // type 0: the device refuses it and the failure is logged
  }
  DDErrorText("m_device->SetLight(index, &light)", m_device->SetLight(index, light), kSource, kSetLightLine);
  Enable(m_device, index, true);
}
