// The script engine played through: a location of a few rectangles, a script per case, a fake
// clock and a fake mouse. Each row is one rule of how a script runs, or one way it used to fail.

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

// Where the objects of the hall are (GUI units) and a point where nothing is.
constexpr float kKey[] = {125, 125};
constexpr float kDoor[] = {325, 150};
constexpr float kLamp[] = {525, 125};
constexpr float kNothing[] = {900, 600};
constexpr float kLetter[] = {325, 325};
constexpr float kBesideDesk[] = {50, 700};

const std::vector<SceneObject> kHall = {
    {"hall_back", "b", 0, 0, 1024, 768},       {"key", "i", 100, 100, 50, 50},
    {"door", "i", 300, 100, 50, 100},          {"lamp", "i", 500, 100, 50, 50},
    {"lamp_light", "b", 480, 160, 90, 60},     {"theend", "i", 1000, 700, 10, 10},
};
const std::vector<SceneObject> kDesk = {
    {"desk_back", "b", 200, 200, 600, 400}, {"letter", "i", 300, 300, 50, 50}, {"drawer", "i", 500, 300, 80, 50},
    {"theend", "i", 750, 550, 10, 10}};

class ScriptEngineTest;

struct Scenario {
  const char* name;
  const char* hall;  // the hall's script
  const char* desk;  // its close-up's, or null
  std::function<void(ScriptEngineTest&, Location&)> play;
  std::function<void(ScriptEngineTest&, Location&)> check;
};

// The script of a hall whose objects come alive at once, with `rest` below.
std::string Hall(const std::string& rest) {
  return "hall {\n  onload {\n    enable key door lamp letter drawer theend\n  }\n" + rest + "\n}";
}

class ScriptEngineTest : public LocationTest, public ::testing::WithParamInterface<Scenario> {
 public:
  void SetUp() override {
    LocationTest::SetUp();
    LocationTexts& texts = Texts("hall");
    for (const char* key : {"intro", "locked", "wrong_use1", "wrong_use2", "wrong_use3", "wrong_use4", "wrong_use5"}) {
      texts.m_phrases[key] = Lines(1);
    }
    texts.m_locations["desk"].m_phrases["intro"] = Lines(1);
  }
  void Click(Location& location, const float* at) { LocationTest::Click(location, at[0], at[1]); }
};

MiniGame& Game(Location& location) {
  MiniGame* game = location.GetRunningMiniGame();
  if (game == nullptr) throw std::runtime_error("no game runs");
  return *game;
}

using Flights = std::vector<std::string>;

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

