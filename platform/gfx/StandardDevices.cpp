#include "platform/gfx/StandardDevices.h"

namespace gfx {

DeviceDesc StandardDeviceDesc(const Guid& guid, const char* name, bool hardware, bool tnl) {
  DeviceDesc desc;
  desc.name = name;
  desc.description = name;
  desc.guid = guid;
  desc.dev_caps = (hardware ? D3DDEVCAPS_HWRASTERIZATION : 0) |
                  (tnl ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0);
  desc.raster_caps = D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_ANISOTROPY;
  desc.texture_caps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_ALPHA;
  desc.render_bit_depth = DDBD_16 | DDBD_32;
  desc.z_buffer_bit_depth = DDBD_16 | DDBD_32;
  desc.max_texture_width = 2048;
  desc.max_texture_height = 2048;
  desc.max_anisotropy = 1;
  desc.max_texture_blend_stages = 8;
  desc.max_simultaneous_textures = 8;
  desc.max_active_lights = 8;
  return desc;
}

}  // namespace gfx
