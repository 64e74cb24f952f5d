// Building a location from its scene and script: objects by kind with their highlights and
// tooltips, the script's objects, close-ups, mini-games and phrase sequences, and what is left
// out and logged.

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

using LocationLoadTest = LocationTest;

const std::vector<SceneObject> kHall = {
    {"hall_back", "b", 0, 0, 1024, 768},
    {"key", "i", 100, 100, 50, 50},
    {"key_a", "i", 95, 95, 60, 60},
    {"rug", "f", 300, 100, 100, 40},
    {"odd", "x", 500, 100, 40, 40},
    {"lamp", "i", 600, 100, 40, 80, "<state name=\"anim_loop\" frames=\"0 4\" speed=\"2\"/>"},
};

const char kHallScript[] = R"(hall {
  onload {
    enable key lamp {
      flashshow rug
    }
  }
  click {
    key: game safe
    lamp: showlocation desk {
      hint intro {
        hint missing_key
      }
    }
    odd: game safe
  }
  hidelocation _pier
  showlocation desk.drawer
  showmodallocation hall
  game desk.safe
})";

TEST_F(LocationLoadTest, SceneModelsBecomeObjectsByKindWithHighlightsAndTooltips) {
  AddLocation("hall", kHall, kHallScript);
  AddLocation("desk", {{"desk_back", "b", 100, 100, 600, 500}}, "desk {\n  onload\n}");
  Texts("hall").m_tooltips["key"] = u"A brass key";
  Texts("hall").m_tooltips["lamp"] = u"An oil lamp";
  Location& hall = Enter("hall");

  struct Case {
    const char* name;
    uint32_t kind;
    const char16_t* tooltip;
    bool highlight;
  };
  const Case cases[] = {
      {"hall_back", LocationCharacter::kBack, u"", false}, {"key", LocationCharacter::kItem, u"A brass key", true},
      {"rug", LocationCharacter::kFront, u"", false},      {"odd", LocationCharacter::kItem, u"", false},
      {"lamp", LocationCharacter::kItem, u"An oil lamp", false},
  };
  ASSERT_EQ(hall.GetObjects().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const LocationCharacter& object = *hall.GetObjects()[i];
    EXPECT_EQ(object.GetName(), cases[i].name);
    EXPECT_EQ(object.GetKind(), cases[i].kind) << cases[i].name;
    EXPECT_EQ(object.GetTooltip(), cases[i].tooltip) << cases[i].name;
    EXPECT_EQ(object.GetHighlightModel() != nullptr, cases[i].highlight) << cases[i].name;
  }
  EXPECT_EQ(hall.FindObject("key_a"), nullptr);
  // The game goes on with an odd prefix or without a tooltip: errors, not aborts.
  EXPECT_TRUE(LogHas("Error: Unknown prefix: x"));
  EXPECT_TRUE(LogHas("Error: tooltip odd not found"));
  EXPECT_FALSE(LogHas("PROGRAM ABORTING! Unknown prefix"));
  EXPECT_FALSE(LogHas("PROGRAM ABORTING! tooltip"));
  EXPECT_FALSE(LogHas("tooltip rug not found"));
  EXPECT_TRUE(Found(Found(hall.FindObject("lamp")).GetModel()).GetAnimation().IsPlaying());
  EXPECT_TRUE(Found(Found(hall.FindObject("lamp")).GetModel()).GetAnimation().IsLooping());
  // Objects the object commands name are the script's; "flashshow" names none.
  std::vector<std::string> script_objects;
  for (const LocationCharacter* object : hall.GetScriptObjects()) script_objects.push_back(object->GetName());
  EXPECT_EQ(script_objects, (std::vector<std::string>{"key", "lamp"}));
}

TEST_F(LocationLoadTest, CloseUpsGamesAndPhrasesAreMadeOnceEachAndOnlyForPlainNames) {
  AddLocation("hall", kHall, kHallScript);
  AddLocation("desk", {{"desk_back", "b", 100, 100, 600, 500}}, "desk {\n  onload\n}");
  Texts("hall").m_phrases["intro"] = Lines(2);
  Texts("hall").m_phrases["no_hint_text"] = Lines(1);
  Texts("hall").m_phrases["wrong_use3"] = Lines(1);
  Location& hall = Enter("hall");

  // Only "desk" is a close-up: "_pier" is a stage, "desk.drawer" another location's, and a
  // close-up of the location's own name would be built without end.
  ASSERT_EQ(hall.GetSubLocations().size(), 1u);
  Location* desk = &Found(hall.FindSubLocation("desk"));
  EXPECT_EQ(desk->GetParent(), &hall);
  EXPECT_EQ(Found(desk->GetWindow()).GetParent(), hall.GetWindow());
  EXPECT_EQ(Found(hall.GetWindow()).GetParent(), game_logic);
  EXPECT_TRUE(LogHas("hall cannot be a close-up of hall"));
  EXPECT_FALSE(desk->IsShown());
  EXPECT_TRUE(desk->IsLoaded());

  ASSERT_NE(hall.FindMiniGame("safe"), nullptr);
  EXPECT_EQ(hall.FindMiniGame("desk.safe"), nullptr);
  EXPECT_EQ(Found(hall.FindMiniGame("safe")).GetParent(), hall.GetWindow());
  EXPECT_FALSE(Found(hall.FindMiniGame("safe")).IsVisible());

  struct Case {
    const char* key;
    std::size_t pages;  // 0: no sequence
  };
  const Case cases[] = {{"intro", 2}, {"missing_key", 0}, {"service_no_hint", 1}, {"wrong_use3", 1},
                        {"wrong_use1", 0}, {"picture_hint", 0}};
  for (const Case& c : cases) {
    const PhraseSequence* sequence = hall.FindPhraseSequence(c.key);
    EXPECT_EQ(sequence == nullptr ? 0u : sequence->GetPhrases().size(), c.pages) << c.key;
  }
  EXPECT_TRUE(LogHas("hint missing_key not found"));
}

TEST_F(LocationLoadTest, AMissingSceneOrScriptLeavesAnEmptyLocationThatStillRuns) {
  tree.AddFile("levels/hall/hall.cnf", "\x05\x00\x00");  // damaged
  Location& hall = Enter("hall");
  EXPECT_TRUE(hall.GetObjects().empty());
  EXPECT_EQ(hall.GetRoot(), nullptr);
  for (int i = 0; i < 3; ++i) Click(hall, 10, 10);
  HintTarget target;
  EXPECT_FALSE(hall.FindHint(target));
  EXPECT_EQ(hall.GetStatus(), "wait");
}

}  // namespace
