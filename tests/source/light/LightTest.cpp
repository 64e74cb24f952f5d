#include <gtest/gtest.h>

#include <cmath>

#include "source/light/LightManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "tests/source/render/RenderTestSupport.h"

namespace {

using gfx::Call;
using gfx::headless::CallCount;

class Lights : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    m_lights = RenderManager::GetInstance()->GetLightManager();
    gfx::headless::ClearRecords();
  }
  const gfx::DeviceState& State() { return RenderSystem_D3D7::GetDevice()->State(); }
  const gfx::LightSlot& Slot(uint32_t index) { return State().lights.at(index); }
  LightManager* m_lights = nullptr;
};

TEST_F(Lights, AnEmptyTableStillSetsTheAmbientColourEachFrame) {
  m_lights->SetAmbient(Vector4(1.0f, 0.5f, 0.0f, 1.0f));
  m_lights->Apply();
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_AMBIENT), 0xFFFF8000u);
  EXPECT_EQ(CallCount(Call::kSetLight), 0u);
  RenderManager::GetInstance()->RenderFrame();
  EXPECT_EQ(CallCount(Call::kSetRenderState) >= 2, true);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_AMBIENT), 0xFFFF8000u);
}

TEST_F(Lights, ADirectionalLightFillsItsRecordAndIsEnabled) {
  Light_D3D7* light = m_lights->CreateLight(0);
  light->m_type = kLightDirectional;
  light->m_direction = Vector3(0.0f, -1.0f, 0.0f);
  light->m_diffuse = Vector4(0.5f, 0.25f, 1.0f, 1.0f);
  m_lights->Apply();
  const gfx::LightSlot& slot = Slot(0);
  EXPECT_TRUE(slot.enabled);
  EXPECT_EQ(slot.light.type, gfx::D3DLIGHT_DIRECTIONAL);
  EXPECT_EQ(slot.light.direction, (gfx::Vector3{0.0f, -1.0f, 0.0f}));
  EXPECT_EQ(slot.light.diffuse, (gfx::ColorValue{0.5f, 0.25f, 1.0f, 1.0f}));
  EXPECT_FLOAT_EQ(slot.light.range, std::sqrt(3.4028235e+38f));
  EXPECT_EQ(slot.light.attenuation0, 0.0f);  // a directional record carries no attenuation
}

TEST_F(Lights, SpotAndPointLightsCarryPositionAttenuationAndCone) {
  Light_D3D7* spot = m_lights->CreateLight(1);
  spot->m_type = kLightSpot;
  spot->m_position = Vector3(1.0f, 2.0f, 3.0f);
  spot->m_direction = Vector3(0.0f, 0.0f, 1.0f);
  spot->m_attenuation1 = 0.5f;
  spot->m_cone_angle = 0.75f;
  Light_D3D7* point = m_lights->CreateLight(2);
  point->m_type = kLightPoint;
  point->m_position = Vector3(4.0f, 5.0f, 6.0f);
  point->m_attenuation2 = 0.125f;
  m_lights->Apply();
  const gfx::Light& s = Slot(1).light;
  EXPECT_EQ(s.type, gfx::D3DLIGHT_SPOT);
  EXPECT_EQ(s.position, (gfx::Vector3{1.0f, 2.0f, 3.0f}));
  EXPECT_EQ(s.attenuation1, 0.5f);
  EXPECT_EQ(s.falloff, 1.0f);
  EXPECT_EQ(s.theta, 0.75f);
  EXPECT_EQ(s.phi, 0.75f);
  const gfx::Light& p = Slot(2).light;
  EXPECT_EQ(p.type, gfx::D3DLIGHT_POINT);
  EXPECT_EQ(p.position, (gfx::Vector3{4.0f, 5.0f, 6.0f}));
  EXPECT_EQ(p.attenuation2, 0.125f);
  EXPECT_EQ(p.direction, (gfx::Vector3{0.0f, 0.0f, 0.0f}));
  EXPECT_TRUE(Slot(2).enabled);
}

TEST_F(Lights, ADisabledLightOnlyDisablesItsIndex) {
  Light_D3D7* light = m_lights->CreateLight(3);
  m_lights->Apply();
  EXPECT_TRUE(Slot(3).enabled);
  light->m_enabled = false;
  gfx::headless::ClearRecords();
  m_lights->Apply();
  EXPECT_EQ(CallCount(Call::kSetLight), 0u);
  EXPECT_EQ(CallCount(Call::kLightEnable), 1u);
  EXPECT_FALSE(Slot(3).enabled);
}

TEST_F(Lights, AnUnknownTypeIsRefusedAndLoggedButStillEnabledAfter) {
  Light_D3D7* light = m_lights->CreateLight(4);
  light->m_type = 7;
  m_lights->Apply();
  EXPECT_TRUE(LogHas("Direct3D Subsystem (m_device-&gt;SetLight(index, &amp;light)): "));
  EXPECT_TRUE(LogHas("source\\light\\Light_D3D7"));
  EXPECT_EQ(CallCount(Call::kLightEnable), 1u);
}

TEST_F(Lights, AFailedEnableIsLoggedWithItsOwnLine) {
  m_lights->CreateLight(0);
  gfx::headless::FailCall(Call::kLightEnable, gfx::DDERR_GENERIC);
  m_lights->Apply();
  EXPECT_TRUE(LogHas("Direct3D Subsystem (m_device-&gt;LightEnable(index, bEnable)): There is an undefined error "
                     "condition."));
}

TEST_F(Lights, DestroyingALightDisablesItsIndex) {
  Light_D3D7* light = m_lights->CreateLight(5);
  m_lights->Apply();
  ASSERT_TRUE(Slot(5).enabled);
  m_lights->DestroyLight(light);
  EXPECT_FALSE(Slot(5).enabled);
  EXPECT_EQ(m_lights->GetLights().LiveCount(), 0u);
}

TEST_F(Lights, SwitchingLightingOnTellsTheLightsOnceAfterAChange) {
  m_lights->SetLighting(false);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_LIGHTING), 0u);
  m_lights->CreateLight(0);  // marks the lights changed
  m_lights->SetLighting(true);
  EXPECT_EQ(State().Render(gfx::D3DRENDERSTATE_LIGHTING), 1u);
  EXPECT_FALSE(m_lights->AreLightsChanged());
  m_lights->MarkLightsChanged();
  m_lights->SetLighting(false);
  EXPECT_TRUE(m_lights->AreLightsChanged());  // only switching on clears it
}

}  // namespace
