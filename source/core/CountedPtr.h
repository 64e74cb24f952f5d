#pragma once
// The program's shared-ownership pointer: the object and a separately allocated use count.
// Main-thread only (the count is not atomic); the last release deletes the object.

#include <cstdint>
#include <utility>

template <class T>
class CountedPtr {
 public:
  CountedPtr() = default;
  explicit CountedPtr(T* object) { Reset(object); }
  CountedPtr(const CountedPtr& other) { Assign(other); }
  template <class U>
  CountedPtr(const CountedPtr<U>& other) {  // NOLINT: converts like a raw pointer would
    AssignFrom(other.m_object, other.m_count);
  }
  CountedPtr(CountedPtr&& other) noexcept
      : m_object(std::exchange(other.m_object, nullptr)), m_count(std::exchange(other.m_count, nullptr)) {}
  CountedPtr& operator=(const CountedPtr& other) {
    if (this != &other) Assign(other);
    return *this;
  }
  CountedPtr& operator=(CountedPtr&& other) noexcept {
    if (this != &other) {
      Release();
      m_object = std::exchange(other.m_object, nullptr);
      m_count = std::exchange(other.m_count, nullptr);
    }
    return *this;
  }
  ~CountedPtr() { Release(); }

  // Release, then hold `object` with a fresh count of 1 (empty when object is null).
  void Reset(T* object = nullptr) {
    Release();
    if (object != nullptr) {
      m_object = object;
      m_count = new int32_t(1);
    }
  }

  void Release() {
    int32_t* count = std::exchange(m_count, nullptr);
    T* object = std::exchange(m_object, nullptr);
    if (count != nullptr) DropReference(count, object);
  }

  void Assign(const CountedPtr& other) { AssignFrom(other.m_object, other.m_count); }

  T* Get() const { return m_object; }
  T* operator->() const { return m_object; }
  T& operator*() const { return *m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  int32_t UseCount() const { return m_count != nullptr ? *m_count : 0; }

 private:
  template <class U>
  friend class CountedPtr;

  // Kept out of line: with several copies inlined into one function, GCC's use-after-free check
  // cannot tell that the shared count outlives one copy's release, and warns falsely.
  [[gnu::noinline]] static void DropReference(int32_t* count, T* object) {
    if (--*count <= 0) {
      delete count;
      delete object;  // virtual destructor: T is polymorphic wherever the program shares one
    }
  }

  template <class U>
  void AssignFrom(U* object, int32_t* count) {
    if (count != nullptr) ++*count;  // first, so assigning a pointer to itself is safe
    Release();
    m_object = object;
    m_count = count;
  }

  T* m_object = nullptr;
  int32_t* m_count = nullptr;
};
