// Direct3D states and conventions turned into GL ones, checked without a GL context.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/gfx/StateNumbers.h"
#include "platform/gfx/gl/GlConvert.h"

namespace gfx::gl {
namespace {

// p x M for a row vector p (Direct3D's reading of the matrix); GL's column-vector reading of the
// same memory is the same product.
void Transform(const float m[16], const float p[4], float out[4]) {
  for (int c = 0; c < 4; ++c) {
    out[c] = p[0] * m[c] + p[1] * m[4 + c] + p[2] * m[8 + c] + p[3] * m[12 + c];
  }
}

TEST(GlConvert, TheTextureMatrixGivesGlTheCoordinatesDirect3DComputes) {
  Matrix d3d;  // scale 2 x 0.5, a little shear, offset (0.25, -0.75) in the offset row
  d3d.m[0] = 2;
  d3d.m[1] = 0.1f;
  d3d.m[4] = 0.2f;
  d3d.m[5] = 0.5f;
  d3d.m[8] = 0.25f;
  d3d.m[9] = -0.75f;
  float gl[16];
  TextureMatrixForGl(d3d, D3DTTFF_COUNT2, gl);
  for (float u : {0.0f, 0.3f, 1.0f}) {
    for (float v : {0.0f, 0.6f, 1.0f}) {
      const float d3d_in[4] = {u, v, 1, 0}, gl_in[4] = {u, v, 0, 1};
      float want[4], got[4];
      Transform(d3d.m, d3d_in, want);
      Transform(gl, gl_in, got);
      EXPECT_FLOAT_EQ(got[0], want[0]);
      EXPECT_FLOAT_EQ(got[1], want[1]);
      EXPECT_FLOAT_EQ(got[3], 1.0f) << "no projective divide";
    }
  }
  TextureMatrixForGl(d3d, D3DTTFF_DISABLE, gl);
  EXPECT_EQ(gl[12], 0.0f) << "transforms off: identity";
  EXPECT_EQ(gl[0], 1.0f);
}

TEST(GlConvert, TheModelviewTakesThePointThroughTheWorldFirstThenTheView) {
  Matrix world, view;  // world: scale 2 about the origin, then up by 3; view: a quarter turn about z
  world.m[0] = world.m[5] = world.m[10] = 2;
  world.m[13] = 3;
  view.m[0] = 0, view.m[1] = 1, view.m[4] = -1, view.m[5] = 0;
  float modelview[16];
  ModelviewForGl(world, view, modelview);
  const struct {
    float in[4];
    float out[3];
  } cases[] = {{{0, 0, 0, 1}, {-3, 0, 0}}, {{1, 0, 0, 1}, {-3, 2, 0}}, {{0, 1, 5, 1}, {-5, 0, 10}}};
  for (const auto& c : cases) {
    float got[4];
    Transform(modelview, c.in, got);
    EXPECT_FLOAT_EQ(got[0], c.out[0]);
    EXPECT_FLOAT_EQ(got[1], c.out[1]);
    EXPECT_FLOAT_EQ(got[2], c.out[2]);
  }
}

TEST(GlConvert, TheProjectionMapsDirect3DDepthOntoGlClipSpace) {
  const float n = 1, f = 1000;
  Matrix p;
  p.m[10] = f / (f - n);
  p.m[11] = 1;
  p.m[14] = f * n / (n - f);
  p.m[15] = 0;
  float gl[16];
  ProjectionForGl(p, gl);
  for (float z : {n, 10.0f, f}) {
    const float eye[4] = {0, 0, z, 1};
    float d3d_clip[4], gl_clip[4];
    Transform(p.m, eye, d3d_clip);
    Transform(gl, eye, gl_clip);
    const float d3d_depth = d3d_clip[2] / d3d_clip[3];            // 0 .. 1
    const float gl_window = (gl_clip[2] / gl_clip[3] + 1) * 0.5f;  // glDepthRange(0, 1)
    EXPECT_NEAR(gl_window, d3d_depth, 1e-5) << z;
  }
}

TEST(GlConvert, BlendFactorsCompareFunctionsAddressingAndFilters) {
  EXPECT_EQ(BlendFactor(D3DBLEND_SRCALPHA, true), GLenum{GL_SRC_ALPHA});
  EXPECT_EQ(BlendFactor(D3DBLEND_INVSRCALPHA, false), GLenum{GL_ONE_MINUS_SRC_ALPHA});
  EXPECT_EQ(BlendFactor(D3DBLEND_DESTCOLOR, true), GLenum{GL_DST_COLOR});
  EXPECT_EQ(BlendFactor(D3DBLEND_BOTHSRCALPHA, false), GLenum{GL_ONE_MINUS_SRC_ALPHA});
  EXPECT_EQ(BlendFactor(99, true), GLenum{GL_ONE});
  EXPECT_EQ(CompareFunction(D3DCMP_LESSEQUAL), GLenum{GL_LEQUAL});
  EXPECT_EQ(CompareFunction(D3DCMP_GREATEREQUAL), GLenum{GL_GEQUAL});
  EXPECT_EQ(AddressMode(D3DTADDRESS_CLAMP), GLenum{GL_CLAMP_TO_EDGE}) << "never GL_CLAMP";
  EXPECT_EQ(AddressMode(D3DTADDRESS_WRAP), GLenum{GL_REPEAT});
  EXPECT_FALSE(Cull(D3DCULL_NONE).enabled);
  EXPECT_EQ(Cull(D3DCULL_CW).face, GLenum{GL_BACK});
  EXPECT_EQ(Cull(D3DCULL_CCW).face, GLenum{GL_FRONT});
  // Mip filters need mip levels.
  EXPECT_EQ(MinifyFilter(D3DTFN_LINEAR, D3DTFP_LINEAR, true), GLenum{GL_LINEAR_MIPMAP_LINEAR});
  EXPECT_EQ(MinifyFilter(D3DTFN_POINT, D3DTFP_POINT, true), GLenum{GL_NEAREST_MIPMAP_NEAREST});
  EXPECT_EQ(MinifyFilter(D3DTFN_LINEAR, D3DTFP_LINEAR, false), GLenum{GL_LINEAR});
  EXPECT_EQ(MinifyFilter(D3DTFN_ANISOTROPIC, D3DTFP_NONE, true), GLenum{GL_LINEAR});
  EXPECT_EQ(MagnifyFilter(D3DTFG_POINT), GLenum{GL_NEAREST});
  EXPECT_TRUE(IsAnisotropic(D3DTFG_ANISOTROPIC, D3DTFN_LINEAR));
}

TEST(GlConvert, StageArgumentsAndOperations) {
  const Combiner modulate = StageCombiner(D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_CURRENT, false);
  EXPECT_EQ(modulate.mode, GLenum{GL_MODULATE});
  EXPECT_EQ(modulate.source[0].source, GLenum{GL_TEXTURE});
  EXPECT_EQ(modulate.source[1].source, GLenum{GL_PREVIOUS}) << "the stage before, not the diffuse";
  const Combiner diffuse = StageCombiner(D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_DIFFUSE, true);
  EXPECT_EQ(diffuse.mode, GLenum{GL_REPLACE});
  EXPECT_EQ(diffuse.source[0].source, GLenum{GL_PRIMARY_COLOR});
  EXPECT_EQ(diffuse.source[0].operand, GLenum{GL_SRC_ALPHA});
  const Combiner blend = StageCombiner(D3DTOP_BLENDTEXTUREALPHA, D3DTA_TEXTURE, D3DTA_CURRENT, false);
  EXPECT_EQ(blend.mode, GLenum{GL_INTERPOLATE});
  EXPECT_EQ(blend.source[2].source, GLenum{GL_TEXTURE});
  const Combiner twice = StageCombiner(D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_DIFFUSE, false);
  EXPECT_EQ(twice.scale, 2.0f);
  EXPECT_EQ(ColorArgument(D3DTA_TEXTURE | D3DTA_COMPLEMENT).operand, GLenum{GL_ONE_MINUS_SRC_COLOR});
  EXPECT_EQ(ColorArgument(D3DTA_TFACTOR | D3DTA_ALPHAREPLICATE).operand, GLenum{GL_SRC_ALPHA});
  EXPECT_EQ(ColorArgument(D3DTA_TFACTOR).source, GLenum{GL_CONSTANT});
}

TEST(GlConvert, RectanglesAndColours) {
  const Box box = FlipToBottomLeft(10, 20, 100, 50, 480);
  EXPECT_EQ(box.x, 10);
  EXPECT_EQ(box.y, 410);
  float c[4];
  ArgbToFloats(0x80FF4000, c);
  EXPECT_FLOAT_EQ(c[0], 1.0f);
  EXPECT_FLOAT_EQ(c[1], 64 / 255.0f);
  EXPECT_FLOAT_EQ(c[2], 0.0f);
  EXPECT_FLOAT_EQ(c[3], 128 / 255.0f);
  EXPECT_EQ(PrimitiveMode(D3DPT_TRIANGLESTRIP), GLenum{GL_TRIANGLE_STRIP});
  EXPECT_EQ(PrimitiveMode(D3DPT_TRIANGLELIST), GLenum{GL_TRIANGLES});
}

}  // namespace
}  // namespace gfx::gl
