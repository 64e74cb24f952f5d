#include "Sources/minigames/MiniGamePieces.h"

#include <algorithm>

#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"

GUIWindow* FindPiece(GUIWindow& game, const std::string& name) {
  GUIWindow* piece = game.FindChild(name);
  if (piece == nullptr) {
    LogReport(kLogError, "Sources\\MiniGame", __LINE__, "mini-game %s has no piece %s", game.GetName().c_str(),
              name.c_str());
  }
  return piece;
}

std::vector<GUIWindow*> FindNumberedPieces(GUIWindow& game, const std::string& prefix, int count) {
  std::vector<GUIWindow*> pieces;
  for (int i = 0; i < count; ++i) pieces.push_back(FindPiece(game, prefix + std::to_string(i)));
  return pieces;
}

int PieceIndex(const std::vector<GUIWindow*>& pieces, const GUIWindow* piece) {
  if (piece == nullptr) return -1;
  const auto found = std::find(pieces.begin(), pieces.end(), piece);
  return found == pieces.end() ? -1 : static_cast<int>(found - pieces.begin());
}

void SetPieceFrame(GUIWindow* piece, float frame) {
  if (piece == nullptr || piece->GetVisual().GetModel() == nullptr) return;
  piece->GetVisual().GetModel()->GetShaderHolder().SetStartFrame(0, frame);
}

float GetPieceFrame(const GUIWindow* piece) {
  if (piece == nullptr || piece->GetVisual().GetModel() == nullptr) return 0.0f;
  return piece->GetVisual().GetModel()->GetShaderHolder().GetStartFrame(0);
}

void RefreshLayout(GUIWindow& window) {
  // Each window's world matrix is its local one times its parent's, so a walk from the top down
  // gives every window its own, visible or not.
  window.UpdateWorldMatrix();
  window.ApplyTransform();
  if (RenderObject* model = window.GetVisual().GetModel()) model->RefreshBounds();
  for (GUIWindow* child : window.GetChildren()) RefreshLayout(*child);
}
