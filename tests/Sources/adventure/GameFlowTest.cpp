// The in-game state played through small stages with a fake clock and scripted clicks, the game
// panel's hints and its search clock, and the reading of the stage list.

#include <filesystem>

#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/Inventory.h"
#include "source/render/RenderObject.h"
#include "Sources/adventure/StageList.h"
#include "Sources/shell/userdata/ProfileCodec.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/Sources/adventure/LocationTestSupport.h"
#include "tests/support/MemoryBytes.h"

namespace {

// The state the game returns to, and the one that holds the in-game state as its sub-state.
class CountingState : public cGameState {
 public:
  void Enter() override { ++entered; }
  void Leave() override {}
  int entered = 0;
};

const std::vector<SceneObject> kStageScene = {{"back", "b", 0, 120, 1024, 648}, {"key", "i", 100, 300, 60, 60}};
// A click on the key gives it and ends the stage.
std::string StageScript(const std::string& name) {
  return name + " {\n onload {\n enable key\n }\n click {\n key: addinventory key_" + name + " {\n endlocation\n }\n }\n}";
}

const char* kPageForm = "<form><window name=\"page\" shader=\"gui\\page\" size=\"1024 768 1\"/></form>";

class GameFlowTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    InstallLocationServices(nullptr);
    for (const char* name : {"game_panel", "hint_window"}) {
      GUIWindowManager::GetInstance()->RegisterWindow(name, new GUIWindow(user, name));
    }
    for (const char* stage : {"stage_1", "stage_2", "stage_3"}) AddLocation(stage, kStageScene, StageScript(stage), stage);
    tree.AddResourceList("gui/pages.resource", {{"comics\\one", "form", kPageForm},
                                                {"comics\\two", "form", kPageForm},
                                                {"gui\\credits\\credits", "form", kPageForm}});
    profile.m_stage.clear();
  }
  void TearDown() override {
    flow.reset();
    LocationTest::TearDown();
  }
  void Stages(const std::string& body) {
    tree.AddFile("levels/stage.xml", "<?xml version=\"1.0\"?>\n<stages>" + body + "</stages>\n");
  }
  // The in-game state made and entered, then three frames played.
  void Start() {
    if (!group) Mount();
    flow = std::make_unique<GameFlowController>(StateOwner(&root), &menu);
    root.ChangeSubState(flow.get());
    Steps(3);
  }
  void Step(float dt = 0.05f, bool left_down = false) {
    GuiFrame(dt, left_down);
    if (root.GetSubState() == flow.get()) flow->Update(dt);
  }
  void Press(float x, float y) {
    PointAt(x, y);
    Step();
    Step(0.05f, true);
    Step();
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) Step();
  }
  // A game of the one stage "stage_1", started and playing.
  void PlayStageOne() {
    Stages("<location name=\"stage_1\"/>");
    Start();
  }
  // Clicks on the key and lets the item land and the stage end.
  void TakeKey() {
    Press(130, 330);
    Steps(60);
  }
  // Clicks through whatever page is shown until the state plays again (or leaves).
  void ClickThroughPages() {
    for (int i = 0; i < 20 && root.GetSubState() == flow.get() && flow->GetSubState() == GameFlowController::kTransitions; ++i) {
      Steps(10);
      Press(512, 400);
      Steps(30);
    }
  }
  std::string StageName() const { return flow->GetLocation() != nullptr ? flow->GetLocation()->GetName() : "-"; }
  bool Holds(const std::string& item) const {
    for (const ItemCount& entry : profile.m_progress.m_items) {
      if (entry.m_name == item) return true;
    }
    return false;
  }

  CountingState root;
  CountingState menu;
  std::unique_ptr<GameFlowController> flow;
};

