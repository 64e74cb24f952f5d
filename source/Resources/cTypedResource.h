#pragma once
// The members every resource type shares, supplied once: its type word, its creator, its own
// registry (entered and left by Register and Unregister beside the registry of all resources) and
// its typed lookup. A type writes
//   class cFooResource : public cTypedResource<cFooResource> {
//    public:
//     static constexpr const char* kTypeName = "foo";
//     using cTypedResource::cTypedResource;
//     bool Load() override; bool Unload() override;
//   };
// and is registered with cResourceManager::RegisterResourceType<cFooResource>().
//
// A type built on another type names it as the second argument:
//   class cBarResource : public cTypedResource<cBarResource, cFooResource> { ... };
// It keeps the other type's data and behaviour but has its own type word and registry: it is
// found by its own lookups only, not by those of the type it builds on.

#include <string>

#include "source/Resources/cResource.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourceRegistry.h"

template <class T, class Base = cResource>
class cTypedResource : public Base {
 public:
  using Base::Base;

  void Register() override {
    cResource::Register();
    RegisterResourceByName(RegistryOf<T>(), this);
  }
  void Unregister() override {
    UnregisterResourceByName(RegistryOf<T>(), this);
    cResource::Unregister();
  }
  const char* GetTypeName() const override { return T::kTypeName; }

  static cResource* Create(const std::string& name, const cResourceSource& source) {
    return new T(name, source);
  }
  // With one reference added; see cResourceManager::FindResource.
  static T* Find(const std::string& name) {
    return cResourceManager::GetInstance()->FindResource<T>(name);
  }
};
