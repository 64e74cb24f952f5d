#include "Sources/minigames/MiniGamePose.h"

#include <algorithm>
#include <cmath>

#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"

namespace {

constexpr float kTwoPi = 6.2831855f;

RenderObject* ModelOf(const GUIWindow* piece) { return piece != nullptr ? piece->GetVisual().GetModel() : nullptr; }

}  // namespace

bool SelectPose(GUIWindow* piece, const std::string& animation) {
  RenderObject* model = ModelOf(piece);
  if (model == nullptr || !model->GetAnimation().SetAnimation(animation)) {
    if (piece != nullptr) {
      LogReport(kLogError, "Sources\\MiniGame", __LINE__, "mini-game piece %s has no animation %s",
                piece->GetName().c_str(), animation.c_str());
    }
    return false;
  }
  model->GetAnimation().SetPlaying(false);
  model->GetAnimation().SetTime(0.0f);
  model->MarkBoundsForRefresh();
  return true;
}

float GetPose(const GUIWindow* piece) {
  const RenderObject* model = ModelOf(piece);
  return model != nullptr ? model->GetAnimation().GetTime() : 0.0f;
}

void SetPose(GUIWindow* piece, float pose) {
  RenderObject* model = ModelOf(piece);
  if (model == nullptr || model->GetAnimation().GetCurrentName().empty()) return;
  model->GetAnimation().SetTime(pose);
  model->MarkBoundsForRefresh();
}

float GetPoseEnd(const GUIWindow* piece) {
  const RenderObject* model = ModelOf(piece);
  if (model == nullptr) return 0.0f;
  return model->GetAnimation().GetFramesPerSecond() * model->GetAnimation().GetLength();
}

Vector3 GetPieceCentre(const GUIWindow* piece) {
  const RenderObject* model = ModelOf(piece);
  return model != nullptr ? model->GetBoundingBox().m_centre : Vector3();
}

bool IsPickedAt(const GUIWindow* piece, const Vector2& point) {
  const RenderObject* model = ModelOf(piece);
  return model != nullptr && model->PickByRay(Vector3(point.x, point.y, GUISystem::kRayStartZ),
                                              Vector3(0.0f, 0.0f, GUISystem::kRayLength));
}

void UpdatePieceModel(GUIWindow* piece) {
  RenderObject* model = ModelOf(piece);
  if (model == nullptr) return;
  // Stopped animations do not move, so the update only poses the model at its time.
  model->MarkBoundsForRefresh();
  model->Update(false);
}

PointerTurn MeasureTurn(const Vector3& centre, const Vector3& from, const Vector3& to) {
  Vector3 a = from - centre;
  Vector3 b = to - centre;
  a.z = b.z = 0.0f;
  PointerTurn turn;
  // The angle from both the cross and the dot product: exact for the smallest turns, and none at
  // all without movement (an arc cosine of a rounded dot product is neither).
  const double cross = static_cast<double>(b.x) * a.y - static_cast<double>(b.y) * a.x;
  const double dot = static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y;
  const double angle = std::min(std::atan2(std::fabs(cross), dot), static_cast<double>(kTwoPi) / 4.0);
  turn.fraction = static_cast<float>(angle / kTwoPi);
  const double lengths = std::hypot(a.x, a.y) * std::hypot(b.x, b.y);
  turn.side = lengths > 0.0 ? static_cast<float>(cross / lengths) : 0.0f;
  return turn;
}

float WrapTurnPose(float pose) {
  if (pose < 0.0f) pose += 100.0f;
  return std::fabs(std::fmod(pose, 100.0f));
}
