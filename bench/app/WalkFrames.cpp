#include "bench/app/WalkFrames.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gfx/gfx.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "tests/support/PngFile.h"

bool KeepBackBuffer(const std::string& path) {
  RenderSystem_D3D7* render = RenderManager::GetInstance()->GetRenderSystemD3D7();
  // The back buffer keeps the frame just shown; the primary surface is the whole screen, and the
  // front of a window drawn by a software renderer reads back black.
  if (render == nullptr || !render->GetBackSurface()) return false;
  gfx::Surface& surface = *render->GetBackSurface();
  gfx::SurfaceDesc desc;
  if (gfx::Failed(surface.Lock(nullptr, desc, 0))) return false;
  std::vector<uint8_t> rgb(static_cast<std::size_t>(desc.width) * desc.height * 3);
  for (uint32_t y = 0; y < desc.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(desc.memory) + static_cast<std::size_t>(y) * desc.pitch;
    for (uint32_t x = 0; x < desc.width; ++x) {
      uint8_t* out = &rgb[(static_cast<std::size_t>(y) * desc.width + x) * 3];
      out[0] = row[x * 4 + 2];  // B, G, R, X in memory
      out[1] = row[x * 4 + 1];
      out[2] = row[x * 4 + 0];
    }
  }
  surface.Unlock(nullptr);
  const bool varied = !std::all_of(rgb.begin(), rgb.end(), [&](uint8_t v) { return v == rgb.front(); });
  return WritePng(path, desc.width, desc.height, rgb) && varied;
}
