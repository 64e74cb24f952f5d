#include "Sources/minigames/MiniGameGridlock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGamePose.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

float FrameDelta() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameDelta() : 0.0f;
}

float TrackLength(const GUIWindow* block) {
  const RenderObject* model = block->GetVisual().GetModel();
  return model != nullptr ? model->GetAnimation().GetLength() : 0.0f;
}

}  // namespace

MiniGameGridlock::MiniGameGridlock(GUIWindow* parent) : MiniGame("gridlock", parent) {
  LoadForm("minigames\\location_12\\gridlock\\gridlock");
  for (int i = 0;; ++i) {
    GUIWindow* block = FindChild("board_" + std::to_string(i));
    if (block == nullptr) break;
    m_blocks.push_back(block);
  }
}

bool MiniGameGridlock::IsVertical(GUIWindow* block) const { return block != nullptr && block->GetValue("vert") == "1"; }

void MiniGameGridlock::Start() {
  for (GUIWindow* block : m_blocks) {
    if (!SelectPose(block, "main")) continue;
    const RenderObject* model = block->GetVisual().GetModel();
    const float rate = model->GetAnimation().GetFramesPerSecond();
    const float start = static_cast<float>(std::atoi(block->GetValue("pos").c_str()));
    SetPose(block, rate > 0.0f ? start / rate : 0.0f);
    UpdatePieceModel(block);
  }
  m_dragged = nullptr;
  m_solved = false;
  MiniGame::Start();
}

bool MiniGameGridlock::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (m_solved || input == nullptr) return answer;
  if (input->Mouse().IsReleased(cInput::kMouseLeft)) {
    if (m_moved && m_dragged != nullptr) Snap();
    m_dragged = nullptr;
    return answer;
  }
  if (!AcceptsPieceInput()) return answer;
  const Vector3 p(point.x, point.y, 0.0f);
  if (input->Mouse().IsPressed(cInput::kMouseLeft)) {
    m_last_point = p;
    m_moving_down = true;
    m_moved = false;
    const auto hovered = std::find_if(m_blocks.begin(), m_blocks.end(), [](const GUIWindow* b) { return b->IsHover(); });
    if (hovered != m_blocks.end()) m_dragged = *hovered;
  } else if (m_dragged != nullptr && input->Mouse().IsDown(cInput::kMouseLeft)) {
    DragStep(p);
  }
  return answer;
}

bool MiniGameGridlock::PlaceAndTest(GUIWindow* block, float pose) {
  SetPose(block, pose);
  UpdatePieceModel(block);
  const RenderObject* model = block->GetVisual().GetModel();
  if (model == nullptr) return false;
  return std::any_of(m_blocks.begin(), m_blocks.end(), [block, model](const GUIWindow* other) {
    const RenderObject* other_model = other->GetVisual().GetModel();
    return other != block && other_model != nullptr && model->GetBoundingBox().Overlaps(other_model->GetBoundingBox());
  });
}

void MiniGameGridlock::DragStep(const Vector3& p) {
  const Vector3 d = p - m_last_point;
  m_last_point = p;
  const bool vertical = IsVertical(m_dragged);
  // Up the screen is towards smaller positions for a column, right is towards larger for a row.
  const float motion = vertical ? -d.y : d.x;
  if (motion < 0.0f) m_moving_down = true;
  if (motion > 0.0f) m_moving_down = false;
  const float old_pose = GetPose(m_dragged);
  const float target = std::max(0.0f, old_pose + motion * FrameDelta() * TrackLength(m_dragged));
  const float pose = std::max(0.0f, old_pose + std::clamp(target - old_pose, -1.0f, 1.0f));
  if (PlaceAndTest(m_dragged, pose)) {
    PlaceAndTest(m_dragged, old_pose);
    m_moving_down = !m_moving_down;
  } else {
    m_moved = true;
  }
}

void MiniGameGridlock::Snap() {
  const float pose = GetPose(m_dragged);
  const float stop = std::trunc(pose);
  if (PlaceAndTest(m_dragged, pose < stop + 0.5f ? stop : stop + 1.0f)) {
    SetPose(m_dragged, m_moving_down ? stop + 1.0f : stop);
    UpdatePieceModel(m_dragged);
  }
}

bool MiniGameGridlock::IsWorkingFinished(float dt) {
  if (!m_solved) {
    GUIWindow* freed = m_blocks.empty() ? nullptr : m_blocks.front();
    if (freed != nullptr && GetPoseEnd(freed) > 0.0f && GetPose(freed) >= GetPoseEnd(freed) - kEndTolerance) {
      m_solved = true;
      m_win_delay = kWinDelay;
      m_dragged = nullptr;
    }
  } else {
    m_win_delay -= FrameDelta();
    if (m_win_delay < 0.0f && m_result == "wait") Finish("win");
  }
  return MiniGame::IsWorkingFinished(dt);
}
