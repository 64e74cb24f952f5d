// The town map on small hand-made forms: its tables, the places it marks as seen, the reveal of a
// route between two places and the closing press, and the choice of a hint search with its offers
// and its reward, against a stand-in for the panel's search side.

#include <set>

#include "Sources/adventure/GameMap.h"
#include "gui/include/GUIStatic.h"
#include "source/math/Rand.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

// Routes (place numbers) with their step counts: one, three, four and six steps.
struct Route {
  int from, to, steps;
};
constexpr Route kRoutes[] = {{1, 2, 1}, {2, 3, 3}, {3, 4, 4}, {4, 5, 6}};

std::string BigForm() {
  std::string form = "<form><window name=\"map_back\"/>";
  for (const char* place : {"gate", "house", "lower", "bank", "shop", "police", "museum", "rar", "cave"}) {
    form += "<window name=\"" + std::string(place) + "\"/>";
  }
  std::set<std::string> arrows;
  for (int n = 0; n < GameMap::kLocations; ++n) arrows.insert(GameMap::ArrowOfLocation(n));
  for (const std::string& arrow : arrows) form += "<window name=\"" + arrow + "\"/>";
  int path = 0;
  for (const Route& route : kRoutes) {
    for (int i = 0; i < route.steps; ++i) {
      form += "<window name=\"path_" + std::to_string(++path) + "\" from=\"" + std::to_string(route.from) +
              "\" to=\"" + std::to_string(route.to) + "\"/>";
    }
  }
  // Past a gap nothing more is a route.
  return form + "<window name=\"path_" + std::to_string(path + 2) + "\" from=\"5\" to=\"6\"/></form>";
}

std::string SmallForm() {
  std::string form = BigForm();
  form.erase(form.size() - 7);
  for (int n = 1; n <= GameMap::kLocations; ++n) {
    form += "<button name=\"get_hint_location_" + std::to_string(n) + "\"/><static name=\"get_hint_text_" +
            std::to_string(n) + "\"/>";
  }
  return form + "<static name=\"items_remained\"/><static name=\"items_remained_number\"/></form>";
}

// The panel's search side as the map sees it. The windows are tokens the map never looks into.
class FakeSearch : public MapSearchHost {
 public:
  GetHintGame* CreateSearchWindow(const std::string& scene) override {
    scenes.push_back(scene);
    if (refuse) return nullptr;
    auto* window = reinterpret_cast<GetHintGame*>(&tokens[scenes.size()]);
    counts[window] = "8";
    return window;
  }
  void CloseSearch(GetHintGame* window) override { closed.push_back(window); }
  std::string ItemsCountOf(GetHintGame* window) const override { return counts.at(window); }
  std::string FullCountOf(GetHintGame*) const override { return full; }
  bool IsSearchVisible(GetHintGame*) const override { return true; }
  int GetItemsToFind() const override { return to_find; }
  bool IsRewardBlinking() const override { return blinking; }
  float GetCountdown() const override { return countdown; }
  void SetSearchFinished(bool on) override { finished = on; }

  char tokens[32] = {};
  std::vector<std::string> scenes;
  std::vector<GetHintGame*> closed;
  std::map<GetHintGame*, std::string> counts;
  std::string full = "8";
  int to_find = 13;
  bool blinking = false, refuse = false, finished = false;
  float countdown = 300.0f;
};

class GameMapTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    tree.AddResourceList("gui/map.resource",
                         {{GameMap::kBigForm, "form", BigForm()}, {GameMap::kSmallForm, "form", SmallForm()}});
    Mount();
    profile.m_progress.m_map_points.clear();
  }
  std::unique_ptr<GameMap> SmallMap() {
    auto map = std::make_unique<GameMap>(GameMap::kSmallForm, false);
    map->SetSearchHost(&search);
    map->Show();
    return map;
  }
  void Press() {
    GuiFrame(0.02f, true);
    GuiFrame();
  }
  FakeSearch search;
};

TEST_F(GameMapTest, TheTablesAnswerOnlyInsideTheirBounds) {
  struct Row {
    int location, place;
    const char* arrow;
  };
  const Row rows[] = {{-1, 0, nullptr}, {0, 1, "arrow_location_1_9"}, {8, 1, "arrow_location_1_9"},
                      {10, 2, "arrow_location_2_10_11"}, {12, 8, "arrow_location_13"},
                      {14, 6, "arrow_location_6_12_15"}, {15, 0, nullptr}, {1000, 0, nullptr}};
  for (const Row& row : rows) {
    EXPECT_EQ(GameMap::PlaceOfLocation(row.location), row.place) << row.location;
    EXPECT_STREQ(GameMap::ArrowOfLocation(row.location), row.arrow) << row.location;
  }
  EXPECT_EQ(GameMap::PlaceName(0), nullptr);
  EXPECT_STREQ(GameMap::PlaceName(9), "cave");
  EXPECT_EQ(GameMap::PlaceName(10), nullptr);
}

