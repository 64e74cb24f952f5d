#include "Sources/minigames/MiniGameCircles.h"

#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGamePose.h"
#include "source/input/cInput.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

// A ring turns this many units of its pose for a whole turn of the pointer.
constexpr float kRingGearing = 150.0f;

}  // namespace

MiniGameCircles::MiniGameCircles(GUIWindow* parent) : MiniGame("circles", parent) {
  LoadForm("minigames\\location_8\\circles\\circles");
  for (int i = 1; i <= kRings; ++i) m_rings.push_back(FindPiece(*this, "circle_" + std::to_string(i)));
  m_turn_sound.Assign("audio\\game\\stone_send");
}

MiniGameCircles::~MiniGameCircles() {
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance(); player != nullptr && m_turn_sound.Get() != nullptr) {
    player->Stop(m_turn_sound);
  }
  m_turn_sound.Reset();
}

bool MiniGameCircles::IsHome(float pose, float end) {
  const float low = 0.004f * end, high = 0.994f * end;
  return (low > 0.0f && pose >= 0.0f && pose <= low) || (high < end && pose >= high && pose <= end);
}

void MiniGameCircles::Start() {
  MiniGame::Start();
  for (GUIWindow* ring : m_rings) {
    if (!SelectPose(ring, "main")) continue;
    const float f = static_cast<float>(Rand()) / 32768.0f * 0.6f + 0.2f;
    SetPose(ring, f * GetPoseEnd(ring));
  }
  m_dragged = nullptr;
  m_solved = false;
  m_win_delay = 0.0f;
}

bool MiniGameCircles::OnMouse(const Vector2& point, bool button_down) {
  const cInput* input = cInput::PeekInstance();
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  const bool released = input != nullptr && input->Mouse().IsReleased(cInput::kMouseLeft);
  if (input != nullptr && !m_solved && AcceptsPieceInput()) {
    // The GUI offers a press where the button went down and a release where it came up, so a
    // ring taken at `point` and let go at `point` follows the whole of the drag however few
    // frames saw it (the pick ray follows the pointer, which may have moved on).
    if (input->Mouse().IsPressed(cInput::kMouseLeft)) {
      for (GUIWindow* ring : m_rings) {
        if (ring == nullptr || !IsPickedAt(ring, point)) continue;
        if (m_turn_sound.Get() != nullptr) player->Play(m_turn_sound, true);
        m_dragged = ring;
        m_last_point = Vector3(point.x, point.y, 0.0f);
        break;
      }
    }
    if (m_dragged != nullptr && (released || input->Mouse().IsDown(cInput::kMouseLeft))) {
      TurnStep(Vector3(point.x, point.y, 0.0f));
    }
  }
  if (released) {
    if (m_turn_sound.Get() != nullptr) player->Stop(m_turn_sound);
    m_dragged = nullptr;
  }
  return MiniGame::OnMouse(point, button_down);
}

void MiniGameCircles::TurnStep(const Vector3& p) {
  float pose = GetPose(m_dragged);
  const PointerTurn turn = MeasureTurn(GetPieceCentre(m_dragged), m_last_point, p);
  // The rings follow the pointer: a clockwise turn takes the pose down.
  pose += turn.side > 0.0f ? -kRingGearing * turn.fraction : kRingGearing * turn.fraction;
  m_last_point = p;
  SetPose(m_dragged, WrapTurnPose(pose));
}

bool MiniGameCircles::AreAllHome() const {
  // A form without its rings is never solved by itself: it can only be left.
  bool any = false;
  for (const GUIWindow* ring : m_rings) {
    if (ring == nullptr) continue;
    if (!IsHome(GetPose(ring), GetPoseEnd(ring))) return false;
    any = true;
  }
  return any;
}

bool MiniGameCircles::IsWorkingFinished(float dt) {
  const bool home = AreAllHome();
  if (home && !m_solved) {
    if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) DeleteSoundHandles(player->GetHandles());
    m_dragged = nullptr;
    m_win_delay = kWinDelay;
    for (GUIWindow* ring : m_rings) SetPose(ring, 0.0f);
  }
  m_solved = home || m_solved;
  if (m_solved) {
    m_win_delay -= dt;
    if (m_win_delay < 0.0f && m_result == "wait") Finish("win");
  }
  return MiniGame::IsWorkingFinished(dt);
}

void MiniGameCircles::Finish(const std::string& word) {
  MiniGame::Finish(word);
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) DeleteSoundHandles(player->GetHandles());
}
