// The search for hint charges played through the in-game state, the panel, the small map and the
// search scenes, with a fake clock, seeded draws and clicks on the scenes' objects.

#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "gui/include/GUILayer.h"
#include "gui/include/GUISystem.h"
#include "source/math/Rand.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

class RootState : public cGameState {
 public:
  void Enter() override {}
  void Leave() override {}
};

const std::vector<SceneObject> kStage = {{"back", "b", 0, 120, 1024, 648}};

// A scene of `count` objects in a row (60 x 60, GUI units, y upward) over a backdrop.
std::string SceneForm(int count) {
  std::string form = "<form><window name=\"background\" shader=\"s\" size=\"1024 688 1\" matrix=\"1 0 0 0 1 0 0 0 1 0 80 0\"/>";
  for (int i = 0; i < count; ++i) {
    form += "<window name=\"thing_" + std::to_string(i) + "\" item=\"true\" shader=\"s\" size=\"60 60 1\" matrix=\"1 0 0 0 1 0 0 0 1 " +
            std::to_string(40 + 95 * i) + " 400 0\"/>";
  }
  return form + "<window name=\"lamp\" shader=\"s\" size=\"60 60 1\" matrix=\"1 0 0 0 1 0 0 0 1 500 600 0\"/></form>";
}

std::string PanelForm() {
  std::string form = "<form><window name=\"game_panel\" shader=\"s\" size=\"1024 80 1\"/>";
  for (int i = 0; i < 8; ++i) form += "<static name=\"get_hint_item_0" + std::to_string(i) + "\"/>";
  for (int i = 0; i < 5; ++i) {
    form += "<button name=\"hint_" + std::to_string(i) + "\" shader=\"s\" size=\"30 30 1\"/><window name=\"hint_stroke_" +
            std::to_string(i) + "\" shader=\"s\" size=\"30 30 1\"/>";
  }
  for (const char* name : {"get_hint", "map_true", "get_hint_exit_true", "exit_from_get_hint", "hero"}) {
    form += std::string("<button name=\"") + name + "\" shader=\"s\" size=\"40 40 1\" matrix=\"1 0 0 0 1 0 0 0 1 900 10 0\"/>";
  }
  // The miss mark is a picture with no animation of its own.
  form += "<window name=\"get_hint_error\" shader=\"s\" size=\"90 16 1\"/>";
  for (const char* name : {"left_true", "center_true", "right_true", "timer_cap", "get_hint_exit_true_text"}) {
    form += std::string("<static name=\"") + name + "\"/>";
  }
  return form + "</form>";
}

class GetHintSearchTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    InstallLocationServices(nullptr);
    for (const char* name : {"game_panel", "hint_window"}) {
      GUIWindowManager::GetInstance()->RegisterWindow(name, new GUIWindow(user, name));
    }
    AddLocation("stage_1", kStage, "stage_1 {\n}", "stage_1");
    AddLocation("garden", kStage, "garden {\n}", "garden");  // a place whose name holds no number
    tree.AddFile("levels/stage.xml", "<stages><location name=\"stage_1\"/><location name=\"garden\"/></stages>");
    tree.AddFile("game_data/ispy.xml", "<ispy><time 2hints=\"300\" 1hints=\"300\"/></ispy>");
    std::vector<FixtureTree::Listed> forms = {{GamePanel::kFormName, "form", PanelForm()},
                                              {"gui\\map\\map_small", "form", "<form/>"},
                                              {"get_hint\\small", "form", SceneForm(3)},
                                              {"gui\\windows\\yes_no_small_window", "form",
                                               "<form><button name=\"yes\"/><button name=\"no\"/></form>"}};
    for (int variant = 1; variant <= 3; ++variant) {
      forms.push_back({"get_hint\\location_1\\location_1_" + std::to_string(variant), "form", SceneForm(10)});
    }
    tree.AddResourceList("gui/search.resource", forms);
    profile.m_stage.clear();
    profile.m_progress.m_hints = 1;
    g_rand_state = 7;
    Mount();
    Play();
    panel = GamePanel::GetInstance();
  }
  // The in-game state made anew and playing, with one hint charge held.
  void Play() {
    flow = std::make_unique<GameFlowController>(StateOwner(&root_state), &root_state);
    root_state.ChangeSubState(flow.get());
    for (int i = 0; i < 20 && flow->GetSubState() != GameFlowController::kPlay; ++i) Step();
    profile.m_progress.m_hints = 1;
    profile.m_progress.m_tips.fill(0);  // a new game's first-time tips would take the first clicks
  }
  void TearDown() override {
    flow.reset();
    LocationTest::TearDown();
  }
  void Step(float dt = 0.05f, bool left_down = false) {
    GuiFrame(dt, left_down);
    RenderManager::GetInstance()->RenderFrame();
    if (root_state.GetSubState() == flow.get()) flow->Update(dt);
  }
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.05f) Step();
  }
  // The search starts and the player picks the first place the map offers; the scene sweeps in.
  GetHintGame* Begin() {
    panel->OnGetHintClick();
    GameMap* map = panel->GetSmallMap();
    if (!panel->IsSearchRunning() || map == nullptr || map->GetOfferedSearches().empty()) return nullptr;
    GetHintGame* scene = map->GetOfferedSearches().begin()->second;
    panel->CloseSearch(scene);
    map->HideNow();
    Run(2.5f);
    return scene;
  }
  // A press and its release at a point of the GUI screen.
  void ClickAt(const Vector2& point) {
    PointAt(point.x, point.y);
    Step(0.02f, true);
    Step(0.02f);
  }
  static Vector2 CentreOf(const GUIWindow* window) {
    const Vector3& centre = Found(window->GetVisual().GetModel()).GetBoundingBox().m_centre;
    return Vector2(centre.x, centre.y);
  }
  // Where each layer comes in the GUI's draw walk (later layers are drawn on top).
  static void DrawWalk(const GUILayer& layer, std::vector<const GUILayer*>& walk) {
    walk.push_back(&layer);
    for (const GUILayer* child : layer.GetChildren()) DrawWalk(*child, walk);
  }
  // Whether `over` is drawn after `under` and after everything within it.
  static bool DrawnOver(GUIWindow* over, GUIWindow* under) {
    std::vector<const GUILayer*> walk;
    DrawWalk(GUISystem::PeekInstance()->GetRoot()->GetLayer(), walk);
    std::vector<const GUILayer*> below;
    DrawWalk(under->GetLayer(), below);
    const auto at = [&walk](const GUILayer* layer) { return std::find(walk.begin(), walk.end(), layer) - walk.begin(); };
    return at(&over->GetLayer()) > at(below.back()) && at(below.back()) < std::ssize(walk);
  }
  static size_t CountWindows(const GUIWindow* window) {
    size_t count = 1;
    for (const GUIWindow* child : window->GetChildren()) count += CountWindows(child);
    return count;
  }

  RootState root_state;
  std::unique_ptr<GameFlowController> flow;
  GamePanel* panel = nullptr;
};

TEST(GetHintGameTextTest, TheListIsNamedInTheSectionOfTheScenesLocation) {
  struct Case {
    const char* scene;
    const char* section;
  } const cases[] = {{"get_hint\\location_1\\location_1_3", "get_hint"}, {"get_hint\\location_5\\location_5_2", "get_hint_5"},
                     {"get_hint\\location_12\\location_12_1", "get_hint_12"}, {"plain", "get_hint"},
                     {"room_2", "get_hint"}, {"", "get_hint"}, {"_", "get_hint"}};
  for (const Case& c : cases) EXPECT_EQ(GetHintGame::TextSectionOf(c.scene), c.section) << c.scene;
}

