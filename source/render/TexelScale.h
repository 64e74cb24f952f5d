#pragma once
// Whether a draw reads at most one texel a pixel from its stage-0 texture along each screen axis.
// Such a draw is drawn at its picture's own size or magnified: its sampler never goes below the
// first mip level, and sampling it with mip filtering only costs the rasterizer a level choice
// for every pixel group.

#include <cstdint>

#include "platform/gfx/DeviceState.h"

// `vertices` hold the render system's vertices (position, normal, colour, one pair of texture
// coordinates); `indices` (16 or 32 bits each) make a triangle list, or a strip when `strip`.
// False whenever it cannot be told cheaply and surely: a perspective or skewed mapping, texture
// coordinates generated or projected, a mapping turned other than by quarter turns, or a draw
// of more than a few hundred triangles.
bool ReadsAtMostOneTexelAPixel(const gfx::DeviceState& state, const uint8_t* vertices, uint32_t stride,
                               uint32_t vertex_count, const void* indices, uint32_t index_count,
                               uint32_t index_size, bool strip, uint32_t texture_width, uint32_t texture_height);