const Scenario kScenarios[] = {
    {"AClickRunsOnlyTheBranchOfTheObjectHit", "click {\n key: addinventory key\n door: addinventory handle\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Click(l, kKey); },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_EQ(t.services.flights, Flights{"key*1"});
       EXPECT_EQ(l.GetLastClickedObject(), "key");
       EXPECT_EQ(t.ClickSounds(), 0);
     }},
    {"AnObjectHiddenAfterGivingItsItemCannotBeClickedAgain", "click {\n key: addinventory key {\n flashhide key\n }\n}",
     nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kKey);
       t.Click(l, kKey);
     },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_EQ(t.services.flights, Flights{"key*1"});
       EXPECT_EQ(t.ClickSounds(), 1) << "the second click finds nothing";
     }},
    {"AClickOnNothingSaysSoOnceHoweverManyClickNodesSeeIt",
     "click key {\n door: addinventory a\n}\nclick {\n key: addinventory b\n}\nclick {\n door: addinventory c\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Click(l, kNothing); },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_EQ(t.ClickSounds(), 1);
       EXPECT_TRUE(t.services.flights.empty());
     }},
    {"APressALaterClickNodeTakesIsNoClickOnNothing", "click key {\n door: addinventory a\n}\nclick {\n key: addinventory b\n}",
     nullptr, [](ScriptEngineTest& t, Location& l) { t.Click(l, kKey); },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_EQ(t.ClickSounds(), 0);
       EXPECT_EQ(t.services.flights, Flights{"b*1"});
     }},
    {"AClickWithAnItemNeedsThatItemInHandInTheCountAsked", "click key*2 {\n door: addinventory opened\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.services.hand = "key";
       t.services.hand_value = 1;
       t.Click(l, kDoor);
       EXPECT_TRUE(t.services.flights.empty());
       t.Click(l, kDoor);  // the wrong-use phrase holds the mouse until its page is turned
       t.services.hand_value = 2;
       t.Click(l, kDoor);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_EQ(t.services.flights, Flights{"opened*1"});
       EXPECT_EQ(t.services.hand, "");
       EXPECT_EQ(l.GetLastClickedObject(), "door");
     }},
    {"AnItemUsedWhereNothingTakesItGetsAWrongUsePhrase", "click key {\n door: addinventory opened\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.services.hand = "key";
       t.Click(l, kLamp);
     },
     [](ScriptEngineTest& t, Location&) {
       PhraseSequence* shown = &Found(HintWindow::GetInstance()->GetSequence());
       EXPECT_EQ(shown->GetName(), "wait");
       EXPECT_EQ(t.services.hand, "key");
     }},
    {"AShowWaitsForItsFadeThenRunsItsBranch", "click {\n key: show lamp_light {\n  addinventory oil\n }\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       Found(l.FindObject("lamp_light")).SetShown(false);
       t.Click(l, kKey);
       t.Run(l, 0.6f);
       EXPECT_EQ(Found(l.GetCurrentNode()).type, "show");
       EXPECT_EQ(l.GetPendingValue(), "wait");
       EXPECT_TRUE(t.services.flights.empty());
       t.Run(l, 0.6f);
     },
     [](ScriptEngineTest& t, Location& l) {
       // A background piece fades like any object (it used to stay at alpha 0 and wait for ever).
       EXPECT_EQ(Found(l.FindObject("lamp_light")).GetKind(), LocationCharacter::kBack);
       EXPECT_EQ(Found(l.FindObject("lamp_light")).GetAlpha(), 1.0f);
       EXPECT_EQ(t.services.flights, Flights{"oil*1"});
       EXPECT_EQ(l.GetCurrentNode(), l.GetRoot());
     }},
    {"AGameWaitsForItsResultAndTakesThatBranch",
     "click {\n key: game safe {\n  win: addinventory prize\n  close: addinventory nothing\n }\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kKey);
       t.Run(l, 0.3f);
       EXPECT_EQ(Game(l).GetResult(), "wait");
       EXPECT_EQ(t.profile.FindCurrentLocationRecord(), nullptr);
       Game(l).Finish("win");
       t.Frame(l);
       EXPECT_FALSE(l.HasFocus());  // the frame the game ended in
       t.Frame(l);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_EQ(t.services.flights, Flights{"prize*1"});
       EXPECT_EQ(l.GetRunningMiniGame(), nullptr);
     }},
    {"AConditionWithoutChildrenLetsItsParentGoOn", "isvisible key\naddinventory coin", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Frame(l); },
     [](ScriptEngineTest& t, Location&) { EXPECT_EQ(t.services.flights, Flights{"coin*1"}); }},
    {"AConditionOnAMissingObjectSkipsIt", "isvisible ghost key {\n true: addinventory coin\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Frame(l); },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_FALSE(t.services.flights.empty());
       EXPECT_TRUE(t.LogHas("item ghost not found"));
     }},
    {"OnTheFirstVisitOnloadRunsOnceAndItsItemsStartAtTheirSlot", "onload {\n addinventory map\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Run(l, 0.2f); },
     [](ScriptEngineTest& t, Location&) { EXPECT_EQ(t.services.flights, Flights{"map*1@slot"}); }},
    {"AShowOfAMissingObjectIsLoggedAndItsWaitEnds", "click {\n key: show ghost {\n  addinventory w\n }\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kKey);
       t.Frame(l);
     },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_TRUE(t.LogHas("item ghost not found"));
       EXPECT_EQ(t.services.flights, Flights{"w*1"});
     }},
    {"MissingGamesPhrasesAndCloseUpsAreLoggedAndTheirBranchesGoOn",
     "click {\n key: hint nothing {\n  game parent.ghost {\n   showlocation parent.desk {\n    addinventory a\n   }\n  }\n }\n}",
     nullptr, [](ScriptEngineTest& t, Location& l) { t.Click(l, kKey); },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_EQ(t.services.flights, Flights{"a*1"});
       EXPECT_TRUE(t.LogHas("game not found"));
       EXPECT_TRUE(t.LogHas("hint not found"));
       EXPECT_TRUE(t.LogHas("parent location not found"));
     }},
    {"AStageNameIsNoCloseUpTheLocationEndsTowardsIt", "click {\n door: showlocation _pier {\n  endlocation\n }\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) { t.Click(l, kDoor); },
     [](ScriptEngineTest&, Location& l) {
       EXPECT_EQ(l.GetNextLocationName(), "pier");
       EXPECT_EQ(l.GetStatus(), "");
       EXPECT_FALSE(l.IsShown());
     }},
    {"AnEndWaitsWhileAnItemFlies", "click {\n key: endlocation\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.services.flying = true;
       t.Click(l, kKey);
       t.Run(l, 0.2f);
       EXPECT_EQ(l.GetStatus(), "wait");
       t.services.flying = false;
       t.Frame(l);
     },
     [](ScriptEngineTest&, Location& l) { EXPECT_EQ(l.GetStatus(), ""); }},
    {"AHelpHiddenByTheScriptIsSavedWithWhatTheStepGave", "click {\n key: hidehelp {\n  addinventory key\n }\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.services.help_shown = true;
       t.services.on_save = [&t] { EXPECT_EQ(t.services.flights.size(), 1u); };
       t.Click(l, kKey);
     },
     [](ScriptEngineTest& t, Location&) {
       EXPECT_EQ(t.services.saves, 1);
       EXPECT_EQ(t.services.help, std::vector<std::string>{"-"});
     }},
    {"ACloseUpWaitsOnTheGameOfItsParentItStarted",
     "click {\n door: showlocation desk\n}\nclick {\n lamp: game safe\n}",
     "desk {\n onload {\n  enable letter\n }\n click {\n  letter: game parent.safe {\n   win: addinventory compass\n  }\n }\n}",
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kDoor);
       t.Run(l, 0.2f);
       Location& desk = Found(l.FindSubLocation("desk"));
       t.Click(l, kLetter);
       t.Run(l, 0.5f);
       EXPECT_EQ(Found(desk.GetCurrentNode()).type, "game");
       EXPECT_TRUE(t.services.flights.empty());
       Game(desk).Finish("win");
       t.Run(l, 0.1f);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_EQ(t.services.flights, Flights{"compass*1"});
       EXPECT_TRUE(Found(l.FindMiniGame("safe")).IsSolved());
     }},
    {"ACloseUpRunsItsOnloadAtLoadAndAgainWhenFirstShown", "click {\n door: showlocation desk\n}",
     "desk {\n onload {\n  flashhide letter {\n   addinventory pen\n  }\n }\n}",
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_EQ(Found(Found(l.FindSubLocation("desk")).FindObject("letter")).GetState(), LocationCharacter::kHidden);
       EXPECT_TRUE(t.services.flights.empty());
       EXPECT_TRUE(t.LogHas("inncorrect node type: addinventory"));
       t.Click(l, kDoor);
       t.Run(l, 0.2f);
     },
     [](ScriptEngineTest& t, Location&) { EXPECT_EQ(t.services.flights, Flights{"pen*1@slot"}); }},
    {"AClickBesideAnOpenCloseUpClosesIt", "click {\n door: showlocation desk\n}", "desk {\n onload {\n  enable theend\n }\n}",
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kDoor);
       t.Frame(l);
       EXPECT_EQ(l.GetShownSubLocation(), l.FindSubLocation("desk"));
       t.Click(l, kLetter);  // inside: it stays
       EXPECT_TRUE(Found(l.FindSubLocation("desk")).IsShown());
       t.Click(l, kBesideDesk);
       t.Frame(l);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_FALSE(Found(l.FindSubLocation("desk")).IsShown());
       EXPECT_EQ(l.GetShownSubLocation(), nullptr);
       EXPECT_EQ(t.ClickSounds(), 1);
     }},
    {"ClosingACloseUpKeepsTheGoalsLeavingThePlaceClearsThem", "click {\n door: showlocation desk\n key: endlocation\n}",
     "desk {\n onload {\n  enable theend\n }\n}",
     [](ScriptEngineTest& t, Location& l) {
       t.profile.m_progress.m_diary_names = {"aim_find_chart"};
       t.Click(l, kDoor);
       t.Frame(l);
       t.Click(l, kBesideDesk);
       t.Frame(l);
       ASSERT_FALSE(Found(l.FindSubLocation("desk")).IsShown());
       EXPECT_EQ(t.profile.m_progress.m_diary_names, std::vector<std::string>{"aim_find_chart"});
       t.Click(l, kKey);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_FALSE(l.IsShown());
       EXPECT_TRUE(t.profile.m_progress.m_diary_names.empty());
     }},
    {"ACloseUpWithADisabledEndStaysOpen", "click {\n door: showlocation desk\n}", "desk {\n onload\n}",
     [](ScriptEngineTest& t, Location& l) {
       t.Click(l, kDoor);
       t.Frame(l);
       t.Click(l, kBesideDesk);
     },
     [](ScriptEngineTest& t, Location& l) {
       EXPECT_TRUE(Found(l.FindSubLocation("desk")).IsShown());
       EXPECT_EQ(t.ClickSounds(), 1);
     }},
    {"PageDownInCheatModeEndsTheLocation", "click {\n key: addinventory key\n}", nullptr,
     [](ScriptEngineTest& t, Location& l) {
       t.profile.m_cheat_mode = 1;
       LocationTest::Poll(t.input->m_states[cInput::kKeyboard], 0xD1, true);
       l.Update(0.02f);
     },
     [](ScriptEngineTest&, Location& l) { EXPECT_FALSE(l.IsShown()); }},
};

TEST_P(ScriptEngineTest, Plays) {
  const Scenario& scenario = GetParam();
  AddLocation("hall", kHall, Hall(scenario.hall));
  if (scenario.desk != nullptr) AddLocation("desk", kDesk, scenario.desk);
  Location& hall = Enter("hall");
  Frame(hall);  // the onload step
  scenario.play(*this, hall);
  scenario.check(*this, hall);
}

INSTANTIATE_TEST_SUITE_P(Rules, ScriptEngineTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
