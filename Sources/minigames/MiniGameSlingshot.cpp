#include "Sources/minigames/MiniGameSlingshot.h"

#include <algorithm>

#include "Sources/minigames/MiniGamePieces.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

// Where the slingshot stands (its pivot) on the GUI's screen.
constexpr float kPivotX = 515.0f, kPivotY = 225.0f, kPivotZ = 600.0f;

}  // namespace

MiniGameSlingshot::MiniGameSlingshot(GUIWindow* parent) : MiniGameSlingshot(parent, "minigames\\location_14\\slingshot\\slingshot") {}

MiniGameSlingshot::MiniGameSlingshot(GUIWindow* parent, const std::string& form) : MiniGame("slingshot", parent) {
  LoadForm(form);
  m_rubber = FindPiece(*this, "rubber");
  m_slingshot = FindPiece(*this, "slingshot");
  m_stone = FindPiece(*this, "stone");
  m_disc = FindPiece(*this, "disc_big");
  SelectAnimation(m_disc, "main", true);
  for (GUIWindow* target = FindChild("aim_0"); target != nullptr;
       target = FindChild("aim_" + std::to_string(m_targets.size()))) {
    m_targets.push_back(target);
    SelectAnimation(target, "main", true);
    m_target_depth = std::min(m_target_depth, BoxOf(target).m_centre.z);
  }
  m_target_count = static_cast<uint32_t>(m_targets.size());
  m_hit.assign(m_targets.size(), false);
  // Without targets there is nothing to hit: the game is won at once, after no delay.
  if (m_targets.empty()) LogReport(kLogError, "Sources\\MiniGame", __LINE__, "slingshot: no targets \"aim_0\"...");
  m_pull_sound = HoldSound("audio\\game\\elastic");
  m_hit_sound = HoldSound("audio\\game\\stone_wall");
  m_loop_sound = HoldSound("audio\\game\\platform");
}

MiniGameSlingshot::~MiniGameSlingshot() {
  // A game left with the location still loops its sound otherwise.
  if (m_loop_sound) {
    if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Stop(m_loop_sound);
  }
}

void MiniGameSlingshot::Start() {
  MiniGame::Start();
  m_tilt = m_turn = 0.0f;
  m_hits = 0;
  m_win_delay = 0.0f;
  m_pulling = m_fired = false;
  std::fill(m_hit.begin(), m_hit.end(), false);
  for (GUIWindow* target : m_targets) SetPieceFrame(target, 0.0f);
  SelectAnimation(m_stone, "push", false);
  SelectAnimation(m_rubber, "push", false);
  PlayArcadeSound(m_loop_sound, true);
}

void MiniGameSlingshot::Finish(const std::string& word) {
  MiniGame::Finish(word);
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) DeleteSoundHandles(player->GetHandles());
}

bool MiniGameSlingshot::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (!AcceptsPieceInput() || input == nullptr || m_result != "wait") return answer;
  const InputState& mouse = input->Mouse();
  // A slow frame's movement may come partly before the press or after the release: the pull
  // follows the pointer from where the button went down to where it came up.
  const cInput::Position& now = input->MousePosition();
  const cInput::Delta& moved = input->MouseDelta();
  if (mouse.IsPressed(cInput::kMouseLeft) && !m_fired) {
    m_pulling = true;
    SelectAnimation(m_stone, "pull", true);
    SelectAnimation(m_rubber, "pull", true);
    PlayArcadeSound(m_pull_sound);
    AimBy(now.x - input->LeftPress().x, now.y - input->LeftPress().y);
  } else if (mouse.IsReleased(cInput::kMouseLeft) && m_pulling) {
    // Only a pulled rubber shoots: a release after a press during a flight changes nothing.
    AimBy(moved.x - (now.x - input->LeftRelease().x), moved.y - (now.y - input->LeftRelease().y));
    m_pulling = false;
    m_fired = true;
    SelectAnimation(m_stone, "push", true);
    SelectAnimation(m_rubber, "push", true);
  } else if (m_pulling) {
    AimBy(moved.x, moved.y);
  }
  return answer;
}

void MiniGameSlingshot::AimBy(float dx, float dy) {
  m_turn = std::clamp(m_turn + dx * kMouseToAim, -kMaxAim, kMaxAim);
  m_tilt = std::clamp(m_tilt + dy * kMouseToAim, -kMaxAim, kMaxAim);
}

bool MiniGameSlingshot::IsWorkingFinished(float dt) {
  if (m_hits < m_target_count) {
    Aim();
    TestHit();
  } else {
    m_win_delay -= dt;
    if (m_win_delay < 0.0f) {
      Finish("win");
      return false;
    }
  }
  return MiniGame::IsWorkingFinished(dt);
}

void MiniGameSlingshot::Aim() {
  Matrix4 aim;
  aim.RotateY(m_turn);
  aim.RotateX(m_tilt);
  aim.m[12] = kPivotX;
  aim.m[13] = kPivotY;
  aim.m[14] = kPivotZ;
  for (GUIWindow* piece : {m_rubber, m_slingshot, m_stone}) {
    if (piece == nullptr) continue;
    piece->SetMatrix(aim);
    RefreshLayout(*piece);
  }
}

void MiniGameSlingshot::TestHit() {
  const RenderObject* stone = ModelOf(m_stone);
  if (!m_fired || stone == nullptr) return;
  const cBoundingBox box = stone->GetBoundingBox();
  if (box.m_centre.z > m_target_depth && stone->GetAnimation().IsPlaying()) return;
  for (std::size_t i = 0; i < m_targets.size(); ++i) {
    if (m_hit[i] || !OverlapXY(box, BoxOf(m_targets[i]))) continue;
    PlayArcadeSound(m_hit_sound);
    SetPieceFrame(m_targets[i], 1.0f);
    m_hit[i] = true;
    ++m_hits;
    break;
  }
  m_fired = false;
  SelectAnimation(m_stone, "push", false);
  if (m_hits == m_target_count) m_win_delay = kWinDelay;
}
