#include "Sources/minigames/MiniGameCollectDetails.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGamePose.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

const Vector4 kLoose(0.8f, 0.8f, 0.8f, 1.0f);
const Vector4 kInPlace(1.0f, 1.0f, 1.0f, 1.0f);

std::string Cell(int k) {
  return std::to_string(k % MiniGameCollectDetails::kSide + 1) + "_" + std::to_string(k / MiniGameCollectDetails::kSide + 1);
}

void Play(const cResourcePtr<cSoundResource>& sound) {
  if (sound.Get() != nullptr) cSoundPlayer::GetInstance()->Play(sound, false);
}

}  // namespace

MiniGameCollectDetails::MiniGameCollectDetails(GUIWindow* parent) : MiniGame("collect_details", parent) {
  LoadForm("minigames\\location_11\\collect_details\\collect_details");
  for (int k = 0; k < kPieces; ++k) {
    m_pieces[k] = FindPiece(*this, "picture" + Cell(k));
    if (m_pieces[k] != nullptr) m_pieces[k]->SetColor(kLoose);
    m_places[k] = FindPiece(*this, "empty" + Cell(k));
    if (m_places[k] != nullptr) m_places[k]->Show(false);
  }
  for (int d = 0; d < kDoors; ++d) m_doors[d] = FindPiece(*this, "door" + std::to_string(d + 1));
  m_success_sound.Assign("audio\\game\\success");
  m_take_sound.Assign("audio\\game\\click");
  m_miss_sound.Assign("audio\\game\\insert_plastic");
  m_fit_sound.Assign("audio\\game\\take_wood");
  if (GUIWindow* border = FindPiece(*this, "border"); border != nullptr && border->GetVisual().GetModel() != nullptr) {
    const cBoundingBox& box = border->GetVisual().GetModel()->GetBoundingBox();
    m_bounds_min = box.m_world_min;
    m_bounds_max = box.m_world_max;
    border->Show(false);
  } else {
    // Without a border the pieces stay on the screen.
    m_bounds_max = Vector3(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight, 0.0f);
  }
}

void MiniGameCollectDetails::Start() {
  MiniGame::Start();
  for (GUIWindow* piece : m_pieces) {
    if (piece == nullptr) continue;
    piece->SetMatrix(Matrix4());
    piece->SetColor(kLoose);
  }
  m_board.fill(0);
  m_board[kCentre] = 1;
  if (m_pieces[kCentre] != nullptr) m_pieces[kCentre]->SetColor(kInPlace);
  for (GUIWindow* door : m_doors) {
    if (door != nullptr) door->SetColor(Vector4(0.0f, 0.0f, 0.0f, 0.0f));
  }
  m_door_alpha.fill(0.0f);
  m_door_open.fill(0);
  m_placed = 1;
  m_dragged = nullptr;
  m_win_timer = 0.0f;
  // The pieces are back where the form put them: picking must see them there.
  RefreshLayout(*this);
}

bool MiniGameCollectDetails::IsWorkingFinished(float dt) {
  if (m_placed == kPieces) {
    m_win_timer -= dt;
    if (m_win_timer < 0.0f && m_result == "wait") Finish("win");
  }
  for (int d = 0; d < kDoors; ++d) {
    if (!m_door_open[d]) continue;
    m_door_alpha[d] = std::min(1.0f, m_door_alpha[d] + dt * 0.5f);
    if (m_doors[d] != nullptr) m_doors[d]->SetColor(Vector4(1.0f, 1.0f, 1.0f, m_door_alpha[d]));
  }
  return MiniGame::IsWorkingFinished(dt);
}

bool MiniGameCollectDetails::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (input == nullptr || m_placed == kPieces) return answer;
  const Vector3 p(point.x, point.y, 0.0f);
  const bool released = input->Mouse().IsReleased(cInput::kMouseLeft);
  const bool accepts = AcceptsPieceInput();
  // The GUI offers a press where the button went down and a release where it came up: the piece
  // under the press is taken and follows the whole drag, however few frames saw it.
  if (accepts && input->Mouse().IsPressed(cInput::kMouseLeft)) {
    m_last_point = p;
    TakePiece(point);
  }
  if (accepts && m_dragged != nullptr && (released || input->Mouse().IsDown(cInput::kMouseLeft))) DragPiece(p);
  if (released) {
    if (m_dragged != nullptr) DropPiece();
    m_dragged = nullptr;
  } else if (!accepts) {
    m_dragged = nullptr;
  }
  return answer;
}

void MiniGameCollectDetails::TakePiece(const Vector2& point) {
  // The candidate latest among the children is drawn over the others.
  for (auto child = GetChildren().rbegin(); child != GetChildren().rend(); ++child) {
    const auto found = std::find(m_pieces.begin(), m_pieces.end(), *child);
    if (found == m_pieces.end() || m_board[found - m_pieces.begin()] != 0 || !IsPickedAt(*child, point)) continue;
    m_dragged = *child;
    Play(m_take_sound);
    m_dragged->MoveToFront(false);
    return;
  }
}

void MiniGameCollectDetails::Shift(GUIWindow* piece, const Vector3& shift) {
  Matrix4 local = piece->GetLocal();
  local.m[12] += shift.x;
  local.m[13] += shift.y;
  piece->SetMatrix(local);
  RefreshLayout(*piece);
}

void MiniGameCollectDetails::DragPiece(const Vector3& p) {
  const Vector3 centre = GetPieceCentre(m_dragged);
  Vector3 moved = centre + (p - m_last_point);
  moved.x = std::clamp(moved.x, m_bounds_min.x, std::max(m_bounds_min.x, m_bounds_max.x));
  moved.y = std::clamp(moved.y, m_bounds_min.y, std::max(m_bounds_min.y, m_bounds_max.y));
  Shift(m_dragged, moved - centre);
  m_last_point = p;
}

bool MiniGameCollectDetails::HasPlacedNeighbour(int k) const {
  const int row = k / kSide, column = k % kSide;
  for (int r = row - 1; r <= row + 1; ++r) {
    for (int c = column - 1; c <= column + 1; ++c) {
      const bool inside = r >= 0 && r < kSide && c >= 0 && c < kSide;
      if (inside && (r != row || c != column) && m_board[r * kSide + c] != 0) return true;
    }
  }
  return false;
}

void MiniGameCollectDetails::DropPiece() {
  const int k = static_cast<int>(std::find(m_pieces.begin(), m_pieces.end(), m_dragged) - m_pieces.begin());
  if (k >= kPieces || m_places[k] == nullptr) return;
  const Vector3 offset = GetPieceCentre(m_places[k]) - GetPieceCentre(m_dragged);
  if (std::fabs(offset.x) >= kCatch || std::fabs(offset.y) >= kCatch) {
    Play(m_miss_sound);
  } else if (HasPlacedNeighbour(k)) {
    Accept(k);
  }
}

void MiniGameCollectDetails::Accept(int k) {
  GUIWindow* piece = m_pieces[k];
  m_board[k] = 1;
  Shift(piece, GetPieceCentre(m_places[k]) - GetPieceCentre(piece));
  piece->SetColor(kInPlace);
  // A placed piece is drawn over the board, as the dragged one was: sent first among the children
  // it went under the board and was lost from sight. A loose piece taken later is drawn over it.
  piece->MoveToFront(false);
  ++m_placed;
  Play(m_fit_sound);
  if (m_placed == kPieces) m_win_timer = kWinDelay;
  for (int d = 0; d < m_placed * kDoors / kPieces; ++d) {
    if (m_door_open[d]) continue;
    Play(m_success_sound);
    m_door_open[d] = 1;
  }
}
