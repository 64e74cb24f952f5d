// The text widget: its layout box from the model, "\n" in texts, glyphs placed onto the model's
// box (and turned with angle_z), rebuilds only on change, and glyphs that never outlive the
// window's visibility.

#include <gtest/gtest.h>

#include "gui/include/GUIText.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"

namespace {

class TextWidgetTest : public WidgetTest {
 protected:
  // The glyph model's world position of the first vertex's foot of quad q.
  static Vector3 Foot(const GUIText& text, uint32_t q) {
    const Vertex& v = Found(Found(Found(text.GetGlyphModel()).GetModel()).m_vertices->GetVertex(4 * q + 1));
    const Matrix4& m = Found(text.GetGlyphModel()).GetWorldMatrix();
    return Vector3(v.x * m.m[0] + v.y * m.m[4] + m.m[12], v.x * m.m[1] + v.y * m.m[5] + m.m[13], 0.0f);
  }
};

// A text given before its model waits for the model's box; then its lines follow that box.
TEST_F(TextWidgetTest, LinesFollowTheModelsBox) {
  GUIText text(user, "story");
  text.SetValue("alignment", "lt");
  text.SetValue("text", "ab cd");
  text.Update();
  EXPECT_LT(text.GetLayoutSize().x, -1e38f) << "no model yet: the empty box";
  EXPECT_TRUE(text.IsDirty()) << "no box to break the lines in yet";
  AddRectModel("board", 200, 300, 100, 40);
  text.SetValue("model", "board");
  EXPECT_EQ(text.GetLayoutSize(), Vector3(100, 40, 0));
  text.Update();
  ASSERT_EQ(Found(Found(text.GetGlyphModel()).GetModel()).m_index_count, 24u);
  EXPECT_NEAR(Foot(text, 2).x, 212.5f, 1e-3) << "one line in the box, not a line a word";
  EXPECT_NEAR(Foot(text, 2).y, 330, 1e-3);
  text.SetValue("text", "ab\\ncd");
  EXPECT_TRUE(text.Update());
  ASSERT_EQ(Found(Found(text.GetGlyphModel()).GetModel()).m_index_count, 24u);
  struct Case {
    uint32_t quad;
    float x, y;
  };
  const Case cases[] = {{0, 200, 330}, {1, 205, 330}, {2, 200, 320}, {3, 205, 320}};
  for (const Case& c : cases) {
    EXPECT_NEAR(Foot(text, c.quad).x, c.x, 1e-3) << c.quad;
    EXPECT_NEAR(Foot(text, c.quad).y, c.y, 1e-3) << c.quad;
  }
  // A quarter turn about the view axis around the box's lower left corner: the first line, 30 above
  // that corner, comes to lie 30 left of it.
  text.SetValue("angle_z", "90");
  text.Update();
  EXPECT_NEAR(Foot(text, 0).x, 170, 1e-3);
  EXPECT_NEAR(Foot(text, 0).y, 300, 1e-3);
}

TEST_F(TextWidgetTest, GlyphsShowOnlyWithTextInAVisibleWindow) {
  AddRectModel("board", 0, 0, 100, 40);
  GUIWindow panel(user, "panel");
  GUIText text(&panel, "story");
  text.SetValue("model", "board");
  text.SetValue("text", "ab");
  text.Update();
  text.ApplyTransform();
  EXPECT_TRUE(Found(text.GetGlyphModel()).IsVisible());
  EXPECT_FALSE(Found(text.GetVisual().GetModel()).IsVisible()) << "the model only lends its box";
  text.Show(false);
  EXPECT_FALSE(Found(text.GetGlyphModel()).IsVisible()) << "a window not shown leaves no text behind";
  panel.Show(false);
  panel.Show(true);
  EXPECT_FALSE(Found(text.GetGlyphModel()).IsVisible()) << "nor when its parent comes back";
  text.Show(true);
  EXPECT_TRUE(Found(text.GetGlyphModel()).IsVisible());
  text.SetValue("text", "ab");
  EXPECT_FALSE(text.IsDirty()) << "the same text is not laid out again";
  text.SetValue("text", "");
  text.ApplyTransform();
  EXPECT_FALSE(Found(text.GetGlyphModel()).IsVisible());
  text.SetValue("font_id", "9");
  text.SetValue("text", "x");
  EXPECT_FALSE(text.Update()) << "no font 9: tried again next frame";
  EXPECT_TRUE(text.IsDirty());
}

}  // namespace
