#pragma once
// The "particle" resource (extension "psf"): a particle file loaded into a template system that
// effects copy; and the "particles" resource type of particle-system sets, which a resource list
// may declare and which holds nothing of its own.

#include <memory>

#include "source/Resources/cTypedResource.h"
#include "source/particle/ParticleSystem.h"

class cParticleResource : public cTypedResource<cParticleResource> {
 public:
  static constexpr const char* kTypeName = "particle";
  using cTypedResource::cTypedResource;

  // Registers "particle" with the extension "psf", and "particles".
  static void RegisterType();

  // A damaged file gives a system without particles (logged): effects made from it show nothing.
  bool Load() override;
  bool Unload() override;

  ParticleSystem* GetSystem() const { return m_system.get(); }

 private:
  std::unique_ptr<ParticleSystem> m_system;
};

class cParticlesResource : public cTypedResource<cParticlesResource> {
 public:
  static constexpr const char* kTypeName = "particles";
  using cTypedResource::cTypedResource;

  bool Load() override { return true; }
  bool Unload() override { return true; }

 protected:
  // Declared in a list, it packs as no bytes.
  bool WriteDeclaredData(cStream&) override { return true; }
};
