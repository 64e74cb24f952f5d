#include "Sources/minigames/MiniGameGetThroughRays.h"

#include <string>

#include "Sources/minigames/MiniGameMouse.h"
#include "Sources/minigames/MiniGamePictures.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "source/sound/cSoundPlayer.h"

namespace {

// The arrows by tile, row by row: direction = code mod 4 (up, left, down, right), distance =
// code / 4 + 1. From the start tile they lead over every tile once to the goal.
constexpr int32_t kCodes[MiniGameGetThroughRays::kTiles] = {
    3, 2, 12, 10, 1,  //
    11, 1, 2, 1, 0,   //
    4, 1, 4, 3, 6,    //
    2, 2, 5, 5, 4,    //
    11, 4, 0, 4, 0,
};

// Seconds the goal tile shows before the win, and the error picture before the end.
constexpr float kWinDelay = 2.0f;
constexpr float kErrorDelay = 1.0f;

void Play(const cResourcePtr<cSoundResource>& sound) {
  if (sound) cSoundPlayer::GetInstance()->Play(sound, false);
}

}  // namespace

MiniGameGetThroughRays::MiniGameGetThroughRays(GUIWindow* parent) : MiniGame("get_through_rays", parent) {
  LoadForm("minigames\\location_13\\get_through_rays\\get_through_rays");
  for (int k = 0; k < kTiles; ++k) {
    m_tiles[k] = FindPiece(*this, "picture_" + std::to_string(k + 1));
    ShowPicture(k, kCoveredPicture);
  }
  m_click_sound.Assign("audio\\game\\click");
  m_fail_sound.Assign("audio\\game\\fail01");
}

int32_t MiniGameGetThroughRays::CodeOf(int32_t tile) { return tile >= 0 && tile < kTiles ? kCodes[tile] : -1; }

int32_t MiniGameGetThroughRays::PointedFrom(int32_t tile) {
  const int32_t code = CodeOf(tile);
  if (code < 0) return -1;
  const int32_t distance = code / 4 + 1;
  const int32_t row = tile / kSide, column = tile % kSide;
  int32_t to_row = row, to_column = column;
  switch (code % 4) {
    case 0: to_row -= distance; break;
    case 1: to_column -= distance; break;
    case 2: to_row += distance; break;
    default: to_column += distance; break;
  }
  if (to_row < 0 || to_row >= kSide || to_column < 0 || to_column >= kSide) return -1;
  return to_row * kSide + to_column;
}

void MiniGameGetThroughRays::ShowPicture(int32_t tile, float picture) { SetPiecePicture(m_tiles[tile], picture); }

void MiniGameGetThroughRays::Start() {
  MiniGame::Start();
  m_uncovered.fill(0);
  for (int k = 0; k < kTiles; ++k) ShowPicture(k, kCoveredPicture);
  ShowPicture(kStartTile, static_cast<float>(kCodes[kStartTile]));
  m_uncovered[kStartTile] = 1;
  m_current = kStartTile;
  m_end_timer = -1.0f;
  m_error = -1;
}

bool MiniGameGetThroughRays::IsWorkingFinished(float dt) {
  if (m_end_timer > 0.0f) {
    m_end_timer -= dt;
    if (m_end_timer <= 0.0f) {
      if (m_error < 0) {
        Finish("win");
      } else {
        ShowPicture(m_error, m_uncovered[m_error] != 0 ? static_cast<float>(kCodes[m_error]) : kCoveredPicture);
        Finish("");
      }
    }
  }
  return MiniGame::IsWorkingFinished(dt);
}

void MiniGameGetThroughRays::TakeClick(int32_t tile) {
  if (tile == PointedFrom(m_current)) {
    Play(m_click_sound);
    m_current = tile;
    ShowPicture(tile, static_cast<float>(kCodes[tile]));
    m_uncovered[tile] = 1;
    if (tile == kGoalTile) m_end_timer = kWinDelay;
  } else {
    Play(m_fail_sound);
    m_end_timer = kErrorDelay;
    m_error = tile;
    ShowPicture(tile, kErrorPicture);
  }
}

bool MiniGameGetThroughRays::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  if (!AcceptsPieceInput() || m_end_timer >= 0.0f || !IsFreshLeftPress()) return answer;
  for (int32_t k = 0; k < kTiles; ++k) {
    if (m_tiles[k] != nullptr && m_tiles[k]->IsHover()) TakeClick(k);
  }
  return answer;
}
