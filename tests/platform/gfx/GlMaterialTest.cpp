// The OpenGL backend sends the material to lit draws only: GL reads none while lighting is off.
// Read back: whatever was set, or taken into GL's material by vertex colours, while lighting was
// off, the next lit draw shows the material the device holds.

#include <gtest/gtest.h>

#include "tests/platform/gfx/GlRenderFixture.h"

namespace gfx {
namespace {

using testing::GlRender;

Material Emitting(float r, float g, float b) {
  Material material;
  material.diffuse = ColorValue{0, 0, 0, 1};
  material.emissive = ColorValue{r, g, b, 1};
  return material;
}

class GlMaterial : public GlRender {
 protected:
  // No light and no ambient: a lit draw shows its material's emissive colour alone.
  void LitDraw() {
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 1), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_COLORVERTEX, 0), DD_OK);
    FullQuad(0xFFFFFFFF);
  }
  // Unlit, the vertex colour shows; with `emission_from_colour` it also feeds GL's material.
  void UnlitDraw(uint32_t color, bool emission_from_colour) {
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_COLORVERTEX, emission_from_colour ? 1 : 0), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL), DD_OK);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE,
                                 emission_from_colour ? D3DMCS_COLOR1 : D3DMCS_MATERIAL),
              DD_OK);
    FullQuad(color);
  }
};

TEST_F(GlMaterial, TheNextLitDrawShowsTheMaterialTheDeviceHolds) {
  struct Case {
    const char* name;
    Material set_unlit;      // set between the unlit draw and the lit one
    bool set_before_unlit;   // or before the unlit draw
    bool emission_from_colour;
    uint32_t lit_rgb;
  };
  const Material red = Emitting(1, 0, 0), blue = Emitting(0, 0, 1);
  const Case cases[] = {
      {"a new material set while unlit", blue, false, false, 0x0000FF},
      {"one set while unlit before an unlit draw", blue, true, false, 0x0000FF},
      {"the lit one set again while unlit", red, false, false, 0xFF0000},
      {"the lit one kept while vertex colours fed GL's emission", red, false, true, 0xFF0000},
      {"a new one while vertex colours fed GL's emission", blue, true, true, 0x0000FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearAll(0xFF000000);
    Flat();
    ASSERT_EQ(D().SetMaterial(red), DD_OK);
    LitDraw();
    EXPECT_PIXEL(32, 32, 0xFF0000);
    ASSERT_EQ(D().SetRenderState(D3DRENDERSTATE_LIGHTING, 0), DD_OK);
    if (c.set_before_unlit) {
      ASSERT_EQ(D().SetMaterial(c.set_unlit), DD_OK);
    }
    UnlitDraw(0xFF00FF00, c.emission_from_colour);
    EXPECT_PIXEL(32, 32, 0x00FF00);
    if (!c.set_before_unlit) {
      ASSERT_EQ(D().SetMaterial(c.set_unlit), DD_OK);
    }
    LitDraw();
    EXPECT_PIXEL(32, 32, c.lit_rgb);
  }
}

}  // namespace
}  // namespace gfx
