// Particle systems over time: bursts and steady rates, motion drawn from the shared generator,
// deaths, the bouncing floor, effects that finish only after their last particle, and hostile
// numbers that never hang the frame or put a NaN into a vertex.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "source/math/Rand.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/ParticleSystemInstance.h"
#include "source/particle/cParticleResource.h"
#include "source/render/RenderManager.h"
#include "tests/source/particle/ParticleTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"

namespace {

std::unique_ptr<cParticleResource> ResourceOf(const ParticleFileData& d, const std::string& name) {
  CountedPtr<cStream> file(new cMemoryStream());
  WriteParticleFile(*file, d);
  auto resource = std::make_unique<cParticleResource>(name, cResourceSource(file, "", ""));
  resource->Load();
  return resource;
}

class ParticleSystemTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
  }
  static ParticleManager* Systems() { return RenderManager::GetInstance()->GetParticleManager(); }
  static void Frames(ParticleSystem& system, int count, float dt) {
    for (int i = 0; i < count; ++i) system.Update(dt);
  }
};

TEST_F(ParticleSystemTest, EmissionComesInBurstsAKeyOrAtASteadyRate) {
  struct Case {
    const char* what;
    bool interpolate;
    float first_key, other_keys;
    std::vector<uint32_t> live_after_each_cycle_eighth;  // sampled every 8 updates of 1/8 s
  };
  const Case cases[] = {
      {"a burst of 3 at the start of every cycle", false, 3.0f, 0.0f, {6, 9, 12}},
      {"ten a second", true, 10.0f, 10.0f, {10, 20, 30}},
  };
  for (const Case& c : cases) {
    ParticleFileData d = PlainParticleFile(64, 1.0f);
    d.interpolate_emission = c.interpolate;
    for (uint32_t k = 0; k < kParticleKeys; ++k) {
      d.emission[k] = k == 0 ? c.first_key : c.other_keys;
      d.life_min[k] = d.life_max[k] = 10.0f;
    }
    auto system = SystemOf(d);
    StartEmitting(*system, true);
    system->Update(0.125f);
    EXPECT_EQ(system->GetLiveCount(), c.interpolate ? 1u : 3u) << c.what;
    Frames(*system, 7, 0.125f);
    for (uint32_t expected : c.live_after_each_cycle_eighth) {
      EXPECT_EQ(system->GetLiveCount(), expected) << c.what;
      Frames(*system, 8, 0.125f);
    }
  }
}

TEST_F(ParticleSystemTest, AParticleFliesAlongKeysDrawnFromTheSharedGenerator) {
  ParticleFileData d = PlainParticleFile(4, 10.0f);
  d.emission[0] = 1.0f;
  d.direction_variance[0] = Vector3(0, 1, 0);
  for (uint32_t k = 1; k < kParticleKeys; ++k) d.direction[k] = Vector3();  // short keys repeat key 0
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    d.life_min[k] = 1.0f;
    d.life_max[k] = 3.0f;
    d.speed_variance[k] = 0.5f;
  }
  auto system = SystemOf(d);
  system->SetEmitterPosition(Vector3(10, 20, 30));
  StartEmitting(*system);

  // The draws in their order: lifetime, then per key the direction (key 0 only), speed, rotation.
  g_rand_state = 0;
  const float life = RandRange(1.0f, 3.0f);
  RandSigned();
  const float ry = RandSigned();
  RandSigned();
  const float s0 = 1.0f + 0.5f * RandSigned();
  RandSigned();
  const float s1 = 1.0f + 0.5f * RandSigned();
  g_rand_state = 0;

  system->Update(0.1f);
  ASSERT_EQ(system->GetLiveCount(), 1u);
  EXPECT_FLOAT_EQ(system->GetParticle(0).lifetime, life);
  const float f = 0.1f / life * 5.0f;
  const float speed = (1 - f) * s0 + f * s1;
  Vector3 direction(1, ry, 0);
  direction.Normalize();
  const Vector3 expected = Vector3(10, 20, 30) + direction * (speed * 100.0f * 0.1f);
  const Vector3 position = Found(system->GetInstance()->GetSprite(system->GetParticle(0).sprite)).position;
  EXPECT_NEAR(position.x, expected.x, 1e-3f);
  EXPECT_NEAR(position.y, expected.y, 1e-3f);
  EXPECT_NEAR(position.z, expected.z, 1e-3f);
}

