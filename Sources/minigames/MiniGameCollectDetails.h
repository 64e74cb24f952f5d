#pragma once
// Collect details: a picture cut into 7 x 7 pieces. The centre piece lies in place from the
// start; the player drags the others onto their places, and a piece is taken only next to one
// already in place (diagonals count). Four doors fade in as the picture fills; two seconds after
// the last piece the game is won.

#include <array>
#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameCollectDetails : public MiniGame {
 public:
  static constexpr int kSide = 7;
  static constexpr int kPieces = kSide * kSide;
  static constexpr int kCentre = kPieces / 2;
  static constexpr int kDoors = 4;
  // A piece dropped this close to its place (in x and in y) is taken.
  static constexpr float kCatch = 8.0f;
  static constexpr float kWinDelay = 2.0f;

  explicit MiniGameCollectDetails(GUIWindow* parent);

  void Start() override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;

  // Piece and place k (row (k / 7) + 1, column (k % 7) + 1 in their names); null where missing.
  GUIWindow* GetPiece(int k) const { return m_pieces[k]; }
  GUIWindow* GetPlace(int k) const { return m_places[k]; }
  int GetPlacedCount() const { return m_placed; }
  bool IsPlaced(int k) const { return m_board[k] != 0; }
  bool IsDoorOpen(int d) const { return m_door_open[d] != 0; }
  const GUIWindow* GetDragged() const { return m_dragged; }

 private:
  bool HasPlacedNeighbour(int k) const;
  void TakePiece(const Vector2& point);
  // The dragged piece moves by the pointer's motion, its centre kept inside the border.
  void DragPiece(const Vector3& p);
  void DropPiece();
  void Accept(int k);
  // Moves the piece so that its centre goes by `shift`.
  void Shift(GUIWindow* piece, const Vector3& shift);

  GUIWindow* m_dragged = nullptr;
  std::array<GUIWindow*, kPieces> m_pieces{};
  std::array<GUIWindow*, kPieces> m_places{};
  std::array<GUIWindow*, kDoors> m_doors{};
  int32_t m_placed = 0;
  cResourcePtr<cSoundResource> m_success_sound;
  cResourcePtr<cSoundResource> m_take_sound;
  cResourcePtr<cSoundResource> m_miss_sound;
  cResourcePtr<cSoundResource> m_fit_sound;
  Vector3 m_bounds_min;
  Vector3 m_bounds_max;
  Vector3 m_last_point;
  std::array<uint8_t, kPieces> m_board{};
  std::array<uint8_t, kDoors> m_door_open{};
  std::array<float, kDoors> m_door_alpha{};
  float m_win_timer = 0.0f;
};
