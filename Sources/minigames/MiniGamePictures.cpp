#include "Sources/minigames/MiniGamePictures.h"

#include "gui/include/GUIWindow.h"
#include "source/render/RenderObject.h"

namespace {

constexpr const char* kPictureAnimation = "picture";

}  // namespace

RenderObject* PieceModel(const GUIWindow* piece) {
  return piece != nullptr ? piece->GetVisual().GetModel() : nullptr;
}

void SetPiecePicture(GUIWindow* piece, float position) {
  RenderObject* model = PieceModel(piece);
  if (model == nullptr) return;
  AnimationController& animation = model->GetAnimation();
  if (animation.GetCurrentName() != kPictureAnimation) animation.SetAnimation(kPictureAnimation);
  animation.SetPlaying(false);
  animation.SetTime(position);
}

float GetPiecePicture(const GUIWindow* piece) {
  const RenderObject* model = PieceModel(piece);
  return model != nullptr ? model->GetAnimation().GetTime() : 0.0f;
}

bool SelectPieceAnimation(GUIWindow* piece, const std::string& name) {
  RenderObject* model = PieceModel(piece);
  return model != nullptr && model->GetAnimation().SetAnimation(name);
}

void MatchModelsToPieces(GUIWindow& game) {
  for (GUIWindow* piece : game.GetChildren()) {
    if (RenderObject* model = PieceModel(piece)) model->SetVisible(piece->IsVisible());
  }
}
