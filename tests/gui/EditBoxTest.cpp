// The edit box: every editing key, the length limit, characters the font cannot draw, the view
// that scrolls five characters at a time, right-to-left display, and its events and sound.

#include <gtest/gtest.h>

#include "gui/include/GUIEditBox.h"
#include "gui/include/GUIStatic.h"
#include "platform/window/VirtualKeys.h"
#include "source/xml/XmlDocument.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"

namespace {

using EditBoxTest = WidgetTest;
using namespace window;

// Keys and characters in one string: characters as they are, keys as listed here.
constexpr char16_t kHome = 0xE000, kEnd = 0xE001, kLeft = 0xE002, kRight = 0xE003, kBack = 0xE004, kDel = 0xE005,
                   kIns = 0xE006;

TEST_F(EditBoxTest, EveryKeyEditsTheTextAtTheCaret) {
  struct Case {
    const char* what;
    int length;  // "text_length"
    std::u16string input;
    std::u16string text;
    int32_t caret;
  };
  const std::u16string home = {kHome}, end = {kEnd}, left = {kLeft}, right = {kRight}, back = {kBack},
                       del = {kDel}, ins = {kIns};
  const Case cases[] = {
      {"typing", 255, u"abc", u"abc", 3},
      {"Home, then typing inserts at the front", 255, u"abc" + home + u"x", u"xabc", 1},
      {"Left, Right", 255, u"abcd" + left + left + right, u"abcd", 3},
      {"Left at the front stays", 255, u"ab" + home + left, u"ab", 0},
      {"Delete at the caret", 255, u"abcd" + home + del, u"bcd", 0},
      {"Delete at the end does nothing", 255, u"abcd" + del, u"abcd", 4},
      {"Backspace in the middle", 255, u"abcd" + left + left + back, u"acd", 1},
      {"Backspace on the last character takes the one before", 255, u"abcd" + left + back, u"abd", 2},
      {"Backspace at the front does nothing", 255, u"ab" + home + back, u"ab", 0},
      {"a full box rests on its last character", 4, u"abcdef", u"abcd", 3},
      {"Backspace there takes the last character", 4, u"abcd" + back, u"abc", 3},
      {"End in a full box", 4, u"abcd" + home + end, u"abcd", 3},
      {"overwrite replaces", 255, u"abcd" + home + right + ins + u"x", u"axcd", 2},
      {"overwrite at the end appends", 255, u"ab" + ins + u"cd", u"abcd", 4},
      {"a character without a glyph is dropped, a space kept", 255, u"a#\u4E00 b", u"a b", 3},
      {"a length of 0 holds one character", 0, u"abc", u"a", 0},
      {"a negative length too", -5, u"xy" + back, u"x", 0},
  };
  for (const Case& c : cases) {
    GUIEditBox box(user, "name");
    box.SetValue("text_length", std::to_string(c.length));
    for (char16_t input : c.input) {
      switch (input) {
        case kHome: Press(box, kVkHome); break;
        case kEnd: Press(box, kVkEnd); break;
        case kLeft: Press(box, kVkLeft); break;
        case kRight: Press(box, kVkRight); break;
        case kBack: Press(box, kVkBack); break;
        case kDel: Press(box, kVkDelete); break;
        case kIns: Press(box, kVkInsert); break;
        default: Type(box, std::u16string(1, input)); break;
      }
    }
    EXPECT_EQ(box.GetText(), c.text) << c.what;
    EXPECT_EQ(box.GetCaret(), c.caret) << c.what;
  }
}

TEST_F(EditBoxTest, ChangesFireAndSoundOnlyWhenTheTextChanges) {
  MountSounds({"audio\\game\\text"});
  GUIEditBox box(user, "name");
  box.SetValue("text_length", "3");
  int& changes = Count(box, "on_change");
  struct Step {
    bool is_character;
    char16_t code;
    int changes;
    std::size_t sounds;
  };
  const Step steps[] = {
      {true, u'a', 1, 1},   {true, 9, 1, 1},  // a control character never reaches the text
      {false, kVkInsert, 1, 1}, {false, kVkInsert, 1, 1},
      {true, u'b', 2, 2},   {true, u'c', 3, 3}, {true, u'd', 3, 3},  // full: nothing happens
      {false, kVkHome, 3, 3}, {false, kVkDelete, 4, 4}, {false, kVkF1, 4, 4},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    Key(steps[i].is_character, steps[i].code);
    EXPECT_TRUE(box.HandleMouse(Vector2(-1, -1), false)) << i;
    EXPECT_EQ(changes, steps[i].changes) << i;
    EXPECT_EQ(SoundsStarted(), steps[i].sounds) << i;
  }
  box.SetValue("text", "xy");
  EXPECT_EQ(changes, 5) << "setting the text fires too";
  box.SetEnabled(false);
  Key(true, u'z');
  EXPECT_FALSE(box.HandleMouse(Vector2(-1, -1), false));
  EXPECT_EQ(box.GetText(), u"xy");
}

TEST_F(EditBoxTest, TheViewScrollsFiveCharactersAtATimeAndShowsOnlyWhatFits) {
  // Letters are 5 wide and the cursor ("_", which the font lacks) 10: a 40-wide box shows six
  // letters before the cursor.
  GUIEditBox box(user, "name");
  box.SetValue("text_width", "40");
  Type(box, u"abcdefgh");
  EXPECT_EQ(box.GetFirst(), 2) << "the end view, not five past the start";
  EXPECT_EQ(Found(box.GetStatic()).GetText(), u"cdefgh");
  Press(box, kVkHome);
  EXPECT_EQ(box.GetFirst(), 0);
  EXPECT_EQ(Found(box.GetStatic()).GetText(), u"abcdefgh") << "eight letters end at 40";
  Type(box, u"xy");
  EXPECT_EQ(box.GetText(), u"xyabcdefgh");
  for (int i = 0; i < 6; ++i) Press(box, kVkRight);
  EXPECT_EQ(box.GetCaret(), 8);
  EXPECT_EQ(box.GetFirst(), 4) << "past the view's edge: the end view, at most five on";
  for (int i = 0; i < 4; ++i) Press(box, kVkLeft);
  EXPECT_EQ(box.GetFirst(), 0) << "back at the view's start: five back, at most to 0";
  box.SetValue("text", "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(box.GetCaret(), 26);
  EXPECT_EQ(box.GetFirst(), 20) << "the caret and the cursor in view";
  EXPECT_EQ(Found(box.GetStatic()).GetText(), u"uvwxyz");
  Press(box, kVkHome);
  EXPECT_EQ(Found(box.GetStatic()).GetText(), u"abcdefgh") << "nothing that would end past the width";
  // A box narrower than its cursor still takes text and shows the caret.
  GUIEditBox narrow(user, "narrow");
  narrow.SetValue("text_width", "4");  // the cursor alone is 10 wide
  Type(narrow, u"abc");
  EXPECT_EQ(narrow.GetText(), u"abc");
  EXPECT_EQ(narrow.GetFirst(), 3) << "the view starts at the caret";
  Press(narrow, kVkHome);
  Press(narrow, kVkEnd);
  EXPECT_EQ(narrow.GetFirst(), 3);
}

TEST_F(EditBoxTest, HebrewIsShownRightToLeftWhileTheCaretCountsStoredOrder) {
  GUIEditBox box(user, "name");
  Type(box, u"ab \u05D0\u05D1\u05D2");
  EXPECT_EQ(box.GetCaret(), 6);
  EXPECT_EQ(Found(box.GetStatic()).GetText(), u"ab \u05D2\u05D1\u05D0");
  Press(box, kVkBack);
  EXPECT_EQ(box.GetText(), u"ab \u05D0\u05D1");
}

TEST_F(EditBoxTest, AFormGivesTheSameBoxWhateverTheOrderOfItsAttributes) {
  // Twelve letters in a box of five characters and 20 units (four letters, or two and the cursor).
  const char* orders[] = {
      R"(<w><editbox name="e" text="abcdefghijkl" text_length="5" text_width="20"/></w>)",
      R"(<w><editbox name="e" text_length="5" text="abcdefghijkl" text_width="20"/></w>)",
      R"(<w><editbox name="e" text_width="20" text_length="5" text="abcdefghijkl"/></w>)",
  };
  for (const char* text : orders) {
    cMemoryStream bytes = StreamOf(text);
    XmlDocument document;
    ASSERT_TRUE(document.Load(bytes));
    GUIWindow form(user, "form");
    form.LoadChildren(document.GetRoot());
    auto* box = dynamic_cast<GUIEditBox*>(form.FindChild("e"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetCaret(), 4) << text << ": the caret rests on the last place the limit allows";
    EXPECT_EQ(box->GetFirst(), 2) << text;
    EXPECT_EQ(Found(box->GetStatic()).GetText(), u"cdef") << text;
    EXPECT_EQ(box->GetText(), u"abcdefghijkl") << text << ": a given text is kept whole";
  }
}

}  // namespace
