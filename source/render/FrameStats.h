#pragma once
// What the render system drew in its last presented frame and what textures it holds on the
// device: read by the benches (and a log line on request), never shown to the player.

#include <atomic>
#include <cstdint>
#include <vector>

// One draw as the screen saw it: the pixels of its bounding rectangle inside the viewport, its
// blending and the size and filtering of the texture on stage 0 (0 x 0 without one).
struct FrameLayer {
  uint32_t width = 0, height = 0;
  bool blended = false;
  uint32_t texture_width = 0, texture_height = 0;
  bool mip_mapped = false;
  const void* texture = nullptr;  // which device surface, to tell layers of one picture apart
};

struct FrameStats {
  uint32_t draws = 0;
  uint32_t blended_draws = 0;
  // While layers are recorded: the draws' rectangles summed (the frame's overdraw), and each one.
  uint64_t covered_pixels = 0;
  std::vector<FrameLayer> layers;

  void Clear() {
    draws = blended_draws = 0;
    covered_pixels = 0;
    layers.clear();
  }
};

// The bytes of every texture level the device holds now, kept by the textures themselves.
inline std::atomic<int64_t> g_texture_bytes_resident{0};
