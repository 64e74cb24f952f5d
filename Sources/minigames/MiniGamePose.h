#pragma once
// Pieces posed by an animation of their model (a hand or a ring turned, a block slid along its
// track): the animation chosen, its time read and written as the piece's pose, the end of its
// track, and the turn of the mouse about a piece's centre that turning games follow. A piece
// without a model, or without the animation, has pose 0 and ignores every change (logged once).

#include <string>

#include "source/math/Vector.h"

class GUIWindow;

// Selects the animation at time 0, stopped; false (logged) when the piece or its model lacks it.
bool SelectPose(GUIWindow* piece, const std::string& animation);
// The time of the piece's animation, in frames from its first.
float GetPose(const GUIWindow* piece);
// Writes the time and has the next update pose the model and recompute its box.
void SetPose(GUIWindow* piece, float pose);
// Rate x length of the selected animation: the pose at the end of the track.
float GetPoseEnd(const GUIWindow* piece);
// The centre of the piece model's world box; (0, 0, 0) without a model.
Vector3 GetPieceCentre(const GUIWindow* piece);
// The GUI's pick ray at `point` (GUI units) hits a face of the piece's model.
bool IsPickedAt(const GUIWindow* piece, const Vector2& point);
// Poses the model now (animation, controllers and box), as the render pass would.
void UpdatePieceModel(GUIWindow* piece);

// How far the pointer turned about `centre` from `from` to `to`: `fraction` of a whole turn (at
// most a quarter a step; none when the pointer stayed or stands on the centre) and `side` = b.x a.y -
// b.y a.x of the two unit directions a (from) and b (to), positive for a clockwise turn on the
// GUI's screen (y upward).
struct PointerTurn {
  float fraction = 0.0f;
  float side = 0.0f;
};
PointerTurn MeasureTurn(const Vector3& centre, const Vector3& from, const Vector3& to);
// A turning pose after a step: wrapped into 0..100 (one turn), negative results from below 0
// having had 100 added first.
float WrapTurnPose(float pose);
