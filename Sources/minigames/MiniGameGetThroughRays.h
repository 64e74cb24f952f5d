#pragma once
// Get through the rays: a 5 x 5 board of covered tiles, each hiding an arrow with a distance. From
// the uncovered start tile the player clicks, each time, the tile the current arrow points to,
// which uncovers it; the path visits every tile and ends on the goal, which wins two seconds
// later. A wrong click shows the error picture for a second and ends the game with the empty word.

#include <array>
#include <cstdint>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameGetThroughRays : public MiniGame {
 public:
  static constexpr int kSide = 5;
  static constexpr int kTiles = kSide * kSide;
  static constexpr int32_t kStartTile = 22;
  static constexpr int32_t kGoalTile = 2;
  // Pictures besides the arrows (a tile's code is its arrow picture).
  static constexpr float kErrorPicture = 13.0f;
  static constexpr float kCoveredPicture = 15.0f;

  explicit MiniGameGetThroughRays(GUIWindow* parent);

  // Every tile covered but the start tile, which shows its arrow.
  void Start() override;
  // The end timer after the goal or a wrong click.
  bool IsWorkingFinished(float dt) override;
  // A fresh press on the tiles under the pointer.
  bool OnMouse(const Vector2& point, bool button_down) override;

  // The tile the arrow of `tile` points to; -1 off the board or for a tile out of range.
  static int32_t PointedFrom(int32_t tile);
  static int32_t CodeOf(int32_t tile);

  int32_t GetCurrentTile() const { return m_current; }
  int32_t GetErrorTile() const { return m_error; }
  bool IsUncovered(int32_t tile) const { return tile >= 0 && tile < kTiles && m_uncovered[tile] != 0; }

 private:
  void ShowPicture(int32_t tile, float picture);
  void TakeClick(int32_t tile);

  std::array<GUIWindow*, kTiles> m_tiles{};
  std::array<uint8_t, kTiles> m_uncovered{};
  int32_t m_current = kStartTile;
  int32_t m_error = -1;
  float m_end_timer = -1.0f;
  cResourcePtr<cSoundResource> m_click_sound;
  cResourcePtr<cSoundResource> m_fail_sound;
};