TEST_F(GameFlowTest, PlaysThroughThreeStagesWithTheirPagesToTheCreditsAndTheMenu) {
  Stages("<location name=\"stage_1\" stop=\"map_1_2\"/><location name=\"stage_skipped\" skip=\"true\"/>"
         "<location name=\"stage_2\" start=\"comics\\one\" stop=\"comics\\two\"/><location name=\"stage_3\"/>");
  Start();
  EXPECT_EQ(StageName(), "stage_1");
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay);  // no start pages: played at once
  EXPECT_EQ(profile.m_stage, "stage_1");
  TakeKey();
  EXPECT_TRUE(Holds("key_stage_1"));
  EXPECT_EQ(StageName(), "stage_2");  // the map travel is passed over; the skipped stage too
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kTransitions);
  ClickThroughPages();
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay);
  TakeKey();
  ClickThroughPages();
  EXPECT_EQ(StageName(), "stage_3");
  TakeKey();
  EXPECT_EQ(flow->GetLocation(), nullptr);  // the credits show without a location
  ClickThroughPages();
  EXPECT_EQ(menu.entered, 1);
  EXPECT_TRUE(Holds("key_stage_3"));
  EXPECT_TRUE(profile.m_stage.empty()) << "nothing is left to go on at";

  // Play after the credits begins a new journey for the same player.
  profile.m_cheat_mode = 1;
  root.ChangeSubState(flow.get());
  Steps(3);
  EXPECT_EQ(StageName(), "stage_1");
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay);
  EXPECT_FALSE(Holds("key_stage_3"));
  EXPECT_EQ(profile.m_cheat_mode, 1);
  TakeKey();
  EXPECT_TRUE(Holds("key_stage_1"));
}

// Progress is saved into the profile at each place the state saves, and a continued game starts
// at the stage saved, even when the player quit on the pages after a finished stage.
TEST_F(GameFlowTest, ResumesAtTheSavedStageAndKeepsAStageQuitOnItsClosingPages) {
  Stages("<location name=\"stage_1\" stop=\"comics\\one\"/><location name=\"stage_2\"/><location name=\"stage_3\"/>");
  Start();
  TakeKey();
  ASSERT_EQ(flow->GetSubState(), GameFlowController::kTransitions);  // quitting here
  root.ChangeSubState(&menu);
  EXPECT_EQ(profile.m_stage, "stage_2");
  EXPECT_TRUE(Holds("key_stage_1"));
  root.ChangeSubState(flow.get());
  Steps(3);
  EXPECT_EQ(StageName(), "stage_2");
  EXPECT_TRUE(Holds("key_stage_1"));  // a continued game is no new game
}

// A player's file in the user folder under the test's root, read back as the next start reads it.
class SavedGameFlowTest : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    profile.m_directory = LocationTest::root.Path();
    profile.m_name = u"Ann";
  }
  ProfileProgress OnDisk() const {
    PlayerProfile read;
    read.m_directory = profile.m_directory;
    read.m_name = profile.m_name;
    EXPECT_TRUE(read.Load());
    return read.m_progress;
  }
  // The game goes on from the file as a continued game does: the panel first, then the state.
  void GoOn() {
    flow.reset();
    ASSERT_TRUE(profile.Load());
    if (!group) Mount();
    GamePanel::GetInstance()->ReloadInventory();
    Start();
  }
  // A game saved in the lion's scene, the lion still hidden there.
  void SaveAtTheLion() {
    flow.reset();
    profile.Reset();
    Start();
    ASSERT_FALSE(LionShown());
    flow->SaveProgress();
    root.ChangeSubState(&menu);
  }
  bool LionShown() const {
    const LocationCharacter* lion = flow->GetLocation() != nullptr ? flow->GetLocation()->FindObject("lion") : nullptr;
    return lion != nullptr && lion->IsVisible() && lion->IsShown();
  }
};

