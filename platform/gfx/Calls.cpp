// Names of the graphics calls, for test messages and counters.

#include "platform/gfx/Calls.h"

namespace gfx {

const char* CallName(Call call) {
  static const char* const kNames[] = {
      "EnumerateDrivers", "CreateDirectDraw", "QueryDirect3D", "GetCaps", "GetDeviceIdentifier",
      "EnumDisplayModes", "GetDisplayMode", "SetCooperativeLevel", "SetDisplayMode",
      "RestoreDisplayMode", "TestCooperativeLevel", "RestoreAllSurfaces", "WaitForVerticalBlank",
      "CreateSurface", "CreateClipper", "ClipperSetWindow", "SetClipper", "EnumDevices",
      "EnumZBufferFormats", "CreateDevice", "GetSurfaceDesc", "Lock", "Unlock", "Blt", "Flip",
      "GetAttachedSurface", "AddAttachedSurface", "IsLost", "Restore", "GetDeviceCaps",
      "EnumTextureFormats", "SetRenderTarget", "SetViewport", "GetViewport", "Clear", "BeginScene",
      "EndScene", "SetTransform", "SetRenderState", "SetTextureStageState", "SetTexture",
      "SetMaterial", "SetLight", "LightEnable", "DrawIndexedPrimitive"};
  static_assert(sizeof kNames / sizeof kNames[0] == kCallCount, "one name a call");
  const auto index = static_cast<uint32_t>(call);
  return index < kCallCount ? kNames[index] : "?";
}

}  // namespace gfx
