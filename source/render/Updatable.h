#pragma once
// An object that must advance once a frame before anything is drawn (animated shaders of models
// and fonts). It enters the render manager's update list when made and leaves it when destroyed.

class Updatable {
 public:
  Updatable();
  virtual ~Updatable();
  Updatable(const Updatable&) = delete;
  Updatable& operator=(const Updatable&) = delete;

  // Reads its own clock.
  virtual void Update() = 0;
};
