#pragma once
// The in-game state: walks the stages of "levels\stage", keeps the one current location alive,
// drives it and the game panel every frame, plays the comics pages and map travel between
// locations, saves the player's progress at fixed points, shows the credits after the last stage
// and returns to the main menu.

#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/StageList.h"
#include "Sources/shell/cGameState.h"
#include "source/Resources/cResourcePtr.h"
#include "source/math/Vector.h"
#include "source/particle/cParticleResource.h"
#include "source/sound/cSoundResource.h"

class GUIStateWindow;
class GUIWindow;
class Location;
class ParticleEffectHandle;
class RenderObject;
class WindowEffectOwner;

class GameFlowController : public cGameState {
 public:
  enum SubState : int {
    kLoad = 0,
    kEnterLocation = 1,
    kPlay = 2,
    kHintSearch = 3,
    kTransitions = 4,
    kMapTravel = 5,
    kNextStage = 6,
    kAfterStage = 7,
    kGameEnd = 8,
    kReturnToMenu = 9,
  };

  // Reads the stages and takes the music and hint effect. A missing or empty stage list is
  // logged; entering the state then tells the player and goes back to `return_state`.
  GameFlowController(const StateOwner& owner, cGameState* return_state);
  ~GameFlowController() override;

  // Continues at the profile's stage, or starts a new game at the first one.
  void Enter() override;
  // Drops the location and the transition window; the panel stops.
  void Leave() override;
  // One step of the sub-state machine; Update(0) runs a step at once.
  void Update(float dt) override;

  // The location's state, the flying items and the profile's file, unless the location ended.
  void SaveProgress();
  // The location's part of the save, as the game object's exit save makes it.
  void SaveLocationState();
  void StartHintSearch();
  // Points a hint effect at what the location's hint search finds; false when nothing is found
  // (the location says so) or a hint effect still runs.
  bool ShowHint(GUIWindow* owner, Vector3& point);
  void PlayTransitions(const std::vector<std::string>& entries, bool last);
  void ReturnToMenu();
  int GetCurrentLocationIndex() const;
  RenderObject* FindLocationItemModel(const std::string& name) const;

  bool IsLocationEnded() const { return m_location_ended; }
  cGameState* GetReturnState() const { return m_return_state; }
  Location* GetLocation() const { return m_location.get(); }
  int GetSubState() const { return m_sub_state; }
  int GetResumeSubState() const { return m_resume_sub_state; }
  const std::vector<StageRecord>& GetStages() const { return m_stages; }
  size_t GetCurrentStage() const { return m_current_stage; }
  const std::string& GetCurrentMusicName() const { return m_current_music; }
  const cResourcePtr<cSoundResource>& GetTransitionMusic() const { return m_transition_music; }
  GUIStateWindow* GetTransitionWindow() const { return m_transition; }
  size_t GetPendingTransitionCount() const { return m_pending.size(); }
  bool IsHintEffectRunning() const { return m_hint_effect != nullptr; }

  static constexpr const char* kStageResource = "levels\\stage";
  static constexpr const char* kCreditsEntry = "gui\\credits\\credits";
  static constexpr const char* kTransitionMusic = "audio\\music\\between";
  static constexpr const char* kSearchMusic = "audio\\music\\ispy";
  static constexpr const char* kHintEffect = "particle systems\\hint_effect";
  static constexpr float kHintEffectLifetime = 2.0f;
  static constexpr int kPausedState = 5;  // a window that waits (the map while it travels)

 private:
  GUIStateWindow* CreateTransitionWindow(const std::string& entry, bool keep);
  void DestroyTransitionWindow();
  void DestroyPendingWindows();
  void DestroyLocation();
  void BringLocationBack();
  int FindStage(const std::string& name) const;
  void PlayStageMusic(const std::string& name);
  void StepLoad();
  void StepEnterLocation();
  void StepPlay(float dt);
  void StepHintSearch();
  void StepTransitions();
  void StepNextStage();
  void StepAfterStage();
  void StepGameEnd();
  void ShowNoStagesMessage();
  // A message box over the game, when the GUI runs.
  static void ShowNotice(const char* title_key, const char* text_key);
  // The current player's saved game cannot go on: says why before a new game begins.
  void SayWhyANewGameBegins();
  // The stage of the saved game's backup when the saved game's stage is unknown and the backup's
  // is known (the backup is then the profile's progress); -1 otherwise.
  int PlayBackupOfUnknownStage();

  std::vector<cResourcePtr<cSoundResource>> m_stage_music;
  cResourcePtr<cSoundResource> m_transition_music;
  cResourcePtr<cSoundResource> m_search_music;
  std::string m_current_music;
  cResourcePtr<cParticleResource> m_hint_effect_resource;
  std::unique_ptr<WindowEffectOwner> m_hint_effect_owner;
  std::unique_ptr<ParticleEffectHandle> m_hint_effect;
  bool m_map_window_made = false;
  bool m_map_travel_pending = false;
  bool m_location_ended = false;
  bool m_at_end = false;  // the walk to the next stage ran past the last one
  bool m_unknown_stage_kept = false;  // the saved game at an unknown stage was kept aside
  std::vector<StageRecord> m_stages;
  size_t m_current_stage = 0;
  GUIStateWindow* m_transition = nullptr;      // owned
  std::vector<GUIStateWindow*> m_pending;      // owned, shown front first
  cGameState* m_return_state;                  // not owned
  std::unique_ptr<Location> m_location;
  int m_sub_state = kLoad;
  int m_resume_sub_state = kLoad;
};