// A saved game at a stage this game does not know (renamed by an update, or one damaged byte) is
// kept aside before the new game's saves replace it, and the player is told; so is a saved game
// that was damaged with no backup.
TEST_F(SavedGameFlowTest, ASavedGameThatCannotGoOnIsKeptAsideAndThePlayerTold) {
  Stages("<location name=\"stage_1\"/>");
  const std::string file = LocationTest::root.Path() + "/usersdata/profiles/65110110.prf";
  const struct {
    const char* what;
    std::string stage;
    std::string bytes;  // written over the file; empty: the profile is saved
    bool kept_aside;
    const char* said;
  } cases[] = {
      {"an unknown stage", "stage_renamed", "", true, "unknown stage \"stage_renamed\" (the file is kept aside)"},
      {"a damaged file without a backup", "", "FLPRF damaged", true, "damaged and had no backup"},
      {"a new player", "", "", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    flow.reset();
    std::filesystem::remove_all(LocationTest::root.Path() + "/usersdata");
    profile.Reset();
    profile.m_progress.m_hints = 5;
    profile.m_stage = c.stage;
    ASSERT_TRUE(profile.Save());
    const std::string saved = LocationTest::root.ReadFile("usersdata/profiles/65110110.prf");
    if (!c.bytes.empty()) {
      LocationTest::root.WriteFile("usersdata/profiles/65110110.prf", c.bytes);
      std::filesystem::remove(file + ".bak");
      profile.MakeCurrent();  // refused: a new profile is written in its place
    }
    Start();
    EXPECT_EQ(StageName(), "stage_1");
    EXPECT_EQ(profile.m_progress.m_hints, PlayerProfile::kStartHints) << "a new game";
    if (c.said != nullptr) {
      EXPECT_TRUE(LogHas(c.said)) << c.said;
    }
    EXPECT_EQ(std::filesystem::exists(file + ".bad"), c.kept_aside);
    if (c.kept_aside) {
      EXPECT_EQ(LocationTest::root.ReadFile("usersdata/profiles/65110110.prf.bad"), c.bytes.empty() ? saved : c.bytes);
    }
    root.ChangeSubState(&menu);
  }
}

// A saved game at a stage this game does not know, whose backup is at one it knows: the backup is
// played (its hints and stage), the unknown one is kept aside, and no save ever turns the kept
// file into the backup, whether or not the backup could be played.
TEST_F(SavedGameFlowTest, AnUnknownStageGivesWayToItsPlayableBackupWhichNoSaveReplacesByIt) {
  Stages("<location name=\"stage_1\"/><location name=\"stage_2\"/>");
  const std::string file = "usersdata/profiles/65110110.prf";
  const struct {
    const char* backup_stage;
    const char* played;
    int32_t hints;
    const char* said;
  } cases[] = {
      {"stage_2", "stage_2", 4, "unknown stage \"location_99\" (the file is kept aside); the save before it, at stage_2"},
      {"stage_gone", "stage_1", PlayerProfile::kStartHints, "unknown stage \"location_99\" (the file is kept aside); a new"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.backup_stage);
    flow.reset();
    std::filesystem::remove_all(LocationTest::root.Path() + "/usersdata");
    {
      PlayerProfile older;
      older.m_directory = profile.m_directory;
      older.m_name = profile.m_name;
      older.Reset();
      older.m_progress.m_hints = 4;
      older.m_stage = c.backup_stage;
      ASSERT_TRUE(older.Save());
      older.m_progress.m_hints = 3;
      older.m_stage = "location_99";
      ASSERT_TRUE(older.Save());  // the save before is now the backup
    }
    const std::string unknown = LocationTest::root.ReadFile(file);
    profile.MakeCurrent();
    ASSERT_EQ(profile.m_stage, "location_99");
    Start();
    EXPECT_EQ(StageName(), c.played);
    EXPECT_EQ(profile.m_progress.m_hints, c.hints);
    EXPECT_TRUE(LogHas(c.said)) << c.said;
    root.ChangeSubState(&menu);
    root.ChangeSubState(flow.get());
    Steps(3);
    root.ChangeSubState(&menu);  // a few saves more
    EXPECT_EQ(LocationTest::root.ReadFile(file + ".bad"), unknown);
    const std::string kept = LocationTest::root.ReadFile(file + ".bak");
    EXPECT_NE(kept, unknown) << "the kept-aside file became the backup";
    PlayerProfile reread;
    cMemoryStream bytes = StreamOf(kept);
    ASSERT_TRUE(reread.ReadContent(bytes));
    EXPECT_NE(reread.m_stage, "location_99");
  }
}

// Between two stages the map shows the way: as a page of the stage's own ("map_1_2"), and on the
// panel's big map once the player owns it. Each waits for the route and a press, then the game
// goes on at the next stage.
class MapTravelFlowTest : public GameFlowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MapTravelFlowTest, TheMapShowsTheWayBetweenStagesUntilAPress) {
  const bool owned = GetParam();
  std::string form = "<form>";
  for (int i = 1; i <= 4; ++i) form += "<window name=\"path_" + std::to_string(i) + "\" from=\"1\" to=\"2\"/>";
  tree.AddResourceList("gui/map.resource", {{"gui\\map\\map", "form", form + "</form>"}});
  Stages(owned ? "<location name=\"stage_1\"/><location name=\"stage_2\"/>"
               : "<location name=\"stage_1\" stop=\"map_1_2\"/><location name=\"stage_2\"/>");
  Start();
  profile.m_progress.m_has_map = owned ? 1 : 0;  // a new game starts without it
  TakeKey();
  const int waiting = owned ? GameFlowController::kMapTravel : GameFlowController::kTransitions;
  EXPECT_EQ(flow->GetSubState(), waiting);
  Steps(40);
  EXPECT_EQ(flow->GetSubState(), waiting) << "the route is shown, a press is awaited";
  Press(512, 400);
  Steps(10);
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay);
  EXPECT_EQ(StageName(), "stage_2");
  EXPECT_FALSE(GamePanel::GetInstance()->IsAnyBookOpen());
}
INSTANTIATE_TEST_SUITE_P(PageAndBigMap, MapTravelFlowTest, ::testing::Bool());

