#pragma once
// Helpers the mini-games share for their pieces: the form's children found by name (a missing one
// is logged and stays null, so that every operation on it does nothing), numbered pieces kept at
// their number, the shader frame a piece shows, and the layout of a whole form brought up to date
// whether its windows are shown or not.

#include <string>
#include <vector>

class GUIWindow;

// The direct child `name` of the game, or null after a log line naming the game and the child.
GUIWindow* FindPiece(GUIWindow& game, const std::string& name);
// prefix + "0" up to prefix + (count - 1), through FindPiece; a missing one leaves a null at its
// number.
std::vector<GUIWindow*> FindNumberedPieces(GUIWindow& game, const std::string& prefix, int count);
// The position of `piece` among `pieces`; -1 for none of them (and for null).
int PieceIndex(const std::vector<GUIWindow*>& pieces, const GUIWindow* piece);
// Selects frame `frame` of the piece's shader (its first stage); nothing for a null piece or one
// without a model.
void SetPieceFrame(GUIWindow* piece, float frame);
// The frame the piece's shader shows; 0 for a null piece or one without a model.
float GetPieceFrame(const GUIWindow* piece);
// World matrices, model placements and model boxes of the window and of every window below it,
// hidden ones included: what the render pass does for visible windows, so that positions and
// picking are right before a hidden form is first drawn.
void RefreshLayout(GUIWindow& window);
