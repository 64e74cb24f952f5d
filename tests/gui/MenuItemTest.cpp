// Menu items: the select font under the mouse and while selected, groups of siblings, items that
// never stay selected, and clicks that are releases over the item.

#include <gtest/gtest.h>

#include "gui/include/GUIMenuItem.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"

namespace {

using MenuItemTest = WidgetTest;

TEST_F(MenuItemTest, HoverAndSelectionChooseTheFont) {
  GUIWindow menu(user, "menu");
  GUIMenuItem first(&menu, "first"), second(&menu, "second");
  GUIWindow label(&menu, "label");
  for (GUIMenuItem* item : {&first, &second}) {
    item->SetValue("font_id", "0");
    item->SetValue("select_font_id", "1");
  }
  PlaceQuad(first, 100, 100, 200, 30);
  PlaceQuad(second, 100, 140, 200, 30);
  const Vector2 on_first(150, 110), on_second(150, 150), away(600, 600);
  int& clicks = Count(second, "on_click");
  struct Step {
    Vector2 point;
    bool down;
    int first_font, second_font;
    int clicks;
  };
  const Step steps[] = {
      {on_second, false, 0, 1, 0},  // hover: the select font
      {away, false, 0, 0, 0},       // and back
      {away, true, 0, 0, 0},        // a press away from the items...
      {on_second, true, 0, 1, 0},
      {on_second, false, 0, 1, 1},  // ...released over one is a click
      {away, false, 0, 1, 1},       // selected: keeps the select font
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    Mouse(menu, steps[i].point, steps[i].down);
    EXPECT_EQ(first.GetCurrentFont(), steps[i].first_font) << i;
    EXPECT_EQ(second.GetCurrentFont(), steps[i].second_font) << i;
    EXPECT_EQ(clicks, steps[i].clicks) << i;
  }
  EXPECT_TRUE(second.IsSelected());
  EXPECT_EQ(label.GetValue("menu_select"), "false") << "every sibling is told";
  Click(menu, on_first);
  EXPECT_TRUE(first.IsSelected());
  EXPECT_FALSE(second.IsSelected());
}

TEST_F(MenuItemTest, NeverSelectItemsAndTextsGivenByTheClickHandler) {
  GUIWindow menu(user, "menu");
  GUIMenuItem item(&menu, "back");
  item.SetValue("never_select", "true");
  item.SetValue("select_font_id", "1");
  PlaceQuad(item, 100, 100, 200, 30);
  item.ApplyTransform();
  OnEvent(item, "on_click", [](GUIWindow* sender) { sender->SetValue("text", "Clicked"); });
  Mouse(menu, Vector2(150, 110), false);
  item.ApplyTransform();
  EXPECT_FALSE(item.IsDirty());
  Click(menu, Vector2(150, 110));
  EXPECT_FALSE(item.IsSelected()) << "never selected";
  EXPECT_EQ(item.GetCurrentFont(), 1);
  EXPECT_TRUE(item.IsDirty()) << "the handler's text waits for no later change";
  item.ApplyTransform();
  EXPECT_EQ(Found(Found(item.GetGlyphModel()).GetModel()).m_index_count, 7u * 6u);
}

TEST_F(MenuItemTest, TheTextGoesAndComesWithWhicheverWindowIsHidden) {
  struct Case {
    const char* what;
    int hidden;  // 0: the screen, 1: the list, 2: the item itself
  };
  const Case cases[] = {{"the screen closes", 0}, {"the list is hidden", 1}, {"the item is hidden", 2}};
  for (const Case& c : cases) {
    GUIWindow screen(user, "screen");
    GUIWindow list(&screen, "list");
    GUIMenuItem item(&list, "name");
    item.SetValue("text", "Ada");
    PlaceQuad(item, 100, 100, 200, 30);
    GUIWindow* windows[] = {&screen, &list, &item};
    ASSERT_TRUE(Found(item.GetGlyphModel()).IsVisible()) << c.what;
    windows[c.hidden]->Show(false);
    EXPECT_FALSE(Found(item.GetGlyphModel()).IsVisible()) << c.what;
    windows[c.hidden]->Show(true);
    EXPECT_TRUE(Found(item.GetGlyphModel()).IsVisible()) << c.what;
  }
  GUIWindow hidden(user, "hidden");
  hidden.Show(false);
  GUIMenuItem late(&hidden, "late");
  EXPECT_FALSE(Found(late.GetGlyphModel()).IsVisible()) << "made under a hidden window";
}

}  // namespace
