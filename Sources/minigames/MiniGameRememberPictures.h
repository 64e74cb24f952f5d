#pragma once
// Remember pictures: a stone cover opens on three pictures drawn from a table of icons and closes
// again after three seconds; the player clicks the three matching icons. A turn without a wrong
// click lights its icons for good, a wrong click starts a new turn at once. When fewer than four
// icons are left, the first of them lights by itself and the game is won.

#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameRememberPictures : public MiniGame {
 public:
  static constexpr int kPictures = 3;
  static constexpr float kFirstDelay = 1.0f;
  static constexpr float kShowTime = 3.0f;
  static constexpr float kWinDelay = 2.0f;
  static constexpr float kFadeRate = 2.0f;
  // The phases of a turn.
  enum Phase { kWaiting = 0, kOpening = 1, kShowing = 2, kClosing = 3, kAnswering = 4, kEnding = 5 };

  explicit MiniGameRememberPictures(GUIWindow* parent);

  void Start() override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;

  int GetPhase() const { return m_phase; }
  int CountIcons() const { return static_cast<int>(m_icons.size()); }
  const std::vector<int>& GetChosen() const { return m_chosen; }
  const std::vector<int>& GetPool() const { return m_pool; }
  bool IsIconSolved(int icon) const { return m_icons[static_cast<std::size_t>(icon)].solved; }

 private:
  struct Icon {
    GUIWindow* on = nullptr;
    GUIWindow* off = nullptr;
    bool solved = false;
    bool active = true;
    float fade = 0.0f;
  };

  void JudgePress();
  void NewTurn();
  void StepPhase(float dt);
  void Fade(float dt);
  bool IsCoverStopped() const;
  void PlayCover(bool forward);

  std::vector<Icon> m_icons;
  GUIWindow* m_cover = nullptr;
  std::vector<GUIWindow*> m_pictures;
  std::vector<int> m_pool;
  std::vector<int> m_chosen;
  int m_phase = kWaiting;
  float m_delay = 0.0f;
  int m_correct = 0;
  cResourcePtr<cSoundResource> m_cover_sound;
  cResourcePtr<cSoundResource> m_right_sound;
};
