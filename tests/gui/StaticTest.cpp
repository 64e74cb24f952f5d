// Static texts: chains of linked statics (word by word, line feeds, words wider than a box), text
// keys, alignment by the text's extent, and a font that is not there yet.

#include <gtest/gtest.h>

#include "gui/include/GUIStatic.h"
#include "gui/include/TextTable.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"

namespace {

class StaticTest : public WidgetTest {
 protected:
  // Three statics, each over a 40-unit-wide helper (eight letters of the test font).
  void MakeChain(GUIWindow& page, const char* third_link = "true") {
    for (int i = 0; i < 3; ++i) {
      const std::string name = "line" + std::to_string(i);
      AddRectModel(name + "_box", 0, 100.0f - 20.0f * i, 40, 10);
      auto* line = new GUIStatic(&page, name);
      line->SetValue("helper", name + "_box");
      line->SetValue("link", i == 2 ? third_link : "true");
      lines[i] = line;
    }
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (GUIStatic* line : lines) texts.push_back(line->GetValue("text"));
    return texts;
  }
  GUIStatic* lines[3] = {};
};

TEST_F(StaticTest, LinkedStaticsPassOnWhatDoesNotFit) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
    std::string last;
  };
  const Case cases[] = {
      {"aaa bbb ccc ddd", {"aaa bbb", "ccc ddd", ""}, "line1"},
      {"aa\n   bb cc", {"aa", "bb cc", ""}, "line1"},               // a line feed sends the rest on
      {"aaaaaaaaaaaa bb", {"", "", ""}, "line2"},  // a word wider than every box is never placed
      {"ab", {"ab", "", ""}, "line0"},
      {"a " + std::string(3000, 'b') + " c", {"a", "", ""}, "line2"},  // the rest is cut at the chain's end
  };
  for (const Case& c : cases) {
    GUIWindow page(user, "page");
    MakeChain(page);
    lines[0]->SetValue("text", c.text);
    EXPECT_EQ(Texts(), c.lines) << c.text;
    EXPECT_EQ(lines[0]->GetValue("last"), c.last) << c.text;
  }
  // A chain whose text fits the first static leaves the others' old texts; a sibling whose "link"
  // reads back as anything but "true" is not part of the chain.
  GUIWindow page(user, "page");
  MakeChain(page);
  lines[1]->SetValue("link", "1");
  lines[1]->SetValue("text", "old");
  lines[0]->SetValue("text", "aaa");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"aaa", "old", ""}));
  lines[0]->SetValue("text", "aaa bbb ccc");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"aaa bbb", "ccc", ""})) << "\"1\" reads back as \"true\"";
  // A line whose helper is missing measures no box: it takes no word and passes all on.
  GUIWindow lost_page(user, "lost");
  MakeChain(lost_page);
  lines[1]->SetValue("helper", "no_such_box");
  lines[0]->SetValue("text", "aa bbb c dddd ee fff");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"aa bbb c", "", "dddd ee"}));
  EXPECT_TRUE(LogHas("helper model no_such_box not found"));
  GUIWindow plain_page(user, "plain");
  MakeChain(plain_page, "yes");
  lines[0]->SetValue("text", "aaa bbb ccc ddd eee fff");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"aaa bbb", "ccc ddd", ""}));
}

TEST_F(StaticTest, TextsAreBuiltOnceAndWaitForTheirFont) {
  GUIStatic label(user, "label");
  label.SetValue("font_id", "7");
  label.SetValue("text", "Ok");
  EXPECT_FALSE(label.Update()) << "no font 7 yet";
  EXPECT_TRUE(label.IsDirty());
  EXPECT_EQ(Found(Found(label.GetGlyphModel()).GetModel()).m_index_count, 0u);
  SetFont(7, TestFont(kLatin));
  EXPECT_TRUE(label.Update());
  EXPECT_FALSE(label.IsDirty());
  EXPECT_EQ(Found(Found(label.GetGlyphModel()).GetModel()).m_index_count, 12u);
  label.SetValue("text", "Ok");
  EXPECT_FALSE(label.IsDirty()) << "the same text again rebuilds nothing";
  label.SetValue("text_id", "NO_SUCH_KEY");
  EXPECT_EQ(label.GetValue("text"), "") << "an unknown key shows nothing";
  label.ApplyTransform();
  EXPECT_FALSE(Found(label.GetGlyphModel()).IsVisible());
}

TEST_F(StaticTest, AlignmentPlacesTheTextsExtent) {
  user->SetSize(Vector3(500, 300, 1));
  GUIWindow panel(user, "panel");
  GUIStatic label(&panel, "label");
  label.SetValue("text", "ab");
  label.SetValue("alignment", "rt");
  label.Update();
  EXPECT_EQ(label.GetExtent(), Vector3(10, 10, 1));
  EXPECT_EQ(label.GetAlignOffset(), Vector3(490, 290, 0)) << "the text ends at the right edge, under the top";
  label.UpdateWorldMatrix();
  label.ApplyTransform();
  EXPECT_TRUE(Found(label.GetGlyphModel()).IsVisible());
  EXPECT_FLOAT_EQ(Found(label.GetGlyphModel()).GetBoundingBox().m_world_max.x, 500.0f);
}

TEST_F(StaticTest, AScalingStaticWithoutAnAppearAnimationKeepsItsHelpersSize) {
  struct Case {
    const char* what;
    bool scaling_first;
  };
  const Case cases[] = {{"helper, then scaling", false}, {"scaling, then helper", true}};
  for (const Case& c : cases) {
    GUIWindow panel(user, "panel");
    AddRectModel("plain_box", 100, 100, 40, 10);
    GUIStatic label(&panel, "label");
    if (c.scaling_first) label.SetValue("scaling", "true");
    label.SetValue("helper", "plain_box");
    if (!c.scaling_first) label.SetValue("scaling", "true");
    label.SetValue("text", "ab");
    panel.Update();
    panel.UpdateWorldMatrix();
    panel.ApplyTransform();
    const Matrix4& local = label.GetLocal();
    EXPECT_FLOAT_EQ(local.m[0], 1.0f) << c.what;
    EXPECT_FLOAT_EQ(local.m[5], 1.0f) << c.what;
    EXPECT_FLOAT_EQ(local.m[12], 100.0f) << c.what;
    EXPECT_TRUE(Found(label.GetGlyphModel()).IsVisible()) << c.what;
    const cBoundingBox& box = Found(label.GetGlyphModel()).GetBoundingBox();
    EXPECT_FLOAT_EQ(box.m_world_max.x - box.m_world_min.x, 10.0f) << c.what << ": drawn at its size";
  }
}

}  // namespace
