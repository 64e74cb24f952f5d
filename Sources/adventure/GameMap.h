#pragma once
// The town map in its three uses: the panel's small map (the current place, and the choice of a
// hint search), the panel's big map and the travel window between two locations (the animated
// route from one place to the next). It keeps no progress of its own beyond the profile's list of
// seen places.

#include <map>
#include <string>
#include <vector>

#include "gui/include/GUIStateWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/core/Delegate.h"
#include "source/sound/cSoundResource.h"

class GameFlowController;
class GetHintGame;
class GUIStatic;

// What the map asks of the hint search it offers: the panel's search side in the game, a
// stand-in in tests. Every call the map makes to the search goes through here.
class MapSearchHost {
 public:
  virtual ~MapSearchHost() = default;
  // A search window for the scene (null when none could be made).
  virtual GetHintGame* CreateSearchWindow(const std::string& scene) = 0;
  // Replaces the running search window by `window`; null ends the search.
  virtual void CloseSearch(GetHintGame* window) = 0;
  // The window's "items_count" text: the items it still hides.
  virtual std::string ItemsCountOf(GetHintGame* window) const = 0;
  // Its count before anything was found: a scene of eight things unless it holds fewer.
  virtual std::string FullCountOf(GetHintGame*) const { return "8"; }
  virtual bool IsSearchVisible(GetHintGame* window) const = 0;
  virtual int GetItemsToFind() const = 0;
  virtual bool IsRewardBlinking() const = 0;
  virtual float GetCountdown() const = 0;
  virtual void SetSearchFinished(bool finished) = 0;
};

class GameMap : public GUIStateWindow {
 public:
  static constexpr int kLocations = 15;
  static constexpr int kPlaces = 9;
  static constexpr int kTravelDone = 5;  // the route has been shown: the window waits for a press
  static constexpr float kStepSeconds = 0.1f;
  static constexpr const char* kBigForm = "gui\\map\\map";
  static constexpr const char* kSmallForm = "gui\\map\\map_small";

  // An empty form name makes the big map (form "gui\map\map"); `travel_window` makes the
  // in-game state's window between two locations.
  GameMap(const std::string& form, bool travel_window);
  ~GameMap() override;

  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  void Show() override;
  void Hide() override;
  using GUIStateWindow::Show;

  // The place of the location is seen from now on; no route.
  void SetCurrentLocation(int location);
  // Sees both places and takes the route between them when the form draws one.
  bool PrepareTravel(int from, int to);
  // Shows the map modal for the search choice; hidden again at once when the search is over.
  void Open();
  // Put away at once (no disappear), letting go of the mouse.
  void HideNow();
  void SetFlowController(GameFlowController* flow) { m_flow = flow; }

  // ---- the hint-search choice ---------------------------------------------------------------------
  // Offers two or three random searches among the locations up to `location`.
  void RequestLocationHint(int location);
  DelegateArg OnHintLocationClick(DelegateArg sender);
  // Refreshes the counts; true (and the reward paid) when the search is over.
  bool RefreshHintSearch();
  bool IsAnySearchStarted() const;
  void PlayFailSound();
  bool IsSearchChoiceMode() const { return m_search_choice; }
  int GetRemainingSearchCount() const { return m_remaining_searches; }
  // Null: the game panel's search side.
  void SetSearchHost(MapSearchHost* host) { m_search_host = host; }

  // ---- read by the panel, the in-game state and tests --------------------------------------------
  bool IsTravelling() const { return m_travelling; }
  bool HasRoute() const { return m_route != nullptr; }
  bool IsBigMap() const { return m_big_map; }
  bool IsTravelWindow() const { return m_travel_window; }
  int GetCurrentLocation() const { return m_current_location; }
  int GetHead() const { return m_head; }
  const std::vector<GUIWindow*>* GetRoute() const { return m_route; }
  const std::map<int, GetHintGame*>& GetOfferedSearches() const { return m_search_windows; }
  GetHintGame* GetChosenSearch() const { return m_chosen_search; }
  GUIStatic* GetPressKeyText() const { return m_press_key; }

  // The tables by 0-based location index; 0 / null outside 0..14.
  static int PlaceOfLocation(int location);
  static const char* ArrowOfLocation(int location);
  // The place window's name of a place number 1..9; null outside.
  static const char* PlaceName(int place);
  static bool IsLocation(int location) { return location >= 0 && location < kLocations; }

 private:
  void CollectPaths();
  void FindHintButtons();
  void MakePressKeyText();
  void MarkSeen(int location);
  void HideAllMarks();
  void StepTooltip();
  void StepRoute(float dt);
  void EndTravel();
  void ReleaseModality();
  void HandleSearchChoiceMouse();
  MapSearchHost& SearchHost() const;
  bool StepSearchChoice();
  void EndSearchWithoutOffers();
  GUIWindow* FindOwnChild(const std::string& name) const;
  void ShowChild(const std::string& name, bool shown);

  cResourcePtr<cSoundResource> m_open_sound;
  cResourcePtr<cSoundResource> m_reward_sound;
  cResourcePtr<cSoundResource> m_fail_sound;
  std::map<int, std::map<int, std::vector<GUIWindow*>>> m_paths;  // from place -> to place -> segments
  std::vector<GUIWindow*> m_all_paths;
  std::vector<GUIWindow*> m_arrows;   // by location; null where the form lacks one
  std::vector<GUIWindow*> m_places;   // by place number - 1
  std::vector<GUIWindow*> m_hint_buttons;
  std::vector<GUIWindow*> m_hint_texts;
  GetHintGame* m_chosen_search = nullptr;          // the panel's
  GUIStatic* m_tooltip = nullptr;                  // a child
  std::map<int, GetHintGame*> m_search_windows;    // the panel's, by location
  float m_step_timer = 0.0f;
  const std::vector<GUIWindow*>* m_route = nullptr;  // into m_paths
  int m_head = 0;
  int m_close_countdown = 0;
  int m_current_location = 0;
  bool m_travelling = false;
  bool m_search_choice = false;
  bool m_big_map = false;
  bool m_travel_window = false;
  GUIStatic* m_press_key = nullptr;  // a child
  int m_remaining_searches = 0;
  bool m_reward_paid = false;  // one reward an offer, however often the counts are refreshed
  GameFlowController* m_flow = nullptr;
  MapSearchHost* m_search_host = nullptr;  // not owned
};
