#pragma once
// The "model" resource: a model file ("mlf") read into a shared Model. Render objects hold the
// Model itself, so it outlives the resource's unloading while they draw it.

#include "source/Resources/cTypedResource.h"
#include "source/core/CountedPtr.h"
#include "source/model/Model.h"

class ModelResource : public cTypedResource<ModelResource> {
 public:
  static constexpr const char* kTypeName = "model";
  using cTypedResource::cTypedResource;

  // Registers the creator under "model" and maps "mlf" to it.
  static void RegisterType();

  // A file no loader reads leaves an empty model (no vertices, nothing drawn), logged.
  bool Load() override;
  bool Unload() override;

  const CountedPtr<Model>& GetModel() const { return m_model; }

 private:
  CountedPtr<Model> m_model;
};