TEST_F(GameFlowTest, AMissingOrEmptyStageListTellsThePlayerAndGoesBackToTheMenu) {
  for (const std::string body : {"", "<place name=\"stage_1\"/>"}) {
    if (!body.empty()) Stages(body);
    Start();
    EXPECT_NE(root.GetSubState(), flow.get()) << body;
    EXPECT_TRUE(LogHas("names no location")) << body;
    root.ChangeSubState(nullptr);
    flow.reset();
    group.reset();
  }
}

// A hint costs a charge unless cheat mode is on and at most one is left; with nothing to point at
// it costs nothing, and a second hint while the first one's effect runs does nothing.
TEST_F(GameFlowTest, AHintCostsAChargeButTheCheatKeepsTheLast) {
  struct Case {
    const char* name;
    int hints;
    bool cheat;
    int left;
    bool icon_shown;
  } const cases[] = {
      {"plain", 3, false, 2, false},
      {"plain, the last", 1, false, 0, false},
      {"cheat with two", 2, true, 1, false},
      {"cheat with the last", 1, true, 1, true},
  };
  PlayStageOne();
  GamePanel* panel = GamePanel::GetInstance();
  for (const Case& c : cases) {
    profile.m_progress.m_hints = c.hints;
    profile.m_cheat_mode = c.cheat ? 1 : 0;
    GUIWindow icon(user, "icon");
    icon.Show(true);
    Steps(50);  // any earlier effect has died out
    panel->UseHint(reinterpret_cast<DelegateArg>(&icon));
    EXPECT_EQ(profile.m_progress.m_hints, c.left) << c.name;
    EXPECT_EQ(icon.IsShown(), c.icon_shown) << c.name;
    panel->UseHint(reinterpret_cast<DelegateArg>(&icon));
    EXPECT_EQ(profile.m_progress.m_hints, c.left) << c.name << ": a second hint at once";
  }
}

TEST(SearchClockTest, TimerTextReadsMinutesAndSecondsOfTwoDigits) {
  struct Case {
    float countdown;
    const char* minutes;
    const char* seconds;
  } const cases[] = {{65.5f, "01", "05"}, {600.0f, "10", "00"}, {59.99f, "00", "59"}, {0.0f, "00", "00"},
                     {-3.0f, "00", "00"}};
  for (const Case& c : cases) {
    const auto text = GamePanel::FormatSearchTimer(c.countdown);
    EXPECT_EQ(text[0], c.minutes) << c.countdown;
    EXPECT_EQ(text[1], c.seconds) << c.countdown;
  }
}

