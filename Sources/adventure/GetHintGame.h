#pragma once
// One scene of the timed search that earns hint charges: a painted scene sweeps in, the panel's
// list slots name the objects to find, clicks on them count as finds, a burst of wild clicks
// costs time, and the scene sweeps out again when its objects are found or the time is over.
// Made by the game panel for each search the small map offers.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/include/GUIStateWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/particle/cParticleResource.h"
#include "source/sound/cSoundResource.h"

class GamePanel;
class ParticleEffectHandle;
class PhraseSequence;
class WindowEffectOwner;

class GetHintGame : public GUIStateWindow {
 public:
  enum Phase : int32_t { kOpening = 0, kClosing = 1, kSearching = 2, kClosed = 3 };
  static constexpr const char* kWindowName = "GetHintGame";
  static constexpr const char* kSlotPrefix = "get_hint_item_0";
  static constexpr float kSweepSeconds = 2.0f;
  static constexpr float kMissWindow = 1.0f;  // a miss within this of the one before joins its burst
  static constexpr int32_t kMissesInBurst = 3;

  // Builds the scene from the form `scene` under `owner` (the panel's form window), whose children
  // "get_hint_item_00".. are the list slots; draws the targets with Rand.
  GetHintGame(const std::string& scene, GUIWindow* owner);
  ~GetHintGame() override;

  // Starts the search: the scene sweeps in, the list is written.
  void Show() override;
  // Closes at once.
  void Hide() override;
  // Disappearing (4) starts the sweep out, unless the scene is already leaving or gone.
  void SetState(int state) override;
  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  void Close() { SetState(kDisappear); }

  // Targets not yet found and faded out.
  int32_t CountRemaining() const;
  // The text-table section of the list's names for a scene "..._<location>_<variant>".
  static std::string TextSectionOf(const std::string& scene);

  const std::string& GetScene() const { return m_scene; }
  const std::string& GetTextSection() const { return m_text_section; }
  int32_t GetPhase() const { return m_phase; }
  int32_t GetMissCount() const { return m_miss_count; }
  int32_t GetFinds() const { return m_finds; }
  size_t GetTargetCount() const { return m_targets.size(); }
  GUIWindow* GetTarget(size_t index) const { return m_targets[index]; }
  bool IsFound(size_t index) const { return m_found[index]; }
  const std::vector<GUIWindow*>& GetCandidates() const { return m_candidates; }
  const std::vector<GUIWindow*>& GetSlots() const { return m_slots; }
  size_t GetRunningEffects() const { return m_effects.size(); }
  void SetBackgroundFade(bool on) { m_background_fade = on; }

 private:
  struct RunningEffect;

  void CollectCandidates();
  void CollectSlots();
  void DrawTargets();
  void WriteList();
  void OnRelease(const Vector2& point);
  void OnFind(size_t index);
  void OnMiss(const Vector2& point);
  void ServeTip();
  void UpdateEffects();
  void StepOpening(float dt);
  void StepClosing(float dt);
  void StepSearching(float dt);
  // Moves candidates on the origin side of the sweep line (or beyond it) towards `alpha_step`.
  bool SweepCandidates(float f, bool behind, float alpha_step);
  void StartEffect(const cResourcePtr<cParticleResource>& resource, GUIWindow* over);
  void PlayOnce(const cResourcePtr<cSoundResource>& sound, bool unless_playing);
  GamePanel* Panel() const;

  GUIWindow* m_owner;  // the panel's form window: holds the list slots
  std::string m_scene;
  std::string m_text_section;
  cResourcePtr<cParticleResource> m_found_effect;
  cResourcePtr<cParticleResource> m_slot_effect;
  cResourcePtr<cSoundResource> m_found_sound;
  cResourcePtr<cSoundResource> m_miss_sound;
  std::vector<std::unique_ptr<RunningEffect>> m_effects;
  std::vector<GUIWindow*> m_candidates;  // the form's children with item="true"
  std::vector<GUIWindow*> m_slots;       // the owner's children, not ours
  std::vector<GUIWindow*> m_targets;
  std::vector<bool> m_found;
  std::vector<float> m_fade;
  std::unique_ptr<PhraseSequence> m_introduction;
  int32_t m_phase = kClosed;
  float m_phase_clock = 0.0f;
  bool m_background_fade = false;
  bool m_shown_mark = false;
  float m_miss_clock = 0.0f;
  int32_t m_miss_count = 0;
  int32_t m_finds = 0;
};
