// Direct3D 7 states and conventions in OpenGL terms.

#include "platform/gfx/gl/GlConvert.h"

#include <GL/gl.h>

#include "platform/gfx/StateNumbers.h"

namespace gfx::gl {

Enum BlendFactor(uint32_t d3d_blend, bool source) {
  switch (d3d_blend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return source ? GL_SRC_ALPHA_SATURATE : GL_ONE;
    // The "both" factors set the destination from the source.
    case D3DBLEND_BOTHSRCALPHA: return source ? GL_SRC_ALPHA : GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_BOTHINVSRCALPHA: return source ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    default: return source ? GL_ONE : GL_ZERO;
  }
}

Enum CompareFunction(uint32_t d3d_cmp) {
  switch (d3d_cmp) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
  }
}

CullSetting Cull(uint32_t d3d_cull) {
  switch (d3d_cull) {
    case D3DCULL_CW: return CullSetting{true, GL_BACK};
    case D3DCULL_CCW: return CullSetting{true, GL_FRONT};
    default: return CullSetting{false, GL_BACK};
  }
}

Enum AddressMode(uint32_t d3d_address) {
  switch (d3d_address) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;  // Direct3D's clamp never blends the border
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

Enum MagnifyFilter(uint32_t d3d_mag) { return d3d_mag == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR; }

Enum MinifyFilter(uint32_t d3d_min, uint32_t d3d_mip, bool has_mip_levels) {
  const bool linear = d3d_min != D3DTFN_POINT;
  if (!has_mip_levels || d3d_mip == D3DTFP_NONE || d3d_mip == 0) {
    return linear ? GL_LINEAR : GL_NEAREST;
  }
  if (d3d_mip == D3DTFP_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

bool IsAnisotropic(uint32_t d3d_mag, uint32_t d3d_min) {
  return d3d_mag == D3DTFG_ANISOTROPIC || d3d_min == D3DTFN_ANISOTROPIC;
}

void ProjectionForGl(const Matrix& d3d, float out[16]) {
  for (int i = 0; i < 16; ++i) out[i] = d3d.m[i];
  for (int row = 0; row < 4; ++row) out[row * 4 + 2] = 2.0f * d3d.m[row * 4 + 2] - d3d.m[row * 4 + 3];
}

void ModelviewForGl(const Matrix& world, const Matrix& view, float out[16]) {
  // GL's column-major memory of a matrix is Direct3D's row-major memory of its transpose, so the
  // product world x view in Direct3D's layout is the modelview in GL's.
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += world.m[row * 4 + k] * view.m[k * 4 + col];
      out[row * 4 + col] = sum;
    }
  }
}

void TextureMatrixForGl(const Matrix& d3d, uint32_t transform_flags, float out[16]) {
  static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) out[i] = kIdentity[i];
  if ((transform_flags & 0xFF) == D3DTTFF_DISABLE) return;
  const float* m = d3d.m;
  out[0] = m[0];
  out[1] = m[1];
  out[4] = m[4];
  out[5] = m[5];
  out[12] = m[8];
  out[13] = m[9];
}

Box FlipToBottomLeft(int x, int y, int width, int height, int target_height) {
  return Box{x, target_height - (y + height), width, height};
}

void ArgbToFloats(uint32_t argb, float out[4]) {
  out[0] = ((argb >> 16) & 0xFF) / 255.0f;
  out[1] = ((argb >> 8) & 0xFF) / 255.0f;
  out[2] = (argb & 0xFF) / 255.0f;
  out[3] = ((argb >> 24) & 0xFF) / 255.0f;
}

void ColorToFloats(const ColorValue& color, float out[4]) {
  out[0] = color.r;
  out[1] = color.g;
  out[2] = color.b;
  out[3] = color.a;
}

