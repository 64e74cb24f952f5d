#pragma once
// Pieces whose model holds its pictures as animation frames (the content tool's picture models):
// the animation position picks the picture, and a piece's named animation may run over them.

#include <string>

class GUIWindow;
class RenderObject;

// The piece's model, or null (a null piece, or one without a model).
RenderObject* PieceModel(const GUIWindow* piece);
// Shows picture `position` (the model's animation "picture" is selected first when another one,
// or none, is): the animation position becomes `position` and stands there.
void SetPiecePicture(GUIWindow* piece, float position);
// The animation position of the piece's model; 0 for none.
float GetPiecePicture(const GUIWindow* piece);
// Selects the named animation of the piece's model, at its start; false when it has none of
// that name.
bool SelectPieceAnimation(GUIWindow* piece, const std::string& name);
// The state window shows every model of its form while it is shown: a model whose piece is
// hidden is hidden again, so that it shows only with its piece.
void MatchModelsToPieces(GUIWindow& game);
