#pragma once
// What a particle effect needs of the window that holds it: a place in the window's draw list and
// layer for the effect's render object, and the window's position. GUI windows implement it.

#include "source/math/Vector.h"

class RenderObject;

class ParticleEffectOwner {
 public:
  virtual ~ParticleEffectOwner() = default;
  // Draws the object with the window (once, as a GUI object of the window's layer).
  virtual void InsertIntoDrawList(RenderObject* object) = 0;
  virtual void RemoveFromDrawLists(RenderObject* object) = 0;
  virtual Vector3 GetWorldPosition() const = 0;
};
