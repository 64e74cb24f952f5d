#pragma once
// The in-game panel at the bottom of the screen: inventory, hint icons, the map and diary
// buttons, the amulet and locket windows, the hero portrait and the tooltip; the owner of the
// in-game menu and the help dialog. Locations reach it through the script's panel commands, the
// in-game state drives it every frame. Created on first use and kept until exit.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/Inventory.h"
#include "source/Resources/cResourcePtr.h"
#include "source/core/Delegate.h"
#include "source/core/Singleton.h"
#include "source/math/Vector.h"
#include "source/particle/cParticleResource.h"
#include "source/sound/cSoundResource.h"

class DiaryWindow;
class GameFlowController;
class GameMap;
class GameOptions;
class GetHintGame;
class HelpWindow;
struct HelpRule;
class PanelLocationServices;
class PanelMiniGameHost;
class GUIStateWindow;
class GUIWindow;
class HelpDialog;
class RenderObject;

class GamePanel : public Singleton<GamePanel> {
 public:
  // The kinds of a flying item's landing, in the order of the landing table.
  enum LandingKind : uint32_t {
    kLandInventory = 0,
    kLandMapButton = 1,
    kLandHintCharge = 2,
    kLandHintIcon = 3,
    kLandGetHintButton = 4,
    kLandHalfLocket = 5,
    kLandFullLocket = 6,
    kLandLocationItem = 7,
    kLandAmulet = 8,
    kLandDiaryPage = 9,
    kLandNothing = 10,
  };
  static constexpr int kHintIcons = 5;
  static constexpr int kMaxHints = ProfileProgress::kMostHints;

  GamePanel();
  ~GamePanel() override;

