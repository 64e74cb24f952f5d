#pragma once
// Everything a device keeps between calls: render states, texture-stage states, transforms,
// material, lights, viewport and the textures bound to each stage. The device starts from the
// Direct3D 7 defaults; the headless backend copies it into every draw it records.

#include <cstdint>
#include <map>

#include "platform/gfx/StateNumbers.h"
#include "platform/gfx/Types.h"

namespace gfx {

struct LightSlot {
  Light light;
  bool enabled = false;
};

// Groups of state whose values changed since the backend last drew with them. A call that sets a
// state to the value it has already marks nothing.
enum DirtyBits : uint32_t {
  kDirtyRender = 1u << 0,
  kDirtyWorld = 1u << 1,
  kDirtyLights = 1u << 2,
  kDirtyMaterial = 1u << 3,
  kDirtyViewport = 1u << 4,
  kDirtyStages = 1u << 5,  // texture-stage states, texture matrices, bound textures
  kDirtyView = 1u << 6,
  kDirtyProjection = 1u << 7,
  kDirtyTransforms = kDirtyWorld | kDirtyView | kDirtyProjection,
  kDirtyAll = 0xFFFFFFFFu,
};

struct DeviceState {
  DeviceState();

  uint32_t render[kRenderStateCount];
  uint32_t stage[kMaxTextureStages][kTextureStageStateCount];
  Matrix world, view, projection;
  Matrix texture[kMaxTextureStages];
  Material material;
  std::map<uint32_t, LightSlot> lights;  // by light index
  Viewport viewport;
  // Not a Direct3D 7 state but this device's own: while set, draws touch only these pixels of
  // the target (origin top-left); clears ignore it.
  bool clipped = false;
  Rect clip;
  uint64_t texture_id[kMaxTextureStages] = {};  // the bound textures' ids, 0 for none
  uint32_t dirty = kDirtyAll;

  uint32_t Render(uint32_t state) const { return state < kRenderStateCount ? render[state] : 0; }
  uint32_t Stage(uint32_t index, uint32_t state) const {
    return index < kMaxTextureStages && state < kTextureStageStateCount ? stage[index][state] : 0;
  }
};

// Float render states (fog start, end, density) are passed as the bits of the float.
uint32_t FloatBits(float value);

}  // namespace gfx