TEST_F(ParticleSystemTest, AParticleSpinsAsFarInASecondAtAnyFrameRate) {
  struct Case {
    int frames_a_second;
  };
  const Case cases[] = {{30}, {60}, {120}, {7}};
  for (const Case& c : cases) {
    ParticleFileData d = PlainParticleFile(4, 10.0f);
    d.emission[0] = 1.0f;
    for (uint32_t k = 0; k < kParticleKeys; ++k) {
      d.life_min[k] = d.life_max[k] = 5.0f;
      d.rotation[k] = 0.05f;  // radians a sixtieth of a second: 3 a second
    }
    auto system = SystemOf(d);
    StartEmitting(*system);
    const float dt = 1.0f / static_cast<float>(c.frames_a_second);
    Frames(*system, c.frames_a_second, dt);
    ASSERT_EQ(system->GetLiveCount(), 1u) << c.frames_a_second;
    const float turned = Found(system->GetInstance()->GetSprite(system->GetParticle(0).sprite)).rotation;
    EXPECT_NEAR(turned, 3.0f, 0.01f) << c.frames_a_second << " frames a second";
  }
}

TEST_F(ParticleSystemTest, AParticleWhoseAgeReachesItsLifetimeDiesInThatUpdate) {
  ParticleFileData d = PlainParticleFile(4, 10.0f);
  d.emission[0] = 2.0f;
  for (uint32_t k = 0; k < kParticleKeys; ++k) d.life_min[k] = d.life_max[k] = 0.5f;
  auto system = SystemOf(d);
  StartEmitting(*system);
  system->Update(0.25f);
  EXPECT_EQ(system->GetLiveCount(), 2u);
  system->Update(0.25f);
  EXPECT_EQ(system->GetLiveCount(), 0u);  // counted afresh, not kept from before
  EXPECT_EQ(system->GetPeakLiveCount(), 2u);
  EXPECT_TRUE(Found(system->GetInstance()->GetSprite(0)).dead);
}

TEST_F(ParticleSystemTest, TheFloorBouncesParticlesUntilTheyStopAndDie) {
  ParticleFileData d = PlainParticleFile(1, 100.0f);
  d.emission[0] = 1.0f;
  d.floor_on = d.die_when_stopped = 1;
  d.bounce = 0.5f;
  d.min_speed_factor = 0.3f;
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    d.direction[k] = Vector3(1, 0, -1);
    d.life_min[k] = d.life_max[k] = 50.0f;
  }
  auto system = SystemOf(d);
  system->SetEmitterPosition(Vector3(0, 0, 1));
  StartEmitting(*system);
  system->Update(0.1f);  // falls below the floor at once: bounced up, half as fast
  const Particle& p = system->GetParticle(0);
  EXPECT_FLOAT_EQ(Found(system->GetInstance()->GetSprite(0)).position.z, 0.0001f);
  EXPECT_EQ(p.speed_factor, 0.5f);
  EXPECT_GT(p.directions[3].z, 0.0f);
  Frames(*system, 20, 0.1f);  // flies up; the keys now point up, so it never comes down again
  EXPECT_EQ(system->GetLiveCount(), 1u);

  d.gravity_on = 1;
  d.gravity = 50.0f;
  auto falling = SystemOf(d);
  StartEmitting(*falling);
  Frames(*falling, 200, 0.1f);
  EXPECT_EQ(falling->GetLiveCount(), 0u);  // bounced twice (0.25 < 0.3), stopped and died
  EXPECT_GE(falling->GetPeakLiveCount(), 1u);
}

