// The hint search over small scripts: each row is a hall's script (and its desk close-up's), the
// inventory, and the four lists worked out by hand from the rules a hint follows.

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIFontTable.h"
#include "tests/Sources/adventure/LocationTestSupport.h"
#include "tests/gui/GuiTestFonts.h"

namespace {

const std::vector<SceneObject> kHall = {
    {"hall_back", "b", 0, 0, 1024, 768}, {"key", "i", 100, 100, 50, 50},   {"door", "i", 300, 100, 50, 100},
    {"lamp", "i", 500, 100, 50, 50},     {"lamp_light", "b", 480, 160, 90, 60}, {"desk", "i", 700, 100, 100, 60},
    {"pcard1", "i", 900, 100, 40, 40}};
const std::vector<SceneObject> kDesk = {{"desk_back", "b", 200, 200, 600, 400}, {"letter", "i", 300, 300, 50, 50}};

struct HintCase {
  const char* name;
  const char* hall;  // below the hall's root, after an onload that enables its objects
  const char* desk;  // the desk close-up's script below its root (its letter is enabled), or null
  std::map<std::string, uint32_t> inventory;
  std::array<const char*, 4> lists;  // "object/second" targets, comma-separated
  const char* disabled = "";        // objects disabled again after the onload
};

void PrintTo(const HintCase& c, std::ostream* out) { *out << c.name; }

const HintCase kCases[] = {
    {"AnObjectThatGivesAnItem", "click {\n key: addinventory key {\n flashhide key\n }\n}", nullptr, {},
     {"key/", "", "", ""}},
    {"WhatGoesAwayAndGivesAnItemIsNoChangeThere", "click {\n key: hide key {\n addinventory key\n }\n}", nullptr, {},
     {"key/", "", "", ""}},
    {"WhatGoesAwayAloneIsAChangeThere", "click {\n door: disable door\n}", nullptr, {}, {"", "door/", "", ""}},
    {"AnItemToUseCountsOnlyWhileHeld", "click key {\n door: dropinventory key\n}", nullptr, {}, {"", "", "", ""}},
    {"AnItemHeldPointsAtWhereItIsUsed", "click key {\n door: dropinventory key\n}", nullptr, {{"key", 1}},
     {"", "door/key", "", ""}},
    {"AnItemHeldTooFewTimesIsNotEnough", "click key*3 {\n door: dropinventory key\n}", nullptr, {{"key", 2}},
     {"", "", "", ""}},
    {"ACardIsAChangeButNotAHintCardOrAPictureCard",
     "click {\n lamp: addcard add_map\n door: addcard add_hint\n pcard1: addcard add_map\n}", nullptr, {},
     {"", "lamp/", "", ""}},
    {"ACardUsedWithAnItemNamesTheItem", "click key {\n lamp: addcard add_map\n}", nullptr, {{"key", 1}},
     {"", "lamp/key", "", ""}},
    {"ACloseUpWithSomethingToDo", "click {\n desk: showlocation desk\n}",
     "click {\n letter: addinventory letter\n}", {}, {"", "", "desk/", ""}},
    {"ACloseUpWithNothingLeft", "click {\n desk: showlocation desk\n}", "click {\n letter: sound click\n}", {},
     {"", "", "", ""}},
    {"AnUnsolvedGameAtTheObjectThatStartsIt", "click {\n door: game safe {\n win: enable lamp\n }\n}", nullptr, {},
     {"", "", "", "door/"}},
    {"AGameNoClickStartsHasNoTarget", "isvisible door {\n true: game safe\n}", nullptr, {}, {"", "", "", ""}},
    {"ConditionsChooseTheBranchSearched",
     "click {\n lamp: isvisible lamp_light {\n true: addinventory bulb\n false: disable lamp\n }\n}", nullptr, {},
     {"lamp/", "", "", ""}},
    {"ADisabledObjectIsNoTarget", "click {\n key: addinventory key\n door: addinventory handle\n}", nullptr,
     {}, {"key/", "", "", ""}, "door"},
    {"TwoBranchesToOneObjectKeepTheFirst", "click {\n door: dropinventory key\n}\nclick {\n door: dropinventory coin\n}",
     nullptr, {}, {"", "door/key", "", ""}},
};

class HintSearchTest : public LocationTest, public ::testing::WithParamInterface<HintCase> {};

std::string Listed(const std::vector<HintTarget>& list) {
  std::string text;
  for (const HintTarget& target : list) text += (text.empty() ? "" : ",") + target.object + "/" + target.second;
  return text;
}

TEST_P(HintSearchTest, FindsTheTargetsOfTheFourLists) {
  const HintCase& c = GetParam();
  const std::string off = *c.disabled != 0 ? std::string(" {\n disable ") + c.disabled + "\n }" : "";
  AddLocation("hall", kHall,
              "hall {\n onload {\n enable key door lamp desk pcard1 {\n flashshow lamp_light" + off + "\n }\n }\n" +
                  c.hall + "\n}");
  if (c.desk != nullptr) AddLocation("desk", kDesk, std::string("desk {\n onload {\n enable letter\n }\n") + c.desk + "\n}");
  services.inventory = c.inventory;
  Location& location = Enter("hall");
  Frame(location);  // the onload step
  Frame(location);  // a search that sees it
  const HintLists& found = location.GetHintLists();
  for (std::size_t list = 0; list < 4; ++list) EXPECT_EQ(Listed(found.lists[list]), c.lists[list]) << "list " << list + 1;

  // A hint asked for takes the first target of the first list that has one.
  HintTarget target;
  const HintTarget* first = found.First();
  EXPECT_EQ(location.FindHint(target), first != nullptr);
  if (first != nullptr) {
    EXPECT_EQ(target.object, first->object);
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, HintSearchTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HintSearchTest, ASolvedGameAndAGivenItemLeaveNothingToPointAt) {
  AddLocation("hall", kHall,
              "hall {\n onload {\n enable key door\n }\n click {\n key: addinventory key {\n flashhide key\n }\n"
              " door: game safe\n }\n}");
  Texts("hall").m_phrases["no_hint_text"] = Lines(1);
  Location& location = Enter("hall");
  Frame(location);
  Frame(location);
  ASSERT_EQ(Listed(location.GetHintLists().lists[0]), "key/");
  ASSERT_EQ(Listed(location.GetHintLists().lists[3]), "door/");

  Click(location, 125, 125);  // the key is taken and hidden
  Found(location.FindMiniGame("safe")).Finish("win");
  Frame(location);
  HintTarget target;
  EXPECT_FALSE(location.FindHint(target));
  EXPECT_EQ(Found(location.FindPhraseSequence("service_no_hint")).GetName(), "wait");
}

TEST_F(HintSearchTest, TheLensShowsOverACloseUpOrGameWithSomethingLeftWhileTheHandIsEmpty) {
  AddLocation("hall", kHall,
              "hall {\n onload {\n enable key desk door pcard1\n }\n click {\n desk: showlocation desk\n"
              " door: game safe\n key: addinventory key\n }\n}");
  AddLocation("desk", kDesk, "desk {\n onload {\n enable letter\n }\n click {\n letter: addinventory letter\n }\n}");
  Texts("hall").m_tooltips["key"] = u"A brass key";
  Texts("hall").m_tooltips["pcard1"] = u"A postcard of the lighthouse";  // 260 wide
  const GUIFont letters = TestFont(kLatin + u" ", 20.0f);
  FontDescription description;
  description.size = letters.GetSize();
  Found(gui->GetFontTable()).Set(0, CountedPtr<GUIFont>(new GUIFont(letters.GetGlyphs(), description)));
  Location& location = Enter("hall");
  Frame(location);
  struct Case {
    const char* name;
    float x, y;
    const char* hand;
    const char* cursor;
    const char* tooltip;  // null: none shown (every object of the kind "i" shows its own, if empty)
    float tooltip_x;      // where the line starts: at the pointer, or left of it near the right edge
  };
  const Case cases[] = {
      {"over the close-up", 750, 130, "", "lens", "", 750},
      {"over the game", 325, 150, "", "lens", "", 325},
      {"over an item to take", 125, 125, "", "cursor", "A brass key", 125},
      {"over an item at the right edge", 920, 120, "", "cursor", "A postcard of the lighthouse", 1024 - 260},
      {"over nothing", 600, 600, "", "cursor", nullptr, 0},
      {"an item in hand", 750, 130, "coin", "cursor", "", 750},
  };
  for (const Case& c : cases) {
    services.hand = c.hand;
    PointAt(c.x, c.y);
    Frame(location);
    Frame(location);
    EXPECT_EQ(CursorName(), c.cursor) << c.name;
    EXPECT_EQ(Found(location.GetTooltip()).IsVisible(), c.tooltip != nullptr) << c.name;
    if (c.tooltip != nullptr) {
      EXPECT_EQ(Found(location.GetTooltip()).GetValue("text"), c.tooltip) << c.name;
      EXPECT_NEAR(Found(location.GetTooltip()).GetLocal().m[12], c.tooltip_x, 0.5f) << c.name;
    }
  }
}

}  // namespace
