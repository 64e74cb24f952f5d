#pragma once
// The records the graphics calls take and fill: surface descriptions and pixel formats, rectangles,
// viewports, matrices, materials, lights, driver and device capabilities, and the DirectDraw flag
// numbers that go with them.

#include <cstdint>
#include <string>

namespace gfx {

// ---- identities -----------------------------------------------------------------------------------
struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// The device classes a driver offers. The render code prefers transform-and-lighting hardware, then
// other hardware, then the software rasterizer, and the reference rasterizer last.
inline constexpr Guid kDeviceRgb{0x56454C01, 0x5247, 0x4201, {1, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr Guid kDeviceHal{0x56454C02, 0x4841, 0x4C02, {2, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr Guid kDeviceTnLHal{0x56454C03, 0x544E, 0x4C03, {3, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr Guid kDeviceRef{0x56454C04, 0x5245, 0x4604, {4, 0, 0, 0, 0, 0, 0, 0}};

// ---- geometry and colour --------------------------------------------------------------------------
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

struct Vector3 {
  float x = 0, y = 0, z = 0;
  friend bool operator==(const Vector3&, const Vector3&) = default;
};

// A 4x4 matrix for row vectors (p' = p x M), translation in elements 12 to 14: the engine's own
// layout, handed over as it is.
struct Matrix {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  friend bool operator==(const Matrix&, const Matrix&) = default;
};

// The rectangle of the render target drawn into, origin top-left, with its depth range.
struct Viewport {
  uint32_t x = 0, y = 0, width = 0, height = 0;
  float min_z = 0.0f, max_z = 1.0f;
  friend bool operator==(const Viewport&, const Viewport&) = default;
};

struct Material {
  ColorValue diffuse, ambient, specular, emissive;
  float power = 0;
  friend bool operator==(const Material&, const Material&) = default;
};

// A light in world space. Type is D3DLIGHT_POINT, D3DLIGHT_SPOT or D3DLIGHT_DIRECTIONAL; any other
// value is refused by SetLight.
struct Light {
  uint32_t type = 0;
  ColorValue diffuse, specular, ambient;
  Vector3 position, direction;
  float range = 0, falloff = 0;
  float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
  float theta = 0, phi = 0;  // inner and outer cone angles, radians
  friend bool operator==(const Light&, const Light&) = default;
};

// ---- pixel formats and surfaces -------------------------------------------------------------------
inline constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
inline constexpr uint32_t DDPF_FOURCC = 0x4;
inline constexpr uint32_t DDPF_RGB = 0x40;
inline constexpr uint32_t DDPF_ZBUFFER = 0x400;
inline constexpr uint32_t DDPF_STENCILBUFFER = 0x4000;
inline constexpr uint32_t DDPF_LUMINANCE = 0x20000;
inline constexpr uint32_t DDPF_BUMPLUMINANCE = 0x40000;
inline constexpr uint32_t DDPF_BUMPDUDV = 0x80000;

// A pixel format by its channel masks. For depth formats bit_count is the depth buffer's bits a
// pixel and z_mask the depth bits.
struct PixelFormat {
  uint32_t flags = 0;
  uint32_t fourcc = 0;
  uint32_t bit_count = 0;
  uint32_t r_mask = 0, g_mask = 0, b_mask = 0, a_mask = 0;
  uint32_t z_mask = 0, stencil_mask = 0;
  friend bool operator==(const PixelFormat&, const PixelFormat&) = default;
};

// The colour formats surfaces and textures can have (memory order of a 32-bit pixel is B, G, R, A).
PixelFormat FormatA8R8G8B8();
PixelFormat FormatX8R8G8B8();
PixelFormat FormatR5G6B5();
PixelFormat FormatA1R5G5B5();
PixelFormat FormatA4R4G4B4();
PixelFormat FormatDepth16();
PixelFormat FormatDepth24X8();  // 32 bits a pixel, 24 of them depth

inline constexpr uint32_t DDSD_CAPS = 0x1;
inline constexpr uint32_t DDSD_HEIGHT = 0x2;
inline constexpr uint32_t DDSD_WIDTH = 0x4;
inline constexpr uint32_t DDSD_PITCH = 0x8;
inline constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
inline constexpr uint32_t DDSD_ZBUFFERBITDEPTH = 0x40;
inline constexpr uint32_t DDSD_LPSURFACE = 0x800;
inline constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
inline constexpr uint32_t DDSD_MIPMAPCOUNT = 0x20000;
inline constexpr uint32_t DDSD_REFRESHRATE = 0x40000;
inline constexpr uint32_t DDSD_TEXTURESTAGE = 0x100000;

inline constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
inline constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
inline constexpr uint32_t DDSCAPS_FLIP = 0x10;
inline constexpr uint32_t DDSCAPS_FRONTBUFFER = 0x20;
inline constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
inline constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
inline constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
inline constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
inline constexpr uint32_t DDSCAPS_3DDEVICE = 0x2000;
inline constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;
inline constexpr uint32_t DDSCAPS_ZBUFFER = 0x20000;
inline constexpr uint32_t DDSCAPS_MIPMAP = 0x400000;
inline constexpr uint32_t DDSCAPS_LOCALVIDMEM = 0x10000000;
inline constexpr uint32_t DDSCAPS2_TEXTUREMANAGE = 0x10;
inline constexpr uint32_t DDSCAPS2_MIPMAPSUBLEVEL = 0x10000;

// What CreateSurface is asked for and what GetSurfaceDesc and Lock report. Lock also fills
// `memory` (the first pixel of the locked rectangle) and `pitch` (bytes from one row to the next;
// rows run top to bottom).
struct SurfaceDesc {
  uint32_t flags = 0;  // DDSD_*: which fields are meant
  uint32_t width = 0, height = 0;
  int32_t pitch = 0;
  uint32_t back_buffer_count = 0;
  uint32_t mip_map_count = 0;
  uint32_t refresh_rate = 0;
  void* memory = nullptr;
  PixelFormat format;
  uint32_t caps = 0;   // DDSCAPS_*
  uint32_t caps2 = 0;  // DDSCAPS2_*
  uint32_t texture_stage = 0;
};

// ---- call flags -------------------------------------------------------------------------------------
inline constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
inline constexpr uint32_t DDSCL_ALLOWREBOOT = 0x2;
inline constexpr uint32_t DDSCL_NORMAL = 0x8;
inline constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
inline constexpr uint32_t DDSCL_FPUSETUP = 0x200;
inline constexpr uint32_t DDSCL_FPUPRESERVE = 0x1000;

inline constexpr uint32_t DDLOCK_WAIT = 0x1;
inline constexpr uint32_t DDLOCK_READONLY = 0x10;
inline constexpr uint32_t DDLOCK_WRITEONLY = 0x20;

inline constexpr uint32_t DDBLT_WAIT = 0x1000000;
inline constexpr uint32_t DDFLIP_WAIT = 0x1;
inline constexpr uint32_t DDFLIP_NOVSYNC = 0x8;
inline constexpr uint32_t DDWAITVB_BLOCKBEGIN = 0x1;

inline constexpr uint32_t DDBD_16 = 0x400;  // colour depths a device renders (DeviceDesc)
inline constexpr uint32_t DDBD_24 = 0x200;
inline constexpr uint32_t DDBD_32 = 0x100;

// ---- capabilities ---------------------------------------------------------------------------------
inline constexpr uint32_t DDCAPS_3D = 0x1;
inline constexpr uint32_t DDCAPS_BLT = 0x40;
inline constexpr uint32_t DDCAPS_BLTSTRETCH = 0x200;
inline constexpr uint32_t DDCAPS2_CANRENDERWINDOWED = 0x80000;

struct DriverCaps {
  uint32_t caps = 0;   // DDCAPS_*
  uint32_t caps2 = 0;  // DDCAPS2_*
  uint32_t surface_caps = 0;
  uint32_t video_memory_total = 0;
  uint32_t video_memory_free = 0;
};

struct DeviceIdentifier {
  std::string driver;
  std::string description;
  uint32_t vendor_id = 0, device_id = 0, sub_sys_id = 0, revision = 0;
  Guid device_identifier;
};

// A display driver as the enumeration lists it; the primary display driver has no guid.
struct DriverInfo {
  bool has_guid = false;
  Guid guid;
  std::string description;
  std::string name;
};

inline constexpr uint32_t D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
inline constexpr uint32_t D3DDEVCAPS_HWRASTERIZATION = 0x80000;
inline constexpr uint32_t D3DPRASTERCAPS_ZTEST = 0x10;
inline constexpr uint32_t D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x8000;
inline constexpr uint32_t D3DPRASTERCAPS_ANISOTROPY = 0x20000;
inline constexpr uint32_t D3DPTEXTURECAPS_POW2 = 0x2;
inline constexpr uint32_t D3DPTEXTURECAPS_ALPHA = 0x4;

// A Direct3D device's description: what it can do and its limits.
struct DeviceDesc {
  std::string name;
  std::string description;
  Guid guid;
  uint32_t dev_caps = 0;     // D3DDEVCAPS_*
  uint32_t raster_caps = 0;  // D3DPRASTERCAPS_* of triangles
  uint32_t texture_caps = 0;
  uint32_t render_bit_depth = 0;   // DDBD_* colour depths it can render
  uint32_t z_buffer_bit_depth = 0;  // DDBD_*
  uint32_t min_texture_width = 1, min_texture_height = 1;
  uint32_t max_texture_width = 0, max_texture_height = 0;
  uint32_t max_anisotropy = 1;
  uint32_t max_texture_blend_stages = 0;
  uint32_t max_simultaneous_textures = 0;
  uint32_t max_active_lights = 0;
};

}  // namespace gfx
