#pragma once
// The graphics calls by name. Every call passes its name to the running backend before it acts, so
// that the headless backend can count calls and make a chosen one fail.

#include <cstdint>

namespace gfx {

enum class Call : uint16_t {
  kEnumerateDrivers,
  kCreateDirectDraw,
  kQueryDirect3D,
  kGetCaps,
  kGetDeviceIdentifier,
  kEnumDisplayModes,
  kGetDisplayMode,
  kSetCooperativeLevel,
  kSetDisplayMode,
  kRestoreDisplayMode,
  kTestCooperativeLevel,
  kRestoreAllSurfaces,
  kWaitForVerticalBlank,
  kCreateSurface,
  kCreateClipper,
  kClipperSetWindow,
  kSetClipper,
  kEnumDevices,
  kEnumZBufferFormats,
  kCreateDevice,
  kGetSurfaceDesc,
  kLock,
  kUnlock,
  kBlt,
  kFlip,
  kGetAttachedSurface,
  kAddAttachedSurface,
  kIsLost,
  kRestore,
  kGetDeviceCaps,
  kEnumTextureFormats,
  kSetRenderTarget,
  kSetViewport,
  kGetViewport,
  kClear,
  kBeginScene,
  kEndScene,
  kSetTransform,
  kSetRenderState,
  kSetTextureStageState,
  kSetTexture,
  kSetMaterial,
  kSetLight,
  kLightEnable,
  kDrawIndexedPrimitive,
  kCount
};

inline constexpr uint32_t kCallCount = static_cast<uint32_t>(Call::kCount);

const char* CallName(Call call);

}  // namespace gfx