  // ---- modes and commands ------------------------------------------------------------------------
  // Normal buttons (on false), or an exit mode: variant 1 the search, variant 0 a mini-game.
  void SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click, int variant);
  // A script's panel command from `source` (an object name, may be empty) at the screen point.
  void ExecuteCommand(const std::string& word, const std::string& source, const Vector3& start);
  void HideMaps();
  bool PrepareMapTravel(int from, int to);
  void StartMapTravel();
  bool IsMapTravelDone() const;
  void ShowMapButton();
  void ShowGetHintButton();
  // The search runs while the small map offers its choice of scenes.
  bool IsSearchRunning() const;
  bool IsAnyBookOpen() const;
  bool IsHelpShown() const;
  bool IsSmallMapShown() const;
  bool IsBusy() const;
  bool IsGameMenuOpen() const;
  void SetFlowController(GameFlowController* flow);
  GameFlowController* GetFlowController() const { return m_flow; }
  void ShowHeroAnimation() { m_hero_requested = true; }
  void OnItemFound() { m_items_to_find = m_items_to_find > 0 ? m_items_to_find - 1 : 0; }
  void SetGameRunning(bool running) { m_game_running = running; }
  bool IsGameRunning() const { return m_game_running; }
  bool IsInventoryShown() const { return m_inventory_shown; }
  void SetInventoryShown(bool shown) { m_inventory_shown = shown; }

  // ---- the get-hint search (GamePanelSearch.cpp) -------------------------------------------------
  // The "get_hint" button: the in-game state starts the search.
  DelegateArg OnGetHintClick(DelegateArg sender = 0);
  // The panel's part of starting the search: reward icons, countdown, the small map's offer.
  void EnterSearchMode();
  // A search scene for the small map's offer, under the panel's form; null when it cannot be made.
  GetHintGame* CreateSearchWindow(const std::string& scene);
  // The exit of the search: none or a window as sender ends it; the exit button asks first.
  DelegateArg OnSearchExit(DelegateArg sender = 0);
  // nullptr ends the search; another window becomes the current scene.
  void CloseSearch(GetHintGame* window);
  // Ends a running search at once, unpaid (the game is left for the menu).
  void AbandonSearch();
  // A scene closed (or "map_true" pressed): back to the small map.
  DelegateArg OnSearchWindowClosed(DelegateArg sender = 0);
  void SetSearchFinished(bool finished) { m_search_finished = finished; }
  bool IsSearchFinished() const { return m_search_finished; }
  // True once per search: the caller pays the reward and the search counts as finished.
  bool ClaimSearchReward();
  GetHintGame* GetSearchWindow() const { return m_search_window; }
  // Scenes made for this panel that still exist (the current one and those waiting to go).
  size_t CountSearchWindows() const { return m_search_windows.size(); }
  void SetReminderTime(float seconds) { m_reminder = seconds; }
  float GetReminderTime() const { return m_reminder; }
  bool IsSearchStartPending() const { return m_search_start; }
  // The click animation of a window, shown at the point (a miss in the search).
  void ShowFoundItemAnimation(GUIWindow* window, const Vector3& point);

  // ---- the inventory (PanelInventory does the work; GamePanelInventory.cpp) -----------------
  PanelInventory& GetInventory() { return *m_inventory; }
  void FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot);
  void AddInventoryItem(const FlyingItemRecord& record);
  void DropInventoryItem(const std::string& name, uint32_t count);
  void RefreshInventory();
  void LayoutInventory(bool show);
  void ReloadInventory();
  void TakeItemInHand(const std::string& name, int32_t value);
  void SyncHintIcons();
  bool IsMouseOverPanel() const;
  bool HasInventoryItem(const std::string& name, int32_t minimum) const;
  GUIWindow* FindInventoryWindow(int index) const;
  GUIWindow* FindInventoryCountWindow(int index) const;
  // Copies the records of the items still flying into the current profile (a save), with the
  // scene items that landed before their location was loaded.
  void StoreFlyingItems();
  // Shows the scene items that landed while no location was loaded (a saved flight delivered as a
  // game goes on); the in-game state calls it once the location has restored its state.
  void RevealPendingItems();
  const std::string& GetItemInHand() const;
  int32_t GetItemInHandValue() const;
  bool IsItemFlying() const;
  // Points at the inventory item a hint needs (fades at `point` without one).
  void HintInventoryItem(const std::string& name, const Vector3& point);
  // Shows or hides the panel with the owned-item windows the profile allows.
  void ShowPanel(bool show);

  // ---- the help pointer --------------------------------------------------------------------------
  // Shows the pointer of a request ("text_part_object"), or hides it. The profile keeps none of
  // these: the search's tips are for the moment only.
  void ShowHelp(bool show, const std::string& request);
  // A location's pointer: shown, and kept in the profile so that the next Play shows it again.
  void KeepHelp(const std::string& request);
  // Shows again the pointer the profile kept, when it kept one (never a search tip).
  void RestoreHelpPointer();
  // A search tip on show goes (its board closed, or the search ended).
  void HideSearchTip();
  HelpWindow* GetHelpWindow() const { return m_help_window; }

  // ---- the diary (GamePanelDiary.cpp) -------------------------------------------------------------
  DiaryWindow* GetDiary() const { return m_diary; }
  // Something new is in the diary: its button flashes until the diary is opened.
  void SetDiaryNotice() { m_diary_notice = true; }
  bool IsDiaryNoticeSet() const { return m_diary_notice; }

  // ---- one frame ---------------------------------------------------------------------------------
  void Update();
  // The search's clock for one frame of `dt` seconds: reminder, penalty, countdown, rewards, text.
  void StepSearchTimers(float dt);
  // Minutes and seconds of a countdown, each two digits ("01", "05" for 65.5 s).
  static std::array<std::string, 2> FormatSearchTimer(float countdown);
  void StartSearchCountdown();
  float GetCountdown() const { return m_countdown; }
  float GetPenaltyTime() const { return m_penalty; }
  float GetFullRewardTime() const { return m_full_reward_time; }
  float GetReducedRewardTime() const { return m_reduced_reward_time; }
  bool IsRewardBlinking() const { return m_reward_blink; }

  // ---- handlers ----------------------------------------------------------------------------------
  DelegateArg ShowDiaryBook(DelegateArg sender = 0);
  DelegateArg OpenSmallMap(DelegateArg sender = 0);
  DelegateArg OpenGameMenu(DelegateArg sender = 0);
  DelegateArg UseHint(DelegateArg icon);
  DelegateArg OnExitToMenu(DelegateArg sender = 0);
  DelegateArg FinishExitToMenu(DelegateArg sender = 0);
  DelegateArg HideGameMenu(DelegateArg sender = 0);
  DelegateArg OnFullScreen(DelegateArg sender = 0);
  DelegateArg ShowHelpDialog(DelegateArg sender = 0);
  DelegateArg OnReduceTimer(DelegateArg sender = 0);
  // The application lost the focus (argument 0) during the search: the in-game menu opens.
  DelegateArg OnDeactivate(DelegateArg argument);

  // ---- queries of locations and mini-games -------------------------------------------------------
  bool HandleExitButtonMouse(const Vector2& point, bool button_down);
  bool IsPictureCard(const std::string& word) const;
  void ShowLocationPhrase(const std::string& name);
  void PlayComics(const std::vector<std::string>& entries);
  void StartFade(const Vector3& first, const Vector3& second, bool single);

  // ---- landings ----------------------------------------------------------------------------------
  void AddHintCharge(const FlyingItemRecord& record);
  void ShowHintIcon(const FlyingItemRecord& record);
  void ShowHalfLocket();
  void ShowFullLocket();
  void ShowLocationItem(const FlyingItemRecord& record);
  void ShowAmulet();
  void OpenDiaryPageOnLanding(const FlyingItemRecord& record);

  // The child of the panel's form of that name, or null; a missing name is logged once.
  GUIWindow* Child(const std::string& name);
  GUIStateWindow* GetFormWindow() const { return m_form; }
  GameOptions* GetGameMenu() const { return m_game_menu; }
  HelpDialog* GetHelpDialog() const { return m_help_dialog; }
  GUIWindow* GetHintIcon(int index) const { return m_hint_icons[index]; }
  GameMap* GetSmallMap() const { return m_small_map; }
  GameMap* GetBigMap() const { return m_big_map; }
  int GetItemsToFind() const { return m_items_to_find; }

  static constexpr int kDelegateKey = 0;
  static constexpr const char* kFormName = "gui\\game_panel\\game_panel";
  static constexpr const char* kMenuForm = "gui\\game_menu\\game_menu";
  static constexpr const char* kSearchSettings = "game_data\\ispy";
  static constexpr const char* kFlyEffect = "particle systems\\fly_effect";
  static constexpr float kDefaultRewardTime = 300.0f;

 private:
  // The panel child a help rule points at: its own, or the one shown in its stead.
  GUIWindow* HelpPanelChild(const HelpRule& rule);
  void BuildForm();
  void MakeMaps();
  // The one place where a map hides the diary, and where the maps ask whether it shows.
  void HideDiaryForMap();
  bool IsDiaryShown() const;
  void BindHandlers();
  void LoadSearchSettings();
  void ApplyShown(const std::string& name, bool shown);
  void PlaySound(const cResourcePtr<cSoundResource>& sound);
  void UpdateFade(float dt);
  void UpdateHeroAnimation();
  void UpdatePortrait(float dt);
  void UpdateRewards();
  void PlaceItemInHand();
  // Highlights, tooltip and taking into hand of the inventory slots under the mouse.
  void UpdateSlots(bool released);
  // Launches a decorative or command flight of `kind` from `start` to the window's position.
  void LaunchFlight(uint32_t kind, const std::string& item, const Vector3& start, GUIWindow* target,
                    GUIWindow* source = nullptr);
  void OpenDiaryPage(const std::string& page);
  // A diary picture piece flies as one of the diary's cards "card1".."card3" to the diary button.
  void LaunchCard(const std::string& page, const Vector3& from);
  // The diary form's card window of that name; null while the game has no diary.
  GUIWindow* FindDiaryCard(const std::string& card);
  void RegisterLandings();
  void MakeDiary();
  void UpdateDiaryNotice(float dt);
  // The search block of the frame: reminders, opening phrases, the clock.
  void UpdateSearch(float dt);
  // Scenes of an ended search are deleted here, outside their own callbacks.
  void DeleteRetiredSearchWindows();
  // The small map has closed: normal buttons, the inventory and the hint icons come back.
  void EndSearch();

  GameFlowController* m_flow = nullptr;  // not owned
  GUIStateWindow* m_form = nullptr;      // the GUI tree's
  std::map<std::string, GUIWindow*> m_children;  // found by name once; null when missing
  std::array<GUIWindow*, kHintIcons> m_hint_icons{};
  std::array<GUIWindow*, kHintIcons> m_hint_strokes{};
  std::vector<GUIWindow*> m_reward_icons;
  std::unique_ptr<PanelInventory> m_inventory;
  std::vector<std::string> m_pending_reveals;  // scene items landed with no location loaded
  std::unique_ptr<PanelLocationServices> m_location_services;
  std::unique_ptr<PanelMiniGameHost> m_mini_game_host;
  HelpWindow* m_help_window = nullptr;   // the GUI tree's
  GUIWindow* m_tooltip = nullptr;        // the GUI tree's
  GameOptions* m_game_menu = nullptr;    // the GUI tree's
  HelpDialog* m_help_dialog = nullptr;   // the GUI tree's
  DiaryWindow* m_diary = nullptr;        // the GUI tree's
  float m_diary_notice_clock = 0.0f;
  bool m_diary_notice = false;
  GameMap* m_small_map = nullptr;        // the GUI tree's
  GameMap* m_big_map = nullptr;          // the GUI tree's
  std::array<GUIWindow*, 2> m_fading{};
  cResourcePtr<cParticleResource> m_fly_effect;
  cResourcePtr<cSoundResource> m_success_sound;
  cResourcePtr<cSoundResource> m_menu_click_sound;
  cResourcePtr<cSoundResource> m_click_sound;
  cResourcePtr<cSoundResource> m_less_time_sound;
  float m_full_reward_time = kDefaultRewardTime;
  float m_reduced_reward_time = kDefaultRewardTime;
  float m_countdown = 0.0f;
  float m_penalty = 0.0f;
  float m_reminder = 0.0f;
  float m_fade_timer = -1.0f;
  float m_eye_timer = 0.0f;
  float m_lip_timer = 0.0f;
  int m_items_to_find = 0;
  bool m_reward_blink = false;
  bool m_blink_shown = true;
  bool m_busy = false;
  bool m_hero_requested = false;
  bool m_game_running = true;
  bool m_inventory_shown = true;
  bool m_pointer_mode = false;
  bool m_search_tip = false;  // the help on show is one of the search's tips
  GetHintGame* m_search_window = nullptr;      // the current scene, one of m_search_windows
  std::vector<GetHintGame*> m_search_windows;  // the GUI tree's children; deleted when the search ends
  bool m_retire_search_windows = false;
  bool m_search_finished = false;
  bool m_search_start = false;
};