TEST_F(GameMapTest, SeenPlacesAreKeptOnceAndTheCurrentPlaceIsMarked) {
  GameMap map(GameMap::kSmallForm, false);
  for (int location : {8, 0, 1, 9, 10, -1, 15, 8}) map.SetCurrentLocation(location);
  EXPECT_EQ(profile.m_progress.m_map_points, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(map.GetCurrentLocation(), 8) << "a location off the map changes nothing";
  map.Show();
  EXPECT_TRUE(Found(map.FindChild("arrow_location_1_9")).IsShown());
  EXPECT_TRUE(Found(map.FindChild("gate")).IsShown());
  EXPECT_FALSE(Found(map.FindChild("lower")).IsShown()) << "unseen";
  for (const auto& [from, to] : {std::pair{-1, 1}, {0, 15}, {5, 6}}) EXPECT_FALSE(map.PrepareTravel(from, to));
  EXPECT_EQ(profile.m_progress.m_map_points, (std::vector<int32_t>{0, 1, 5, 6})) << "no route, the places are seen";
}

TEST_F(GameMapTest, EveryRouteIsRevealedEndsAndWaitsForAPress) {
  for (const Route& route : kRoutes) {
    SCOPED_TRACE(route.steps);
    GameMap map(std::string(), true);
    ASSERT_TRUE(map.PrepareTravel(route.from - 1, route.to - 1));
    ASSERT_EQ(Found(map.GetRoute()).size(), static_cast<size_t>(route.steps));
    const std::vector<GUIWindow*> steps = Found(map.GetRoute());
    map.Show();
    std::vector<float> brightest(route.steps, 0.0f);
    float elapsed = 0.0f;
    while (map.GetState() != GameMap::kTravelDone && elapsed < 5.0f) {
      GuiFrame();
      elapsed += 0.02f;
      for (int i = 0; i < route.steps; ++i) brightest[i] = std::max(brightest[i], steps[i]->GetVisual().GetColor().w);
      if (elapsed > 0.05f && elapsed < 0.07f) {
        Press();  // too early: nothing happens
        elapsed += 0.04f;
        EXPECT_TRUE(Found(map.GetPressKeyText()).GetValue("text_id") != "please_wait" || !map.HasRoute());
      }
    }
    EXPECT_GT(elapsed, 0.1f * static_cast<float>(route.steps - 1));
    EXPECT_LT(elapsed, 1.0f) << "the route ends";
    for (float alpha : brightest) EXPECT_GT(alpha, 0.9f) << "every step shows";
    EXPECT_TRUE(map.IsTravelling());
    EXPECT_TRUE(Found(map.GetPressKeyText()).IsShown());
    Press();
    EXPECT_FALSE(map.IsTravelling());
    EXPECT_EQ(Found(map.GetPressKeyText()).GetValue("text_id"), "please_wait");
    for (int i = 0; i < 3; ++i) GuiFrame();
    EXPECT_FALSE(map.IsEnabled()) << "the travel window lets the game go on";
  }
}

TEST_F(GameMapTest, SearchesAreOfferedOneAPlaceAndTwoOrThreeAtATime) {
  struct Case {
    int location;
    size_t offers;
  };
  const Case cases[] = {{0, 1}, {2, 2}, {3, 2}, {4, 3}, {9, 3}, {14, 3}};
  for (uint32_t seed = 0; seed < 40; ++seed) {
    for (const Case& c : cases) {
      auto map = SmallMap();
      search.scenes.clear();
      g_rand_state = seed;
      map->RequestLocationHint(c.location);
      const auto& offered = map->GetOfferedSearches();
      ASSERT_EQ(offered.size(), c.offers) << seed << " " << c.location;
      EXPECT_TRUE(map->IsSearchChoiceMode());
      EXPECT_EQ(map->GetRemainingSearchCount(), static_cast<int>(c.offers));
      std::set<int> places;
      for (const auto& [location, window] : offered) {
        EXPECT_LE(location, c.location);
        places.insert(GameMap::PlaceOfLocation(location));
        EXPECT_TRUE(Found(map->FindChild("get_hint_location_" + std::to_string(location + 1))).IsShown());
        EXPECT_TRUE(Found(map->FindChild(GameMap::PlaceName(GameMap::PlaceOfLocation(location)))).IsShown());
      }
      EXPECT_EQ(places.size(), c.offers) << "one location a place";
      for (const std::string& scene : search.scenes) {
        const std::string n = scene.substr(18, scene.find('\\', 18) - 18);
        EXPECT_EQ(scene.rfind("get_hint\\location_" + n + "\\location_" + n + "_", 0), 0u) << scene;
        EXPECT_NE(std::string("123").find(scene.back()), std::string::npos) << scene;
      }
    }
  }
}

// The counter on the map says what is left to find, and never more than the offered lists hold.
TEST_F(GameMapTest, TheCounterSaysWhatTheOfferedListsStillHold) {
  struct Case {
    int location;     // 0: one scene offered, 6: three
    int to_find;      // what the search asks for
    const char* left;  // what each offered list still holds
    const char* shown;
  };
  const Case cases[] = {{0, 13, "8", "8"}, {0, 13, "5", "5"}, {0, 3, "8", "3"}, {6, 13, "8", "13"},
                        {6, 13, "2", "6"}, {6, 0, "8", "0"}};
  for (const Case& c : cases) {
    auto map = SmallMap();
    map->RequestLocationHint(c.location);
    for (auto& [window, count] : search.counts) count = c.left;
    search.to_find = c.to_find;
    map->RefreshHintSearch();
    EXPECT_EQ(Found(map->FindChild("items_remained_number")).GetValue("text"), c.shown)
        << c.location << " " << c.to_find << " " << c.left;
  }
  search.to_find = 13;
}

TEST_F(GameMapTest, AFinishedSearchPaysItsRewardOnceUpToFive) {
  struct Case {
    int hints;
    bool blinking;
    int expected;
  };
  for (const Case& c : {Case{5, false, 5}, {4, true, 5}, {3, true, 5}, {3, false, 4}, {0, true, 2}}) {
    auto map = SmallMap();
    map->RequestLocationHint(6);
    profile.m_progress.m_hints = c.hints;
    search.blinking = c.blinking;
    search.to_find = 4;
    EXPECT_FALSE(map->RefreshHintSearch()) << "things left to find";
    EXPECT_FALSE(map->IsAnySearchStarted());
    search.full = "5";  // scenes of five things, untouched
    for (auto& [window, count] : search.counts) count = "5";
    EXPECT_FALSE(map->IsAnySearchStarted());
    search.counts[map->GetOfferedSearches().begin()->second] = "3";
    EXPECT_TRUE(map->IsAnySearchStarted());
    search.full = "8";
    search.to_find = 0;
    EXPECT_TRUE(map->RefreshHintSearch());
    EXPECT_TRUE(map->RefreshHintSearch());
    EXPECT_EQ(profile.m_progress.m_hints, c.expected);
    EXPECT_TRUE(search.finished);
    EXPECT_EQ(map->GetRemainingSearchCount(), 0);
    for (const auto& [location, window] : map->GetOfferedSearches()) {
      EXPECT_FALSE(Found(map->FindChild("get_hint_location_" + std::to_string(location + 1))).IsShown());
    }
    search.to_find = 13;
  }
}

// An offer that cannot be made ends the search without a reward; so does a search whose time ran
// out (at location 4), also when the map is opened again.
TEST_F(GameMapTest, ASearchNeverOfferedOrOutOfTimeEndsWithoutAReward) {
  for (int location : {-1, 15, 3, 4}) {
    search.refuse = location == 3;
    search.closed.clear();
    profile.m_progress.m_hints = 2;
    auto map = SmallMap();
    map->RequestLocationHint(location);
    if (location == 4) {
      search.countdown = 0.0f;
      GuiFrame();
    }
    EXPECT_FALSE(map->IsSearchChoiceMode()) << location;
    EXPECT_EQ(search.closed, std::vector<GetHintGame*>{nullptr});
    if (location != 4) {
      EXPECT_FALSE(map->IsVisible()) << location;
    }
    search.to_find = 0;
    map->Open();
    EXPECT_FALSE(map->RefreshHintSearch()) << location;
    EXPECT_EQ(profile.m_progress.m_hints, 2);
    EXPECT_FALSE(search.finished);
    search.to_find = 13;
  }
}

TEST_F(GameMapTest, APressAwayFromTheMapClosesItOnlyAfterASearchWasChosen) {
  auto map = SmallMap();
  map->RequestLocationHint(9);
  for (int i = 0; i < 10; ++i) GuiFrame();
  PointAt(1000, 20);
  Press();
  EXPECT_TRUE(map->IsVisible()) << "no search chosen yet";
  map->OnHintLocationClick(reinterpret_cast<DelegateArg>(map->FindChild("map_back")));
  EXPECT_TRUE(search.closed.empty()) << "not a search button";
  const auto& [location, window] = *map->GetOfferedSearches().begin();
  GUIWindow* button = map->FindChild("get_hint_location_" + std::to_string(location + 1));
  map->OnHintLocationClick(reinterpret_cast<DelegateArg>(button));
  EXPECT_EQ(search.closed, std::vector<GetHintGame*>{window});
  EXPECT_FALSE(map->IsVisible());
  EXPECT_EQ(user->GetActiveChild(), nullptr) << "a map put away lets go of the mouse";
  map->Open();
  EXPECT_TRUE(map->IsVisible());
  Press();
  EXPECT_FALSE(map->IsVisible());
  EXPECT_TRUE(map->IsSearchChoiceMode()) << "the search goes on";
  map->Hide();
  EXPECT_FALSE(map->IsSearchChoiceMode());
  EXPECT_EQ(search.closed.back(), nullptr);
}

}  // namespace
