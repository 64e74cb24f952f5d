#include "Sources/minigames/MiniGameRoundPuzzle.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Sources/minigames/MiniGamePieces.h"
#include "source/math/Matrix4.h"
#include "source/math/Rand.h"
#include "source/sound/cSoundPlayer.h"

namespace {

Vector3 WorldPosition(const GUIWindow* window) {
  if (window == nullptr) return Vector3();
  const Matrix4& world = window->GetWorld();
  return Vector3(world[12], world[13], world[14]);
}

void Play(const cResourcePtr<cSoundResource>& sound) { cSoundPlayer::GetInstance()->Play(sound, false); }

}  // namespace

MiniGameRoundPuzzle::MiniGameRoundPuzzle(GUIWindow* parent) : MiniGame("round_puzzle", parent) {
  LoadForm("minigames\\location_11\\round_puzzle\\round_puzzle");
  m_chips = FindNumberedPieces(*this, "chip_", kChips);
  m_points = FindNumberedPieces(*this, "point_", kChips);
  // The centre chip has no symbol: the symbols count from 1.
  m_symbols.push_back(nullptr);
  for (int chip = 1; chip < kChips; ++chip) m_symbols.push_back(FindPiece(*this, "symbol_" + std::to_string(chip)));
  m_buttons = FindNumberedPieces(*this, "button_turn_", kButtons);
  for (GUIWindow* window : m_points) {
    if (window != nullptr) window->Show(false);
  }
  for (GUIWindow* window : m_symbols) {
    if (window != nullptr) window->Show(false);
  }
  for (GUIWindow* button : m_buttons) {
    if (button == nullptr) continue;
    button->SetValue("click_sound", "audio\\game\\button02");
    button->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameRoundPuzzle::OnTurn));
  }
  m_places = {0, -1, 1, 2, 3, 4, 5, -1, 6};
  m_turn_sound.Assign("audio\\game\\stone_send");
  m_home_sound.Assign("audio\\game\\success2");
}

void MiniGameRoundPuzzle::Start() {
  MiniGame::Start();  // the layout is brought up to date there: the hidden points have their places
  m_solved = m_turning = m_check = false;
  m_timer = 0.0f;
  Shuffle(kShuffleTurns, true);
  RefreshLayout(*this);
}

int MiniGameRoundPuzzle::Shuffle(int turns, bool until_scattered) {
  int applied = 0;
  while (applied < turns) {
    ApplyTurnAtOnce(static_cast<int>(Rand() % kButtons));
    ++applied;
    CheckHome(false);
    if (until_scattered && m_home_count == 0) break;
  }
  // However the turns were drawn, the puzzle is not handed over solved: one turn more moves two
  // ring chips off their points.
  if (m_home_count == kChips - 1) {
    ApplyTurnAtOnce(0);
    CheckHome(false);
  }
  return applied;
}

int MiniGameRoundPuzzle::ChipAt(int place) const {
  return place >= 0 && place < kPlaces ? m_places[static_cast<std::size_t>(place)] : -1;
}

DelegateArg MiniGameRoundPuzzle::OnTurn(DelegateArg sender) {
  if (m_turning || m_solved) return 0;
  const int button = PieceIndex(m_buttons, reinterpret_cast<GUIWindow*>(sender));
  if (button < 0) return 0;
  m_turning = true;
  Play(m_turn_sound);
  PrepareTurn(button);
  m_timer = kTurnTime;
  return 0;
}

bool MiniGameRoundPuzzle::IsWorkingFinished(float dt) {
  if (m_check) {
    CheckHome(true);
    m_check = false;
  }
  if (m_turning && !m_solved) {
    m_timer -= dt;
    MoveTurn(std::clamp((kTurnTime - m_timer) / kTurnTime, 0.0f, 1.0f));
    if (m_timer < 0.0f) {
      ExchangeTurnedPlaces();
      m_turning = false;
      m_check = true;
    }
  } else if (m_solved && !m_turning) {
    m_timer -= dt;
    if (m_timer < 0.0f && m_result == "wait") Finish("win");
  }
  return GUIStateWindow::IsWorkingFinished(dt);
}

void MiniGameRoundPuzzle::PrepareTurn(int button) {
  for (int i = 0; i < 3; ++i) {
    m_turn[i].place = kTurns[button][i];
    m_turn[i].start = PositionOfPlace(m_turn[i].place);
  }
  for (int i = 0; i < 3; ++i) m_turn[i].target = m_turn[(i + 1) % 3].start;
}

void MiniGameRoundPuzzle::MoveTurn(float progress) {
  for (const TurnRecord& record : m_turn) {
    const int chip = m_places[static_cast<std::size_t>(record.place)];
    if (chip < 0) continue;
    PlaceChip(m_chips[static_cast<std::size_t>(chip)], record.start + (record.target - record.start) * progress);
  }
}

void MiniGameRoundPuzzle::ExchangeTurnedPlaces() {
  // The chip of place 1 went to place 2, that of 2 to 3 and that of 3 to 1.
  auto& places = m_places;
  const std::size_t a = static_cast<std::size_t>(m_turn[0].place), b = static_cast<std::size_t>(m_turn[1].place),
                    c = static_cast<std::size_t>(m_turn[2].place);
  std::swap(places[a], places[b]);
  std::swap(places[a], places[c]);
}

void MiniGameRoundPuzzle::ApplyTurnAtOnce(int button) {
  PrepareTurn(button);
  MoveTurn(1.0f);
  ExchangeTurnedPlaces();
}

void MiniGameRoundPuzzle::CheckHome(bool sounding) {
  int home = 0;
  for (int chip = 1; chip < kChips; ++chip) {
    GUIWindow* symbol = m_symbols[static_cast<std::size_t>(chip)];
    if (!IsChipHome(chip)) {
      if (symbol != nullptr) symbol->Show(false);
      continue;
    }
    if (sounding && symbol != nullptr && !symbol->IsVisible()) Play(m_home_sound);
    if (symbol != nullptr) symbol->Show(true);
    ++home;
  }
  m_home_count = home;
  if (sounding && home == kChips - 1) {
    m_solved = true;
    m_timer = kWinDelay;
  }
}

bool MiniGameRoundPuzzle::IsChipHome(int chip) const {
  const GUIWindow* piece = m_chips[static_cast<std::size_t>(chip)];
  const GUIWindow* point = m_points[static_cast<std::size_t>(chip)];
  if (piece == nullptr || point == nullptr) return false;
  const Vector3 a = WorldPosition(piece), b = WorldPosition(point);
  return std::fabs(a.x - b.x) < kHomeDistance && std::fabs(a.y - b.y) < kHomeDistance;
}

Vector3 MiniGameRoundPuzzle::PositionOfPlace(int place) const {
  const int chip = m_places[static_cast<std::size_t>(place)];
  return chip >= 0 ? WorldPosition(m_chips[static_cast<std::size_t>(chip)]) : Vector3();
}

void MiniGameRoundPuzzle::PlaceChip(GUIWindow* chip, const Vector3& position) {
  if (chip == nullptr) return;
  // The chip's world position is `position`: its local matrix is the translation that gives it
  // under its parent.
  const Vector3 parent = WorldPosition(chip->GetParent());
  chip->SetMatrix(Matrix4::MakeTranslation(position.x - parent.x, position.y - parent.y, position.z - parent.z));
}