TEST_F(GetHintSearchTest, FindingEveryObjectPaysTheRewardOnceAndEndsTheSearch) {
  ASSERT_EQ(flow->GetSubState(), GameFlowController::kPlay);
  GetHintGame* scene = &Found(Begin());
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kHintSearch);
  ASSERT_EQ(scene->GetPhase(), GetHintGame::kSearching);
  ASSERT_EQ(scene->GetTargetCount(), 8u);
  EXPECT_EQ(panel->GetItemsToFind(), 13);
  for (size_t i = 0; i < scene->GetTargetCount(); ++i) {
    ClickAt(CentreOf(scene->GetTarget(i)));
    EXPECT_TRUE(scene->IsFound(i)) << i;
    Run(0.3f);  // no burst of clicks
  }
  EXPECT_EQ(panel->GetItemsToFind(), 5);
  EXPECT_EQ(panel->GetPenaltyTime() > 0.0f, false);
  Run(4.0f);  // the finds fade, the scene sweeps out, the map pays and the search ends
  EXPECT_FALSE(panel->IsSearchRunning());
  EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay);
  EXPECT_EQ(profile.m_progress.m_hints, 3);  // two while the full reward still stood
  Run(1.0f);
  EXPECT_EQ(profile.m_progress.m_hints, 3);
  EXPECT_EQ(panel->CountSearchWindows(), 0u);
}

// Misses within a second of each other build a burst; the third of a burst costs 3 s of penalty,
// a pause of more than a second starts a new burst, and a found object counts as a miss afterwards.
TEST_F(GetHintSearchTest, ABurstOfThreeMissesCostsTime) {
  struct Case {
    const char* name;
    std::vector<float> pauses;  // before each click after the first
    bool on_found = false;      // every click on the first object (found by the first click)
    bool penalised;
  } const cases[] = {{"three quick misses", {0.2f, 0.2f}, false, true},
                     {"a pause breaks the burst", {0.2f, 1.5f}, false, false},
                     {"two misses are no burst", {0.2f}, false, false},
                     {"a found object is a miss", {0.2f, 0.2f, 0.2f}, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GetHintGame* scene = &Found(Begin());
    const Vector2 beside(990.0f, 700.0f);
    const Vector2 at = c.on_found ? CentreOf(scene->GetTarget(0)) : beside;
    ClickAt(at);
    for (float pause : c.pauses) {
      Run(pause);
      ClickAt(at);
    }
    EXPECT_EQ(panel->GetPenaltyTime() > 0.0f, c.penalised);
    EXPECT_EQ(scene->GetFinds(), c.on_found ? 1 : 0);
    Run(0.2f);
    EXPECT_FALSE(Found(panel->Child("get_hint_error")).IsVisible()) << "the miss mark does not stay";
    panel->OnSearchExit(0);  // ends the search (as the scene does when the time is over)
    Run(0.2f);
    ASSERT_FALSE(panel->IsSearchRunning());
  }
}

// The exit button asks first; only "yes" ends the search, and every scene made goes with it.
TEST_F(GetHintSearchTest, TenSearchesLeftByTheExitButtonLeaveNoWindowBehind) {
  const size_t before = CountWindows(panel->GetFormWindow());
  GUIWindow* exit_button = panel->Child("get_hint_exit_true");
  for (int i = 0; i < 10; ++i) {
    ASSERT_NE(Begin(), nullptr) << i;
    panel->OnSearchExit(reinterpret_cast<DelegateArg>(exit_button));
    ASSERT_TRUE(panel->IsSearchRunning()) << "the question is asked first";
    ASSERT_NE(GetYesNoBox(), nullptr);
    Found(GetYesNoBox()).OnYes(reinterpret_cast<DelegateArg>(GetYesNoBox()->FindChild("yes")));
    EXPECT_FALSE(panel->IsSearchRunning()) << i;
    Run(0.2f);
    EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay) << i;
  }
  EXPECT_EQ(CountWindows(panel->GetFormWindow()), before);
  EXPECT_EQ(panel->CountSearchWindows(), 0u);
}

