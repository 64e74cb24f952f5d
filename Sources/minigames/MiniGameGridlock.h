#pragma once
// Gridlock: blocks slide along their own tracks, across or up and down, and never overlap; the
// player drags them aside until block 0 reaches the end of its track and leaves the board. A
// block's place on its track is the time of its model's animation "main", so tracks and stops
// come with the models. Two seconds after block 0 is out, the game is won.

#include <vector>

#include "Sources/minigames/MiniGame.h"

class MiniGameGridlock : public MiniGame {
 public:
  static constexpr float kWinDelay = 2.0f;
  // Block 0 is out once it stands this close to the end of its track (its pose is a float sum).
  static constexpr float kEndTolerance = 0.001f;

  explicit MiniGameGridlock(GUIWindow* parent);

  void Start() override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;

  const std::vector<GUIWindow*>& GetBlocks() const { return m_blocks; }
  bool IsVertical(GUIWindow* block) const;
  bool IsFreed() const { return m_solved; }

 private:
  void DragStep(const Vector3& p);
  // The dragged block to the nearer whole stop; back to the other when that one is taken.
  void Snap();
  // The block at `pose`, posed at once; true when it then overlaps another block.
  bool PlaceAndTest(GUIWindow* block, float pose);

  std::vector<GUIWindow*> m_blocks;  // "board_0", "board_1", ...
  GUIWindow* m_dragged = nullptr;
  bool m_moving_down = false;  // the last step went towards smaller positions
  bool m_moved = false;
  Vector3 m_last_point;
  bool m_solved = false;
  float m_win_delay = 0.0f;
};