namespace {

Enum ArgumentSource(uint32_t d3d_arg) {
  switch (d3d_arg & D3DTA_SELECTMASK) {
    case D3DTA_TEXTURE: return GL_TEXTURE;
    case D3DTA_TFACTOR: return GL_CONSTANT;
    case D3DTA_CURRENT: return GL_PREVIOUS;  // the vertex colour on the first unit
    default: return GL_PRIMARY_COLOR;        // diffuse (and specular, which vertices lack)
  }
}

}  // namespace

CombinerSource ColorArgument(uint32_t d3d_arg) {
  const bool complement = (d3d_arg & D3DTA_COMPLEMENT) != 0;
  if (d3d_arg & D3DTA_ALPHAREPLICATE) {
    return {ArgumentSource(d3d_arg), complement ? Enum{GL_ONE_MINUS_SRC_ALPHA} : Enum{GL_SRC_ALPHA}};
  }
  return {ArgumentSource(d3d_arg), complement ? Enum{GL_ONE_MINUS_SRC_COLOR} : Enum{GL_SRC_COLOR}};
}

CombinerSource AlphaArgument(uint32_t d3d_arg) {
  const bool complement = (d3d_arg & D3DTA_COMPLEMENT) != 0;
  return {ArgumentSource(d3d_arg), complement ? Enum{GL_ONE_MINUS_SRC_ALPHA} : Enum{GL_SRC_ALPHA}};
}

Combiner StageCombiner(uint32_t d3d_op, uint32_t arg1, uint32_t arg2, bool alpha) {
  const CombinerSource a = alpha ? AlphaArgument(arg1) : ColorArgument(arg1);
  const CombinerSource b = alpha ? AlphaArgument(arg2) : ColorArgument(arg2);
  const Enum alpha_operand = GL_SRC_ALPHA;
  Combiner c;
  c.source[0] = a;
  c.source[1] = b;
  c.source[2] = {GL_TEXTURE, alpha_operand};
  switch (d3d_op) {
    case D3DTOP_DISABLE:  // the stage passes on what it got
      c.mode = GL_REPLACE;
      c.source[0] = {GL_PREVIOUS, alpha ? alpha_operand : Enum{GL_SRC_COLOR}};
      break;
    case D3DTOP_SELECTARG1: c.mode = GL_REPLACE; break;
    case D3DTOP_SELECTARG2:
      c.mode = GL_REPLACE;
      c.source[0] = b;
      break;
    case D3DTOP_MODULATE2X: c.mode = GL_MODULATE; c.scale = 2.0f; break;
    case D3DTOP_MODULATE4X: c.mode = GL_MODULATE; c.scale = 4.0f; break;
    case D3DTOP_ADD:
    case D3DTOP_ADDSMOOTH: c.mode = GL_ADD; break;
    case D3DTOP_ADDSIGNED: c.mode = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X: c.mode = GL_ADD_SIGNED; c.scale = 2.0f; break;
    case D3DTOP_SUBTRACT: c.mode = GL_SUBTRACT; break;
    case D3DTOP_BLENDDIFFUSEALPHA:
      c.mode = GL_INTERPOLATE;
      c.source[2] = {GL_PRIMARY_COLOR, alpha_operand};
      break;
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDTEXTUREALPHAPM:
      c.mode = GL_INTERPOLATE;
      c.source[2] = {GL_TEXTURE, alpha_operand};
      break;
    case D3DTOP_BLENDFACTORALPHA:
      c.mode = GL_INTERPOLATE;
      c.source[2] = {GL_CONSTANT, alpha_operand};
      break;
    case D3DTOP_BLENDCURRENTALPHA:
      c.mode = GL_INTERPOLATE;
      c.source[2] = {GL_PREVIOUS, alpha_operand};
      break;
    case D3DTOP_DOTPRODUCT3: c.mode = alpha ? GL_MODULATE : GL_DOT3_RGBA; break;
    default: c.mode = GL_MODULATE; break;
  }
  return c;
}

Enum PrimitiveMode(uint32_t d3d_primitive) {
  switch (d3d_primitive) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    default: return GL_TRIANGLES;
  }
}

}  // namespace gfx::gl
