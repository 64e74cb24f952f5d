#pragma once
// Lazily created managers. Every singleton registers itself in one global list when it is
// constructed; DestroySingletons() deletes them newest first, so no manager outlives one it uses.

#include <cstddef>

class SingletonBase {
 public:
  SingletonBase();
  virtual ~SingletonBase();
  SingletonBase(const SingletonBase&) = delete;
  SingletonBase& operator=(const SingletonBase&) = delete;
};

// Deletes every live singleton, the most recently created first. A singleton created by another
// one's destructor is destroyed in the same sweep. Installed with atexit; tests may call it too.
void DestroySingletons();

// Number of singletons alive (for tests and diagnostics).
std::size_t LiveSingletonCount();

// The per-class accessor. T derives from Singleton<T>. The instance pointer and the alive flag are
// cleared by the destructor, so an accessor never hands out a destroyed object.
template <class T>
class Singleton : public SingletonBase {
 public:
  static T* GetInstance() {
    if (s_instance == nullptr) CreateInstance();
    return s_instance;
  }
  static T* CreateInstance() {
    if (s_instance == nullptr) {
      T* made = new T();
      if (s_self == made) s_instance = made;  // unless it was destroyed already in its constructor
    }
    return s_instance;
  }
  static T* PeekInstance() { return s_instance; }
  static bool IsAlive() { return s_alive; }

 protected:
  Singleton() {
    s_self = this;
    s_alive = true;
  }
  ~Singleton() override {
    if (s_self == this) {
      s_self = nullptr;
      s_instance = nullptr;
    }
    s_alive = false;
  }

 private:
  static inline T* s_instance = nullptr;
  static inline Singleton* s_self = nullptr;  // the constructed base, before T is complete
  static inline bool s_alive = false;
};
