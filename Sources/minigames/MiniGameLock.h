#pragma once
// The lock: four rods, each with a nut and a mark. Clicked, a rod slides to its middle and its mark
// lights; the rods must be clicked in an order drawn at every start. After a wrong rod has come to
// its middle the whole lock springs back; four right rods in a row open it ("win").

#include <array>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class RenderObject;

class MiniGameLock : public MiniGame {
 public:
  static constexpr int kRods = 4;
  static constexpr float kResetDelay = 0.5f;
  // Where each rod and nut rests after the start: 0 at the start of its animation, 1 at its end.
  static constexpr std::array<float, kRods> kInitialPositions = {0.0f, 1.0f, 1.0f, 0.0f};

  explicit MiniGameLock(GUIWindow* parent);

  void Start() override;
  void SetState(int state) override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;

  // The rods (0..3) in the order they must be clicked.
  const std::array<int, kRods>& GetRightOrder() const { return m_right_order; }
  int GetMoves() const { return m_moves; }
  int GetMistakes() const { return m_mistakes; }
  bool IsBusy() const { return m_busy; }

 private:
  void ClickRod(int rod);
  // A rod that has reached its middle this frame stops there, with its nut and its mark.
  void StopAtMiddle(int rod);
  void Reset();
  // Plays the piece's animation from where it stands, forward or backward.
  static void PlayFrom(RenderObject* model, bool forward);

  std::vector<GUIWindow*> m_rods;
  std::vector<GUIWindow*> m_nuts;
  std::vector<GUIWindow*> m_marks;
  std::array<float, kRods> m_initial{};
  std::array<float, kRods> m_last{};
  std::array<int, kRods> m_right_order{0, 1, 2, 3};
  int m_moves = 0;
  int m_mistakes = 0;
  float m_reset_time = 0.0f;
  bool m_reset_pending = false;
  bool m_busy = false;
  cResourcePtr<cSoundResource> m_click_sound;
  cResourcePtr<cSoundResource> m_stop_sound;
};