// Three misses give 3 seconds of penalty, during which the countdown loses 11 seconds a second;
// after it the countdown runs at its own speed again.
TEST_F(GameFlowTest, APenaltyRunsTheSearchClockElevenTimesFasterForThreeSeconds) {
  Stages("<location name=\"stage_1\"/>");
  tree.AddFile("game_data/ispy.xml", "<ispy><time 2hints=\"400\" 1hints=\"200\"/></ispy>");
  Start();
  GamePanel* panel = GamePanel::GetInstance();
  panel->StartSearchCountdown();
  EXPECT_FLOAT_EQ(panel->GetCountdown(), 600.0f);
  EXPECT_FLOAT_EQ(panel->GetReducedRewardTime(), 200.0f);
  panel->OnReduceTimer();
  for (int i = 0; i < 30; ++i) panel->StepSearchTimers(0.1f);
  EXPECT_NEAR(panel->GetCountdown(), 600.0f - 33.0f, 0.05f);
  for (int i = 0; i < 10; ++i) panel->StepSearchTimers(0.1f);
  EXPECT_NEAR(panel->GetCountdown(), 600.0f - 34.0f, 0.05f);
  panel->OnReduceTimer();  // a spent penalty starts again from 0
  EXPECT_FLOAT_EQ(panel->GetPenaltyTime(), 3.0f);
}

