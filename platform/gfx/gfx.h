#pragma once
// The graphics service of the platform layer: the DirectDraw 7 and Direct3D 7 operations the
// renderer uses, with their meaning and result codes, over OpenGL 2.1 (or, with
// VELMARIS_HEADLESS=1, over a backend that keeps every state and records every draw but draws no
// pixels). Main thread only. Nothing outside platform/ needs to know which backend runs.
//
// Objects are shared: a surface keeps its DirectDraw object alive, a device its render target and
// bound textures, a texture its mip levels. Releasing an object is dropping its pointer; use_count()
// tells whether someone else still holds it.

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Calls.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DirectDraw.h"
#include "platform/gfx/Results.h"
#include "platform/gfx/StateNumbers.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/Types.h"

namespace gfx {

// Every display driver, the primary display driver first (it has no guid).
Result EnumerateDrivers(std::vector<DriverInfo>& drivers);
// A DirectDraw object for a driver: null for the primary display driver, else its guid.
Result CreateDirectDraw(const Guid* driver, std::shared_ptr<DirectDraw>& out);
// The name of the running backend ("opengl" or "headless").
const char* BackendName();
// The running backend's last detailed error (for example why no GL context could be made), for the
// caller's log line; empty when there is none.
std::string LastErrorText();

}  // namespace gfx
