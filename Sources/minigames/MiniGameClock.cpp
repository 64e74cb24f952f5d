#include "Sources/minigames/MiniGameClock.h"

#include <algorithm>
#include <cmath>

#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGamePose.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

// A hand turns this many units of its pose for a whole turn of the pointer.
constexpr float kHandGearing = 150.0f;
// A hand's way in one step is looked along at this spacing, finer than the narrowest band.
constexpr float kSweepStep = 0.25f;

}  // namespace

MiniGameClock::MiniGameClock(GUIWindow* parent) : MiniGame("clock", parent) {
  LoadForm("minigames\\location_4\\clock");
  m_minute_hand = FindPiece(*this, "minute_hand");
  m_hour_hand = FindPiece(*this, "hour_hand");
  SelectPose(m_minute_hand, "move");
  SelectPose(m_hour_hand, "move");
  m_spring_sound.Assign("audio\\game\\spring");
}

MiniGameClock::~MiniGameClock() {
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance(); player != nullptr && m_spring_sound.Get() != nullptr) {
    player->Stop(m_spring_sound);
  }
  m_spring_sound.Reset();
}

bool MiniGameClock::ShowsTheTime(float minute_value, float hour_value) {
  const bool minute = (minute_value >= 0.0f && minute_value <= 0.5f) || (minute_value >= 99.5f && minute_value <= 100.0f);
  return minute && hour_value >= 56.8f && hour_value <= 59.0f;
}

void MiniGameClock::Start() {
  m_dragged = nullptr;
  MiniGame::Start();
  ReleasePanel();
}

bool MiniGameClock::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (input == nullptr) return answer;
  const Vector3 p(point.x, point.y, 0.0f);
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  const bool released = input->Mouse().IsReleased(cInput::kMouseLeft);
  if (AcceptsPieceInput()) {
    // The GUI offers a press where the button went down and a release where it came up: the hand
    // under the press is taken and follows the whole drag, however few frames saw it.
    if (input->Mouse().IsPressed(cInput::kMouseLeft)) {
      // The minute hand lies over the hour hand: a press on both takes it.
      if (IsPickedAt(m_minute_hand, point)) {
        m_dragged = m_minute_hand;
      } else if (IsPickedAt(m_hour_hand, point)) {
        m_dragged = m_hour_hand;
      }
      m_last_point = p;
    } else if (m_dragged != nullptr && (released || input->Mouse().IsDown(cInput::kMouseLeft))) {
      if (!released && m_spring_sound.Get() != nullptr && !player->IsPlaying(m_spring_sound) && m_result != "win") {
        player->Play(m_spring_sound, true);
      }
      DragStep(p);
    }
  }
  if (released) {
    // Let go at any time, so the spring never creaks on.
    if (m_spring_sound.Get() != nullptr) player->Stop(m_spring_sound);
    m_dragged = nullptr;
  }
  return answer;
}

void MiniGameClock::DragStep(const Vector3& p) {
  const bool minute = m_dragged == m_minute_hand;
  float& value = minute ? m_minute_value : m_hour_value;
  const PointerTurn turn = MeasureTurn(GetPieceCentre(m_dragged), m_last_point, p);
  const float step = turn.side > 0.0f ? kHandGearing * turn.fraction : -kHandGearing * turn.fraction;
  const float from = value;
  value = WrapTurnPose(from + step);
  m_last_point = p;
  GUIWindow* hand = m_dragged;
  if (m_result == "wait") {
    // A fast drag moves a hand far in one step: passing the right time shows it, and the hand
    // stops there.
    const int samples = std::max(1, static_cast<int>(std::ceil(std::fabs(step) / kSweepStep)));
    for (int i = 1; i <= samples; ++i) {
      const float at = i == samples ? value : WrapTurnPose(from + step * static_cast<float>(i) / static_cast<float>(samples));
      if (ShowsTheTime(minute ? at : m_minute_value, minute ? m_hour_value : at)) {
        value = at;
        Finish("win");
        break;
      }
    }
  }
  SetPose(hand, value);
}

void MiniGameClock::Finish(const std::string& word) {
  MiniGame::Finish(word);
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) DeleteSoundHandles(player->GetHandles());
}
