#pragma once
// How the Direct3D 7 states and conventions become OpenGL ones: blend factors, compare functions,
// culling, addressing, filters, texture-stage combiners, the texture matrix, the projection's depth
// range, viewport origin and colours. Pure functions, so tests can check them without a context.

#include <cstdint>

#include "platform/gfx/DeviceState.h"
#include "platform/gfx/Types.h"

namespace gfx::gl {

using Enum = uint32_t;  // a GLenum

Enum BlendFactor(uint32_t d3d_blend, bool source);
Enum CompareFunction(uint32_t d3d_cmp);

// Both call a triangle clockwise as it looks on screen (Direct3D measures with y down, GL with y
// up, and both pictures are the same). Front faces are GL's counter-clockwise ones
// (glFrontFace(GL_CCW)), so culling clockwise triangles culls GL's back faces.
struct CullSetting {
  bool enabled = false;
  Enum face = 0;  // GL_FRONT or GL_BACK
};
CullSetting Cull(uint32_t d3d_cull);

Enum AddressMode(uint32_t d3d_address);
Enum MagnifyFilter(uint32_t d3d_mag);
// A texture without mip levels is never given a mip filter (it would sample nothing).
Enum MinifyFilter(uint32_t d3d_min, uint32_t d3d_mip, bool has_mip_levels);
bool IsAnisotropic(uint32_t d3d_mag, uint32_t d3d_min);

// Direct3D projections map depth to 0..1, GL clips to -w..w: z' = 2z - w, so that the default
// glDepthRange(0, 1) gives back Direct3D's depth value.
void ProjectionForGl(const Matrix& d3d, float out[16]);

// GL's modelview for Direct3D's world and view (row vectors: world first, then view), as one
// matrix, so each draw loads it with one call.
void ModelviewForGl(const Matrix& world, const Matrix& view, float out[16]);

// Direct3D pads 2-D texture coordinates as (u, v, 1, 0), GL as (s, t, 0, 1): the offset row of a
// Direct3D texture matrix (elements 8, 9) moves to GL's translation row (12, 13).
void TextureMatrixForGl(const Matrix& d3d, uint32_t transform_flags, float out[16]);

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};
// A rectangle with its origin top-left becomes one with its origin bottom-left.
Box FlipToBottomLeft(int x, int y, int width, int height, int target_height);

void ArgbToFloats(uint32_t argb, float out[4]);
void ColorToFloats(const ColorValue& color, float out[4]);

// One argument of a texture-environment combiner.
struct CombinerSource {
  Enum source = 0;
  Enum operand = 0;
};
CombinerSource ColorArgument(uint32_t d3d_arg);
CombinerSource AlphaArgument(uint32_t d3d_arg);

// One half (colour or alpha) of a stage as a combiner: mode, scale and three sources.
struct Combiner {
  Enum mode = 0;
  float scale = 1.0f;
  CombinerSource source[3];
};
// `arg1`, `arg2` are the stage's D3DTA arguments; `alpha` chooses the alpha half.
Combiner StageCombiner(uint32_t d3d_op, uint32_t arg1, uint32_t arg2, bool alpha);

Enum PrimitiveMode(uint32_t d3d_primitive);

}  // namespace gfx::gl
