#pragma once
// The slingshot, seen from behind, and targets on a wall. The player holds the left button to pull
// the rubber, moves the mouse to aim (the slingshot turns up to 30 degrees each way) and lets go
// to shoot; a stone that reaches the wall over a target not yet hit marks it. All targets hit win.

#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameArcade.h"

class MiniGameSlingshot : public MiniGame {
 public:
  static constexpr float kMaxAim = 0.5235988f;  // radians, either way
  static constexpr float kMouseToAim = 1.0f / 200.0f;
  static constexpr float kWinDelay = 0.5f;
  static constexpr float kStartDepth = 600.0f;

  explicit MiniGameSlingshot(GUIWindow* parent);
  // The game over another form (tests use forms that lack its pieces).
  MiniGameSlingshot(GUIWindow* parent, const std::string& form);
  ~MiniGameSlingshot() override;

  void Start() override;
  void Finish(const std::string& word) override;
  bool IsWorkingFinished(float dt) override;
  bool OnMouse(const Vector2& point, bool button_down) override;

  float GetTurn() const { return m_turn; }
  float GetTilt() const { return m_tilt; }
  uint32_t GetHits() const { return m_hits; }
  uint32_t GetTargetCount() const { return m_target_count; }
  bool IsFired() const { return m_fired; }
  bool IsPulling() const { return m_pulling; }
  const std::vector<GUIWindow*>& GetTargets() const { return m_targets; }
  GUIWindow* GetStone() const { return m_stone; }

 private:
  void Aim();
  void TestHit();

  GUIWindow* m_rubber = nullptr;
  GUIWindow* m_slingshot = nullptr;
  GUIWindow* m_stone = nullptr;
  GUIWindow* m_disc = nullptr;
  std::vector<GUIWindow*> m_targets;
  // Turns and tilts the pull by a movement of the mouse in pixels, within the aim's limits.
  void AimBy(float dx, float dy);
  float m_tilt = 0.0f, m_turn = 0.0f;
  float m_target_depth = kStartDepth;
  float m_win_delay = 0.0f;
  uint32_t m_hits = 0;
  std::vector<bool> m_hit;
  uint32_t m_target_count = 0;
  bool m_pulling = false, m_fired = false;
  cResourcePtr<cSoundResource> m_pull_sound, m_hit_sound, m_loop_sound;
};
