#include "Sources/minigames/MiniGameArcade.h"

#include <algorithm>
#include <cmath>

#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/camera/CameraManager.h"
#include "source/log/cLog.h"
#include "source/model/AnimationController.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

constexpr float kNear = 1000.0f;
constexpr float kFar = -1000.0f;
constexpr float kWidth = 1024.0f;
constexpr float kHeight = 768.0f;
// Frames an animation's held time may fall short of rate x length and still count as its end.
constexpr float kEndTolerance = 0.01f;

void GiveCamera(GUIWindow& game, CameraHandle* camera) {
  for (GUIWindow* child : game.GetChildren()) {
    if (RenderObject* model = child->GetVisual().GetModel()) model->SetCamera(camera);
  }
}

}  // namespace

CameraHandle* MakeArcadeCamera(GUIWindow& game, GUIWindow* clip) {
  RenderManager* render = RenderManager::PeekInstance();
  if (render == nullptr || render->GetCameraManager() == nullptr) return nullptr;
  CameraHandle* camera = render->GetCameraManager()->CreateCamera(kCameraOrthographic);
  (*camera)->m_near = kNear;
  (*camera)->m_far = kFar;
  (*camera)->m_width = kWidth;
  (*camera)->m_height = kHeight;
  (*camera)->ComputeMatrices();
  if (clip != nullptr) {
    clip->Show(false);
    const cBoundingBox box = BoxOf(clip);
    if (box.m_world_max.x > box.m_world_min.x && box.m_world_max.y > box.m_world_min.y) {
      (*camera)->m_x0 = box.m_world_min.x;
      (*camera)->m_y0 = box.m_world_min.y;
      (*camera)->m_x1 = box.m_world_max.x;
      (*camera)->m_y1 = box.m_world_max.y;
      (*camera)->m_viewport_set = true;
    }
  }
  GiveCamera(game, camera);
  return camera;
}

void ReleaseArcadeCamera(GUIWindow& game, CameraHandle*& camera) {
  if (camera == nullptr) return;
  GUISystem* gui = GUISystem::PeekInstance();
  GiveCamera(game, gui != nullptr ? gui->GetCamera() : nullptr);
  if (RenderManager* render = RenderManager::PeekInstance()) {
    if (render->GetCameraManager() != nullptr) render->GetCameraManager()->DestroyCamera(camera);
  }
  camera = nullptr;
}

void HideUnshownPieces(GUIWindow& game) {
  for (GUIWindow* child : game.GetChildren()) {
    if (!child->IsShown() && ModelOf(child) != nullptr) child->Show(false);
  }
}

cResourcePtr<cSoundResource> HoldSound(const char* name) {
  cResourcePtr<cSoundResource> sound;
  if (!sound.Assign(name)) LogReport(kLogError, "Sources\\MiniGame", __LINE__, "no sound %s", name);
  return sound;
}

void PlayArcadeSound(const cResourcePtr<cSoundResource>& sound, bool loop) {
  if (sound) cSoundPlayer::GetInstance()->Play(sound, loop);
}

void PlayIfQuiet(const cResourcePtr<cSoundResource>& sound) {
  if (sound && !cSoundPlayer::GetInstance()->IsPlaying(sound)) cSoundPlayer::GetInstance()->Play(sound, false);
}

RenderObject* ModelOf(const GUIWindow* piece) { return piece != nullptr ? piece->GetVisual().GetModel() : nullptr; }

cBoundingBox BoxOf(const GUIWindow* piece) {
  const RenderObject* model = ModelOf(piece);
  return model != nullptr ? model->GetBoundingBox() : cBoundingBox();
}

bool OverlapXY(const Vector3& a_min, const Vector3& a_max, const Vector3& b_min, const Vector3& b_max) {
  return a_min.x <= b_max.x && b_min.x <= a_max.x && a_min.y <= b_max.y && b_min.y <= a_max.y;
}

bool OverlapXY(const cBoundingBox& a, const cBoundingBox& b) {
  return OverlapXY(a.m_world_min, a.m_world_max, b.m_world_min, b.m_world_max);
}

bool AnimationAtEnd(const AnimationController& animation) {
  const float end = animation.GetFramesPerSecond() * animation.GetLength();
  return !animation.IsPlaying() && end > 0.0f && animation.GetTime() >= end - kEndTolerance;
}

bool SelectAnimation(GUIWindow* piece, const std::string& name, bool play) {
  RenderObject* model = ModelOf(piece);
  if (model == nullptr || !model->GetAnimation().SetAnimation(name)) return false;
  model->GetAnimation().SetPlaying(play);
  return true;
}