// Going back to the menu in the middle of a search ends it: the next game is not left searching.
TEST_F(GetHintSearchTest, ASearchLeftForTheMenuEndsThere) {
  ASSERT_NE(Begin(), nullptr);
  flow->Leave();
  EXPECT_FALSE(panel->IsSearchRunning());
  EXPECT_FALSE(panel->IsBusy());
  panel->SetGameRunning(true);
  panel->Update();
  EXPECT_EQ(panel->CountSearchWindows(), 0u);
}

TEST_F(GetHintSearchTest, WhenTheTimeRunsOutTheSceneClosesWithoutPayingAndTheSearchEnds) {
  GetHintGame* scene = &Found(Begin());
  static int closes = 0;
  scene->SetEvent("on_close", DelegatePtr(new cFunctionDelegate([](DelegateArg) -> DelegateArg { return ++closes; })));
  const int hints = profile.m_progress.m_hints;
  bool swept_out = false;
  for (int i = 0; i < 700 && panel->IsSearchRunning(); ++i) {
    panel->StepSearchTimers(1.0f);
    Step();
    swept_out = swept_out || scene->GetPhase() == GetHintGame::kClosing;
  }
  EXPECT_FALSE(panel->IsSearchRunning());
  EXPECT_TRUE(swept_out);
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(profile.m_progress.m_hints, hints);
}

// The last reward blinks through the ten seconds before the full reward goes (shown on even whole
// seconds above it), and goes with it; a player holding 4 hints or more sees neither.
TEST_F(GetHintSearchTest, TheSecondRewardBlinksForTenSecondsAndGoes) {
  struct Case {
    int hints;
    float countdown;
    bool shown;
    bool blinking;
  } const cases[] = {{1, 311.0f, true, true},  {1, 305.5f, false, true}, {1, 304.2f, true, true},
                     {1, 299.0f, false, false}, {4, 305.5f, true, true},  {4, 299.0f, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hints << " hints at " << c.countdown);
    profile.m_progress.m_hints = c.hints;
    for (int i = 0; i < 5; ++i) Found(panel->GetHintIcon(i)).Show(i < c.hints);
    panel->StartSearchCountdown();
    panel->StepSearchTimers(600.0f - c.countdown);
    GUIWindow* last_reward = &Found(panel->Child(c.hints < 4 ? "hint_stroke_" + std::to_string(c.hints + 1) : "hint_stroke_4"));
    EXPECT_EQ(last_reward->IsShown(), c.shown);
    EXPECT_EQ(panel->IsRewardBlinking(), c.blinking);
  }
}

// A search asked for at a place whose name gives no location number offers nothing and ends at
// once: the place plays on, and no other place's search is offered in its stead. A search offered
// leaves the place drawn around the small map.
TEST_F(GetHintSearchTest, ASearchFromAPlaceOnNoMapEndsAtOnce) {
  struct Case {
    const char* stage;
    bool offered;
  } const cases[] = {{"garden", false}, {"stage_1", true}};
  RootState away;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    root_state.ChangeSubState(&away);
    flow.reset();
    profile.m_stage = c.stage;
    Play();
    ASSERT_NE(flow->GetLocation(), nullptr);
    ASSERT_EQ(flow->GetLocation()->GetName(), c.stage);
    panel->OnGetHintClick();
    EXPECT_EQ(panel->IsSearchRunning(), c.offered);
    const auto& offered = panel->GetSmallMap()->GetOfferedSearches();
    EXPECT_EQ(offered.size(), c.offered ? 1u : 0u);
    if (c.offered) {
      EXPECT_EQ(offered.begin()->first, 0) << "location 1 is offered from location 1";
      EXPECT_TRUE(flow->GetLocation()->IsShown() && flow->GetLocation()->GetWindow()->IsShown())
          << "the place stays drawn around the small map";
      panel->OnSearchExit(0);
    } else {
      EXPECT_TRUE(LogHas("no search offered from location -1: not on the map"));
    }
    Run(0.5f);
    EXPECT_FALSE(panel->IsSearchRunning());
    EXPECT_EQ(flow->GetSubState(), GameFlowController::kPlay) << "the place plays on";
  }
}