TEST_F(ParticleSystemTest, AnEffectFinishesOnlyAfterItsLastParticle) {
  ParticleFileData d = PlainParticleFile(8, 0.5f);
  d.emission[0] = 2.0f;
  auto resource = ResourceOf(d, "fx\\trail");
  RecordingOwner owner;
  ParticleEffectHandle none(nullptr, &owner, 1.0f);
  EXPECT_TRUE(none.IsFinished());
  {
    ParticleEffectHandle lasting(resource.get(), &owner, 2.0f);
    EXPECT_EQ(lasting.GetSystem()->GetCycleDuration(), 2.0f);
  }
  ParticleEffectHandle effect(resource.get(), &owner, 0.0f);
  ParticleSystem& system = *effect.GetSystem();
  EXPECT_EQ(system.GetCycleDuration(), 0.5f);  // the file's
  ASSERT_EQ(owner.objects, std::vector<RenderObject*>{system.GetRenderObject()});
  EXPECT_FALSE(Found(system.GetRenderObject()).IsVisible());

  effect.StartAt(Vector3(1, 2, 3));
  EXPECT_TRUE(Found(system.GetRenderObject()).IsVisible());
  EXPECT_EQ(Systems()->GetRunningEffects(), std::vector<ParticleSystem*>{&system});
  // Key 0 covers the first tenth of the half-second cycle: sixteenths of a second land in it.
  for (int i = 0; i < 8; ++i) Systems()->Update(0.0625f);
  EXPECT_FALSE(system.IsEmitting());  // the cycle is over ...
  EXPECT_EQ(system.GetLiveCount(), 2u);  // ... but the trail lives on
  EXPECT_FALSE(effect.IsFinished());
  EXPECT_TRUE(Found(system.GetRenderObject()).IsVisible());
  for (int i = 0; i < 7; ++i) Systems()->Update(0.0625f);
  EXPECT_FALSE(effect.IsFinished());
  Systems()->Update(0.0625f);
  EXPECT_TRUE(effect.IsFinished());
  EXPECT_TRUE(Systems()->GetRunningEffects().empty());
  EXPECT_FALSE(Found(system.GetRenderObject()).IsVisible());

  effect.StartAt(Vector3(4, 5, 6));  // a finished effect starts afresh
  Systems()->Update(0.0625f);
  EXPECT_EQ(system.GetLiveCount(), 2u);
  EXPECT_EQ(system.GetEmitterPosition(), Vector3(4, 5, 6));
}

TEST_F(ParticleSystemTest, HostileNumbersNeverHangOrReachAVertex) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    float duration, emission, life, speed, size, direction;
    uint32_t count;
    bool looping;
  };
  const Case cases[] = {
      {"no cycle, looping", 0.0f, 5.0f, 1.0f, 1.0f, 1.0f, 1.0f, 8, true},
      {"negative cycle", -3.0f, 5.0f, 1.0f, 1.0f, 1.0f, 1.0f, 8, false},
      {"no direction at all", 1.0f, 50.0f, 1.0f, 5.0f, 1.0f, 0.0f, 8, true},
      {"numbers that are no numbers", nan, nan, nan, nan, nan, nan, 8, true},
      {"endless numbers", inf, inf, inf, inf, inf, inf, 8, true},
      {"endless speeds and lives", 1.0f, 5.0f, inf, inf, inf, inf, 8, true},
      {"a flood", 1.0f, 1e30f, 1.0f, 1.0f, 1.0f, 1.0f, 8, true},
      {"more particles than indices hold", 1.0f, 1e9f, 1.0f, 1.0f, 1.0f, 1.0f, 0xFFFFFFFF, true},
  };
  for (const Case& c : cases) {
    ParticleFileData d = PlainParticleFile(c.count, c.duration);
    d.interpolate_emission = 1;
    for (uint32_t k = 0; k < kParticleKeys; ++k) {
      d.emission[k] = c.emission;
      d.life_min[k] = d.life_max[k] = c.life;
      d.speed[k] = c.speed;
      d.size[k] = c.size;
      d.direction[k] = Vector3(c.direction, 0, 0);
      d.color[k] = Vector4(c.size, -c.size, c.size, c.size);
    }
    auto system = SystemOf(d);
    EXPECT_LE(system->GetMaxParticles(), std::min(c.count, 2048u)) << c.what;
    StartEmitting(*system, c.looping);
    for (int frame = 0; frame < 30; ++frame) {
      system->Update(0.05f);
      system->GetInstance()->Render();
    }
    const VertexBuffer_D3D7& vertices = Found(Found(system->GetRenderObject()).GetVertices());
    for (uint32_t i = 0; i < 4 * system->GetLiveCount(); ++i) {
      const Vertex& v = *const_cast<VertexBuffer_D3D7&>(vertices).GetVertex(i);
      ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)) << c.what << " vertex " << i;
    }
  }
  EXPECT_TRUE(LogHas("4294967295 particles asked for, 2048 kept"));
}

}  // namespace
