#include "Sources/minigames/MiniGameSwitches.h"

#include <algorithm>
#include <string>

#include "Sources/minigames/MiniGameMouse.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "source/math/Rand.h"
#include "source/sound/cSoundPlayer.h"

namespace {

// Seconds the light stays with every switch on; with none left it would stay a fifth of that.
constexpr float kLongestStay = 2.0f;
constexpr float kShortestShare = 0.2f;

void ShowPiece(GUIWindow* piece, bool on) {
  if (piece != nullptr) piece->Show(on);
}

}  // namespace

MiniGameSwitches::MiniGameSwitches(GUIWindow* parent) : MiniGame("switches", parent) {
  LoadForm("minigames\\location_15\\switches\\switches");
  for (int i = 0;; ++i) {
    const std::string number = std::to_string(i);
    GUIWindow* off = FindChild("switch_off_" + number);
    if (off == nullptr) break;
    m_off.push_back(off);
    m_red.push_back(FindPiece(*this, "light_red_" + number));
    m_on.push_back(FindPiece(*this, "switch_on_" + number));
    ShowPiece(m_red.back(), false);
    ShowPiece(m_on.back(), false);
    ShowPiece(FindPiece(*this, "light_" + number), false);
  }
  m_switch_sound.Assign("audio\\game\\switch");
}

void MiniGameSwitches::Start() {
  MiniGame::Start();
  m_on_list.clear();
  for (std::size_t i = 0; i < m_off.size(); ++i) {
    ShowPiece(m_off[i], false);
    ShowPiece(m_on[i], true);
    ShowPiece(m_red[i], false);
    m_on_list.push_back(static_cast<int32_t>(i));
  }
  m_marked = 0;
  m_interval = 0.0f;
}

bool MiniGameSwitches::IsWorkingFinished(float dt) {
  m_interval -= dt;
  if (m_on_list.empty()) {
    Finish("win");
  } else if (m_interval < 0.0f) {
    if (m_marked >= 0 && m_marked < static_cast<int32_t>(m_red.size())) ShowPiece(m_red[m_marked], false);
    m_marked = m_on_list[Rand() % m_on_list.size()];
    ShowPiece(m_red[m_marked], true);
    const float remaining = static_cast<float>(m_on_list.size()) / static_cast<float>(m_off.size());
    m_interval = kLongestStay * (kShortestShare + (1.0f - kShortestShare) * remaining);
  }
  return IsShown() && MiniGame::IsWorkingFinished(dt);
}

bool MiniGameSwitches::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  if (!AcceptsPieceInput() || m_on_list.empty() || !IsFreshLeftPress()) return answer;
  if (m_marked < 0 || m_marked >= static_cast<int32_t>(m_off.size()) || !RayHitsPiece(m_off[m_marked])) return answer;
  ShowPiece(m_off[m_marked], true);
  ShowPiece(m_on[m_marked], false);
  ShowPiece(m_red[m_marked], false);
  m_on_list.erase(std::remove(m_on_list.begin(), m_on_list.end(), m_marked), m_on_list.end());
  if (m_switch_sound) cSoundPlayer::GetInstance()->Play(m_switch_sound, false);
  m_interval = 0.0f;
  return answer;
}