TEST(StageListTest, ReadsStagesEntriesAndIndices) {
  XmlDocument document;
  const std::string text =
      "<stages><location name=\"location_1\" start=\"a\" start=\"b\" stop=\"map_1_2\" music=\"m\" other=\"x\"/>"
      "<note/><location name=\"location_12\" skip=\"1\"/><location name=\"x\" skip=\"yes\"/></stages>";
  cMemoryStream bytes = StreamOf(text);
  ASSERT_TRUE(document.Load(bytes));
  const std::vector<StageRecord> stages = ReadStageList(document.GetRoot());
  ASSERT_EQ(stages.size(), 3u);
  EXPECT_EQ(stages[0].start_windows, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(stages[0].stop_windows, (std::vector<std::string>{"map_1_2"}));
  EXPECT_EQ(stages[0].music, "m");
  EXPECT_EQ(std::vector<bool>({stages[0].skip, stages[1].skip, stages[2].skip}), std::vector<bool>({false, true, false}));
  struct Entry {
    const char* text;
    int from, to;
  } const entries[] = {{"map_3_4", 3, 4}, {"map_12_1", 12, 1}, {"map_", 0, 0}, {"map_7", 7, 0}, {"map_a_b", 0, 0}};
  for (const Entry& e : entries) {
    int from = -5, to = -5;
    ParseMapTravelEntry(e.text, from, to);
    EXPECT_EQ(from, e.from) << e.text;
    EXPECT_EQ(to, e.to) << e.text;
  }
  EXPECT_EQ(StageIndexOf("location_1"), 0);
  EXPECT_EQ(StageIndexOf("location_15"), 14);
  EXPECT_EQ(StageIndexOf("nowhere"), -1);
  EXPECT_EQ(StageIndexOf("a_b_3"), 2);
}

// Script commands on a panel whose form lacks every window: nothing breaks, each missing window is
// logged once, and what the profile keeps still changes as the command says.
TEST_F(GameFlowTest, PanelCommandsWorkWithoutThePanelsWindows) {
  struct Case {
    const char* word;
    const char* source;
    uint8_t ProfileProgress::*flag;
    uint8_t flag_before, flag_after;
    bool flies;
    const char* log;
  } const cases[] = {
      {"remove_lion_amulet", "", &ProfileProgress::m_has_lion_amulet, 1, 0, false, "the location has no lion"},
      {"remove_locket_half", "", &ProfileProgress::m_has_locket_half, 1, 0, false, nullptr},
      {"add_map", "chest", &ProfileProgress::m_has_map, 0, 1, true, nullptr},
      {"add_locket", "chest", &ProfileProgress::m_has_locket, 0, 1, true, nullptr},
      {"add_lion_amulet", "chest", &ProfileProgress::m_has_lion_amulet, 0, 1, true, nullptr},
      {"picture_3", "chest", nullptr, 0, 0, false, nullptr},
      {"page_of_notes", "", nullptr, 0, 0, false, nullptr},
  };
  PlayStageOne();
  GamePanel* panel = GamePanel::GetInstance();
  for (const Case& c : cases) {
    if (c.flag != nullptr) profile.m_progress.*c.flag = c.flag_before;
    panel->ExecuteCommand(c.word, c.source, Vector3(500, 400, 0));
    EXPECT_EQ(panel->IsItemFlying(), c.flies) << c.word;
    Steps(40);  // the flight lands and its trail dies out
    EXPECT_FALSE(panel->IsItemFlying()) << c.word;
    if (c.flag != nullptr) {
      EXPECT_EQ(profile.m_progress.*c.flag, c.flag_after) << c.word;
    }
    if (c.log != nullptr) {
      EXPECT_TRUE(LogHas(c.log)) << c.word;
    }
  }
  // Without the diary's windows its commands still reach the profile: a picture of no pieces is whole.
  EXPECT_EQ(profile.m_progress.m_diary_pictures, std::vector<int32_t>{3});
  EXPECT_TRUE(panel->IsPictureCard("picture_3"));
  const std::string log = LogText();
  const std::string missing = "the panel has no window amulet";
  EXPECT_EQ(log.find(missing), log.rfind(missing));
}

TEST_F(GameFlowTest, AHintChargeCountsOnLandingUpToFive) {
  PlayStageOne();
  for (int held : {0, 4, 5}) {
    profile.m_progress.m_hints = held;
    GamePanel::GetInstance()->ExecuteCommand("add_hint", "chest", Vector3(500, 400, 0));
    EXPECT_EQ(profile.m_progress.m_hints, held) << held;
    Steps(40);
    EXPECT_EQ(profile.m_progress.m_hints, held < 5 ? held + 1 : 5) << held;
  }
}

// The panel's exit button leaves a mini-game only while a game has put it out.
TEST_F(GameFlowTest, AHiddenExitButtonTakesNoPress) {
  tree.AddResourceList("gui/panel.resource",
                       {{"gui\\game_panel\\game_panel", "form",
                         "<form><button name=\"exit_from_get_hint\" shader=\"gui\\page\" size=\"100 40 1\""
                         " matrix=\"1 0 0 0 1 0 0 0 1 400 600 0\"/></form>"}});
  PlayStageOne();
  GamePanel* panel = GamePanel::GetInstance();
  panel->ShowPanel(true);
  for (const bool shown : {false, true}) {
    panel->SetButtonMode("exit", shown, DelegatePtr(), 0);
    Steps(2);
    GUIWindow* button = panel->Child("exit_from_get_hint");
    ASSERT_TRUE(button != nullptr && button->GetVisual().GetModel() != nullptr);
    const cBoundingBox& box = Found(button->GetVisual().GetModel()).GetBoundingBox();
    const Vector2 on_button((box.m_world_min.x + box.m_world_max.x) / 2, (box.m_world_min.y + box.m_world_max.y) / 2);
    PointAt(on_button.x, on_button.y);
    Steps(2);
    Step(0.05f, true);
    EXPECT_EQ(panel->HandleExitButtonMouse(on_button, true), shown) << (shown ? "shown" : "hidden");
    Step();
  }
}

const std::vector<SceneObject> kHallWithDesk = {{"back", "b", 0, 120, 1024, 648}, {"door", "i", 300, 150, 50, 100}};
const std::vector<SceneObject> kDeskScene = {{"desk_back", "b", 200, 200, 600, 400}, {"letter", "i", 300, 300, 50, 50}};

// A phrase spoken inside a close-up turns its pages with the player's clicks under the in-game
// state, as the hall's own phrase does; the speech window then lets the mouse go.
struct PhraseCase {
  const char* name;
  const char* hall;
  const char* desk;
  bool open_desk;
};

void PrintTo(const PhraseCase& c, std::ostream* out) { *out << c.name; }

const PhraseCase kPhraseCases[] = {
    {"TheHallsPhrase", "stage_1 {\n onload {\n enable door\n }\n click {\n door: hint note\n }\n}", "desk", false},
    {"TheCloseUpsPhrase", "stage_1 {\n onload {\n enable door\n }\n click {\n door: showlocation desk\n }\n}",
     "desk {\n onload {\n enable letter\n }\n click {\n letter: hint note\n }\n}", true},
};

class PhraseFlowTest : public GameFlowTest, public ::testing::WithParamInterface<PhraseCase> {};

TEST_P(PhraseFlowTest, TurnsItsPagesAndEnds) {
  const PhraseCase& c = GetParam();
  AddLocation("stage_1", kHallWithDesk, c.hall, "stage_1");
  AddLocation("desk", kDeskScene, c.desk, "stage_1");
  Texts("stage_1").m_phrases["note"] = Lines(2);
  Texts("stage_1").m_locations["desk"].m_phrases["note"] = Lines(2);
  PlayStageOne();
  Press(325, 200);
  Steps(3);
  if (c.open_desk) {
    ASSERT_NE(Found(flow->GetLocation()).GetShownSubLocation(), nullptr);
    Press(325, 325);
    Steps(3);
  }
  ASSERT_NE(HintWindow::GetInstance()->GetSequence(), nullptr);
  for (int page = 0; page < 2; ++page) {
    Press(900, 700);
    Steps(3);
  }
  EXPECT_EQ(HintWindow::GetInstance()->GetSequence(), nullptr) << "both pages turned";
}

INSTANTIATE_TEST_SUITE_P(Phrases, PhraseFlowTest, ::testing::ValuesIn(kPhraseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A continued game rebuilds the inventory before the panel was ever shown: once play starts each
// item stands in its own slot, not all of them at the origin over one another.
TEST_F(GameFlowTest, AContinuedGameShowsEachItemInItsOwnSlot) {
  std::string slots = "<form>";
  for (int i = 0; i < PanelInventory::kSlots; ++i) {
    slots += "<window name=\"inventory_" + std::to_string(i) + "\" shader=\"gui\\page\" size=\"50 50 1\" matrix=\"1 0 0 0 1 0 0 0 1 " +
             std::to_string(200 + 60 * i) + " 700 0\"/>";
  }
  tree.AddResourceList("gui/panel.resource", {{"gui\\game_panel\\game_panel", "form", slots + "<window name=\"inventory\"/></form>"}});
  AddInventoryScene({"key", "pearl", "coin"});
  Stages("<location name=\"stage_1\"/>");
  profile.m_stage = "stage_1";
  profile.m_progress.m_items = {{"key", 1}, {"pearl", 2}, {"coin", 1}};
  Mount();
  GamePanel* panel = GamePanel::GetInstance();
  panel->ReloadInventory();  // as a continued game does, before the in-game state starts
  Start();
  const auto& entries = panel->GetInventory().GetEntries();
  ASSERT_EQ(entries.size(), 3u);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Matrix4& world = entries[i]->m_model->GetWorldMatrix();
    EXPECT_FLOAT_EQ(world[12], 200.0f + 60.0f * static_cast<float>(i)) << entries[i]->m_name;
    EXPECT_FLOAT_EQ(world[13], 700.0f) << entries[i]->m_name;
    EXPECT_TRUE(entries[i]->m_model->IsVisible()) << entries[i]->m_name;
  }
}

const std::vector<SceneObject> kLionScene = {{"back", "b", 0, 120, 1024, 648}, {"lion", "i", 600, 300, 60, 60}};
const char* kLionScript = "stage_1 {\n onload {\n flashhide lion\n }\n}";

// What was in the air when the game was saved lands when it goes on: a diary page and a scene
// item named where the file keeps them, and in the older files that named them with the item.
TEST_F(SavedGameFlowTest, ItemsStillFlyingInASaveLandWhenTheGameGoesOn) {
  AddLocation("stage_1", kLionScene, kLionScript, "stage_1");
  Stages("<location name=\"stage_1\"/>");
  struct Case {
    const char* name;
    FlyingItemRecord record;
    std::vector<int32_t> pictures;
    bool lion;
  } const cases[] = {
      {"a diary page", {"card2", 1, "picture_3", GamePanel::kLandDiaryPage}, {3}, false},
      {"a diary page of an older save", {"picture_4", 1, "", GamePanel::kLandDiaryPage}, {4}, false},
      {"a scene item", {"amulet", 1, "lion", GamePanel::kLandLocationItem}, {}, true},
      {"a scene item of an older save", {"lion", 1, "", GamePanel::kLandLocationItem}, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SaveAtTheLion();
    profile.m_progress.m_flying_items = {c.record};
    ASSERT_TRUE(profile.Save());
    GoOn();
    ASSERT_EQ(StageName(), "stage_1");
    EXPECT_EQ(profile.m_progress.m_diary_pictures, c.pictures);
    EXPECT_EQ(LionShown(), c.lion);
    EXPECT_TRUE(OnDisk().m_flying_items.empty()) << "delivered once";
    root.ChangeSubState(&menu);
  }
}

// The amulet flying to the scene's lion is saved with the lion's name where the file keeps it,
// and a game closed during the flight shows the lion when it goes on.
TEST_F(SavedGameFlowTest, ASavedFlightToTheSceneKeepsItsTargetsName) {
  AddLocation("stage_1", kLionScene, kLionScript, "stage_1");
  Stages("<location name=\"stage_1\"/>");
  SaveAtTheLion();
  GoOn();
  ASSERT_FALSE(LionShown());
  GamePanel::GetInstance()->ExecuteCommand("remove_lion_amulet", "", Vector3(500, 400, 0));
  ASSERT_TRUE(GamePanel::GetInstance()->IsItemFlying());
  flow->SaveProgress();
  const std::vector<FlyingItemRecord> saved = OnDisk().m_flying_items;
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].m_kind, static_cast<uint32_t>(GamePanel::kLandLocationItem));
  EXPECT_EQ(saved[0].m_target, "lion");
  root.ChangeSubState(&menu);  // closed in flight
  GoOn();
  EXPECT_TRUE(LionShown());
}

// A help pointer a script shows and a hint the player spends are in the file at once: a game
// killed right after keeps the pointer and does not give the hint back.
TEST_F(SavedGameFlowTest, APointerShownAndAHintSpentAreSavedAtOnce) {
  tree.AddResourceList("gui/panel.resource",
                       {{"gui\\game_panel\\game_panel", "form",
                         "<form><button name=\"hero\" shader=\"gui\\page\" size=\"60 60 1\""
                         " matrix=\"1 0 0 0 1 0 0 0 1 20 20 0\"/></form>"}});
  AddLocation("stage_help", kStageScene, "stage_help {\n onload {\n enable key\n }\n click {\n key: showhelp tip_hero\n }\n}",
              "stage_help");
  Stages("<location name=\"stage_help\"/><location name=\"stage_1\"/>");
  Start();
  ASSERT_EQ(StageName(), "stage_help");
  EXPECT_EQ(OnDisk().m_pending_message, "");
  Press(130, 330);
  ASSERT_TRUE(GamePanel::GetInstance()->IsHelpShown());
  EXPECT_EQ(OnDisk().m_pending_message, "tip_hero");

  // The key of the next stage is a thing to point a hint at.
  root.ChangeSubState(&menu);
  flow.reset();
  profile.m_stage = "stage_1";
  Start();
  ASSERT_EQ(StageName(), "stage_1");
  profile.m_progress.m_hints = 4;
  flow->SaveProgress();
  GUIWindow icon(user, "icon");
  icon.Show(true);
  GamePanel::GetInstance()->UseHint(reinterpret_cast<DelegateArg>(&icon));
  ASSERT_EQ(profile.m_progress.m_hints, 3);
  EXPECT_EQ(OnDisk().m_hints, 3);
}

}  // namespace
