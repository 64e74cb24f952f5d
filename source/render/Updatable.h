#pragma once
// An object that must advance once a frame before anything is drawn (animated shaders of models
// and fonts). It enters the render manager's update list when made (or, for objects that may be
// made before any renderer exists, when it first has something to advance) and leaves it when
// destroyed.

class Updatable {
 public:
  Updatable();
  virtual ~Updatable();
  Updatable(const Updatable&) = delete;
  Updatable& operator=(const Updatable&) = delete;

  // Reads its own clock.
  virtual void Update() = 0;

 protected:
  struct JoinLater {};
  // Stays out of the update list until JoinUpdateList.
  explicit Updatable(JoinLater) {}
  // Enters the list unless it is in it already.
  void JoinUpdateList();

 private:
  bool m_joined = false;
};
