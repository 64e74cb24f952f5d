#include "Sources/minigames/MiniGameLock.h"

#include "Sources/minigames/MiniGamePieces.h"
#include "source/input/cInput.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/timer/cTimerManager.h"

namespace {

RenderObject* ModelOf(GUIWindow* window) { return window != nullptr ? window->GetVisual().GetModel() : nullptr; }

// The animation's whole span in frames (its length times its rate).
float SpanOf(const RenderObject* model) {
  return model != nullptr ? model->GetAnimation().GetLength() * model->GetAnimation().GetFramesPerSecond() : 0.0f;
}

float PositionOf(const RenderObject* model) { return model != nullptr ? model->GetAnimation().GetTime() : 0.0f; }

void Place(RenderObject* model, float position) {
  if (model == nullptr) return;
  model->GetAnimation().SetPlaying(false);
  model->GetAnimation().SetTime(position);
}

void Play(const cResourcePtr<cSoundResource>& sound) { cSoundPlayer::GetInstance()->Play(sound, false); }

}  // namespace

MiniGameLock::MiniGameLock(GUIWindow* parent) : MiniGame("lock", parent) {
  LoadForm("minigames\\location_3\\lock");
  for (const char* name : {"rod1", "rod2", "rod3", "rod4"}) m_rods.push_back(FindPiece(*this, name));
  // The first nut's name is spelled so in the form.
  for (const char* name : {"nut1q", "nut2", "nut3", "nut4"}) m_nuts.push_back(FindPiece(*this, name));
  for (const char* name : {"mark1", "mark2", "mark3", "mark4"}) m_marks.push_back(FindPiece(*this, name));
  m_click_sound.Assign("audio\\game\\gear");
  m_stop_sound.Assign("audio\\game\\lock_parts");
}

void MiniGameLock::Start() {
  MiniGame::Start();
  m_initial = kInitialPositions;
  m_moves = m_mistakes = 0;
  m_last = m_initial;
  for (GUIWindow* mark : m_marks) {
    if (mark != nullptr) mark->Show(false);
  }
  std::vector<int> left = {0, 1, 2, 3};
  for (int& entry : m_right_order) {
    const std::size_t at = Rand() % left.size();
    entry = left[at];
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(at));
  }
  m_reset_time = 0.0f;
  m_reset_pending = m_busy = false;
}

void MiniGameLock::SetState(int state) {
  const int before = GetState();
  MiniGame::SetState(state);
  // Only a game that comes to work afresh is set up: one resumed after the hero spoke keeps its
  // rods where the player left them, with the moves and marks that go with them.
  if (state != kWorking || before == kPaused || before == kWorking) return;
  for (GUIWindow* child : GetChildren()) {
    RenderObject* model = ModelOf(child);
    if (model == nullptr || !model->GetAnimation().SetAnimation("main")) continue;
    Place(model, 0.0f);
  }
  for (int i = 0; i < kRods; ++i) {
    RenderObject* rod = ModelOf(m_rods[i]);
    RenderObject* nut = ModelOf(m_nuts[i]);
    Place(rod, m_initial[i] * SpanOf(rod));
    Place(nut, m_initial[i] * SpanOf(nut));
    // What the middle test compares with is where the rod now stands.
    m_last[i] = PositionOf(rod);
  }
}

bool MiniGameLock::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  if (m_moves >= kRods || m_busy || !AcceptsPieceInput()) return answer;
  const cInput* input = cInput::PeekInstance();
  if (input == nullptr || !input->Mouse().IsReleased(cInput::kMouseLeft)) return answer;
  for (int i = 0; i < kRods; ++i) {
    if (m_rods[i] != nullptr && m_rods[i]->IsHover()) {
      ClickRod(i);
      break;
    }
  }
  return answer;
}

void MiniGameLock::ClickRod(int rod) {
  if (rod != m_right_order[static_cast<std::size_t>(m_moves)] || m_mistakes > 0) ++m_mistakes;
  RenderObject* model = ModelOf(m_rods[rod]);
  if (model == nullptr || PositionOf(model) == 0.5f * SpanOf(model)) return;
  m_last[rod] = PositionOf(model);
  PlayFrom(model, PositionOf(model) == 0.0f);
  RenderObject* nut = ModelOf(m_nuts[rod]);
  PlayFrom(nut, PositionOf(nut) == 0.0f);
  Play(m_click_sound);
  ++m_moves;
  m_busy = true;
}

void MiniGameLock::PlayFrom(RenderObject* model, bool forward) {
  if (model == nullptr) return;
  model->GetAnimation().SetForward(forward);
  model->GetAnimation().Play();
}

bool MiniGameLock::IsWorkingFinished(float dt) {
  const bool answer = GUIStateWindow::IsWorkingFinished(dt);
  for (int i = 0; i < kRods && m_result == "wait"; ++i) {
    RenderObject* rod = ModelOf(m_rods[i]);
    if (rod == nullptr || !rod->GetAnimation().IsPlaying()) continue;
    const float p = PositionOf(rod), q = m_last[i], m = 0.5f * SpanOf(rod);
    const bool forward = rod->GetAnimation().IsForward();
    const bool reached = forward ? (q < p && q <= m && p >= m) : (q > p && p <= m && q >= m);
    if (reached) {
      StopAtMiddle(i);
    } else {
      m_last[i] = p;
    }
  }
  if (m_reset_pending && m_mistakes > 0) {
    m_reset_time -= cTimerManager::GetInstance()->GetFrameDelta();
    if (m_reset_time < 0.0f) Reset();
  }
  return answer;
}

void MiniGameLock::StopAtMiddle(int rod) {
  RenderObject* model = ModelOf(m_rods[rod]);
  Place(model, 0.5f * SpanOf(model));
  m_last[rod] = PositionOf(model);
  RenderObject* nut = ModelOf(m_nuts[rod]);
  Place(nut, 0.5f * SpanOf(nut));
  if (m_marks[rod] != nullptr) m_marks[rod]->Show(true);
  Play(m_stop_sound);
  if (m_moves == kRods && m_mistakes == 0) {
    Finish("win");
  } else if (m_mistakes > 0) {
    m_reset_pending = true;
    m_reset_time = kResetDelay;
  } else {
    m_busy = false;
  }
}

void MiniGameLock::Reset() {
  for (GUIWindow* mark : m_marks) {
    if (mark != nullptr) mark->Show(false);
  }
  for (int i = 0; i < kRods; ++i) {
    const bool to_end = m_initial[i] != 0.0f;
    for (GUIWindow* piece : {m_rods[i], m_nuts[i]}) PlayFrom(ModelOf(piece), to_end);
    // Going back the rod passes its middle: its last position is put beyond where the middle
    // test could fire on the way.
    m_last[i] = to_end ? SpanOf(ModelOf(m_rods[i])) : 0.0f;
  }
  Play(m_click_sound);
  m_moves = m_mistakes = 0;
  m_reset_pending = m_busy = false;
}
