#pragma once
// What the mini-games ask of the mouse for their pieces: a fresh press of the left button, and
// whether the GUI's pick ray of this frame hits a piece's model (hidden models included: several
// games keep an invisible model as a click area).

class GUIWindow;

// The left button went down at this poll.
bool IsFreshLeftPress();
// The GUI system's mouse ray hits the piece's model; false for a null piece or one without one.
bool RayHitsPiece(const GUIWindow* piece);
