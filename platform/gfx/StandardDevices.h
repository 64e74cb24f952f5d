#pragma once
// The three device classes every backend offers (software, hardware, transform-and-lighting
// hardware), described alike so that the render system chooses among them the same way.

#include "platform/gfx/Types.h"

namespace gfx {

DeviceDesc StandardDeviceDesc(const Guid& guid, const char* name, bool hardware, bool tnl);

}  // namespace gfx
