#pragma once
// A typed pointer that holds exactly one reference to its resource: copying adds one, destroying
// or reassigning releases it. A name that is not registered leaves the pointer empty.

#include <string>

#include "source/Resources/cResource.h"
#include "source/Resources/cResourceManager.h"

template <class T>
class cResourcePtr {
 public:
  cResourcePtr() = default;
  cResourcePtr(const cResourcePtr& other) : m_resource(other.m_resource) {
    if (m_resource != nullptr) m_resource->AddRef();
  }
  cResourcePtr& operator=(const cResourcePtr& other) {
    T* taken = other.m_resource;  // before Reset, which empties `other` too when it is this
    if (taken != nullptr) taken->AddRef();
    Reset();
    m_resource = taken;
    return *this;
  }
  ~cResourcePtr() { Reset(); }

  // Takes the resource of that name (one reference), letting go of the one held before.
  bool Assign(const std::string& name) {
    T* found = cResourceManager::GetInstance()->FindResource<T>(name);
    Reset();
    m_resource = found;  // keeps the lookup's reference
    return found != nullptr;
  }
  bool Assign(const char* name) { return Assign(std::string(name != nullptr ? name : "")); }

  void Reset() {
    if (m_resource != nullptr) cResource::Release(m_resource);
    m_resource = nullptr;
  }

  T* Get() const { return m_resource; }
  T* operator->() const { return m_resource; }
  T& operator*() const { return *m_resource; }
  explicit operator bool() const { return m_resource != nullptr; }

 private:
  T* m_resource = nullptr;
};
