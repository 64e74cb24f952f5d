#pragma once
// What the arcade mini-games (the food machine, the slingshot, the break window) share: their own
// camera over the GUI's screen, clipped to the box of a hidden piece; sounds held by name and
// played; world-box tests between pieces; the end of a piece's animation.

#include <string>

#include "source/Resources/cResourcePtr.h"
#include "source/math/cBoundingBox.h"
#include "source/sound/cSoundResource.h"

class AnimationController;
class CameraHandle;
class GUIWindow;
class RenderObject;

// An orthographic camera of the GUI's size (1024 x 768) handed to the model of every child of the
// game; with a `clip` piece, that piece is hidden and its world box becomes the camera's viewport,
// so nothing is drawn outside it. Null without a render manager.
CameraHandle* MakeArcadeCamera(GUIWindow& game, GUIWindow* clip);
// Gives the children the GUI's camera back and destroys the camera (null does nothing).
void ReleaseArcadeCamera(GUIWindow& game, CameraHandle*& camera);

// The state window shows every model of its form when it appears; the pieces the game keeps
// hidden (their windows not shown) are hidden again.
void HideUnshownPieces(GUIWindow& game);

// The sound resource, or an empty one after a log line naming it.
cResourcePtr<cSoundResource> HoldSound(const char* name);
// Plays once (or looping); an empty resource plays nothing.
void PlayArcadeSound(const cResourcePtr<cSoundResource>& sound, bool loop = false);
// Plays once unless it is playing already.
void PlayIfQuiet(const cResourcePtr<cSoundResource>& sound);

RenderObject* ModelOf(const GUIWindow* piece);
// The piece's world box; an empty box at the origin for a piece without a model.
cBoundingBox BoxOf(const GUIWindow* piece);
// The boxes overlap in x and in y (edges touching count).
bool OverlapXY(const Vector3& a_min, const Vector3& a_max, const Vector3& b_min, const Vector3& b_max);
bool OverlapXY(const cBoundingBox& a, const cBoundingBox& b);

// The animation stands at its end. Its time is held at the last frame, which rate x length gives
// only up to float rounding, so the test allows a small shortfall.
bool AnimationAtEnd(const AnimationController& animation);
// Selects the named animation of the piece's model at time 0; `play` starts it. False (nothing
// done) without a model or an animation of that name.
bool SelectAnimation(GUIWindow* piece, const std::string& name, bool play);