// A scene that offers fewer objects than the list has places lists what it has; one without a
// form closes at once, with nothing to find, and neither divides by nothing.
TEST_F(GetHintSearchTest, AShortOrMissingSceneListsWhatItHas) {
  struct Case {
    const char* scene;
    size_t targets;
  } const cases[] = {{"get_hint\\small", 3u}, {"get_hint\\nowhere", 0u}};
  for (const Case& c : cases) {
    GetHintGame* scene = &Found(panel->CreateSearchWindow(c.scene));
    EXPECT_EQ(scene->GetTargetCount(), c.targets) << c.scene;
    EXPECT_EQ(scene->GetValue("items_count"), std::to_string(c.targets)) << c.scene;
    scene->Show();
    Run(3.0f);
    EXPECT_NE(scene->GetPhase(), GetHintGame::kOpening) << c.scene;
  }
}

// Only a location's own pointer is kept for the next Play. The search's tips are for the moment:
// they bring what they point at to the top, go when the search ends, and one an older save kept
// is not shown again.
TEST_F(GetHintSearchTest, OnlyALocationsPointerIsKeptAndASearchTipGoesWithTheSearch) {
  struct Case {
    const char* name;
    const char* request;
    bool by_location;    // a script's "showhelp", else the search's own tip
    bool in_search;
    const char* kept;    // what the profile keeps afterwards
    bool shown_after;    // still shown once the search ended (or at once, outside one)
  } const cases[] = {
      {"a location's pointer", "tip_hero", true, false, "tip_hero", true},
      {"the exit tip", "ispyexit_ispy2", false, true, "", false},
      {"the exit tip asked for by a script", "ispyexit_ispy2", true, true, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    profile.m_progress.m_pending_message.clear();
    if (c.in_search) {
      ASSERT_NE(Begin(), nullptr);
    }
    if (c.by_location) {
      panel->KeepHelp(c.request);
    } else {
      panel->ShowHelp(true, c.request);
    }
    ASSERT_TRUE(panel->IsHelpShown());
    if (c.in_search) {
      // The search hides the mini-games' exit and shows its own: the tip points at that one.
      GUIWindow& exit_button = Found(panel->Child("get_hint_exit_true"));
      EXPECT_EQ(Found(panel->GetHelpWindow()).GetTarget(), exit_button.GetVisual().GetModel())
          << "the tip points at the shown exit";
      const auto& drawn = Found(exit_button.GetParent()).GetChildren();
      ASSERT_GE(drawn.size(), 2u);
      EXPECT_EQ(drawn[drawn.size() - 2], &exit_button) << "the tip's target is drawn on top";
      EXPECT_EQ(drawn.back(), panel->Child("get_hint_exit_true_text")) << "its caption is drawn over it";
      EXPECT_TRUE(DrawnOver(panel->GetHelpWindow(), panel->GetSmallMap())) << "the tip is drawn over the small map";
      panel->OnSearchExit(0);
      Run(0.2f);
      ASSERT_FALSE(panel->IsSearchRunning());
    }
    EXPECT_EQ(panel->IsHelpShown(), c.shown_after);
    if (c.shown_after) {
      EXPECT_FALSE(DrawnOver(panel->GetHelpWindow(), panel->GetSmallMap())) << "a pointer is drawn with the panel";
    }
    EXPECT_EQ(profile.m_progress.m_pending_message, c.kept);
    panel->ShowHelp(false, std::string());
    Run(0.5f);
  }
  struct Saved {
    const char* kept;
    bool shown;
  } const saves[] = {{"tip_hero", true}, {"ispy2_ispy", false}, {"ispyexit_ispy2", false}};
  for (const Saved& saved : saves) {
    profile.m_progress.m_pending_message = saved.kept;
    panel->RestoreHelpPointer();
    EXPECT_EQ(panel->IsHelpShown(), saved.shown) << saved.kept;
    EXPECT_EQ(profile.m_progress.m_pending_message, saved.shown ? saved.kept : "") << saved.kept;
    panel->ShowHelp(false, std::string());
    Run(0.5f);  // it fades out
  }
}

}  // namespace
