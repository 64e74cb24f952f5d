#pragma once
// The "data" resource: the raw bytes of a file or pack entry, held in memory while referenced.
// Files of an unknown extension and types without a creator become data resources.

#include "source/Resources/cTypedResource.h"
#include "source/stream/cMemoryStream.h"

class cDataResource : public cTypedResource<cDataResource> {
 public:
  static constexpr const char* kTypeName = "data";
  using cTypedResource::cTypedResource;

  bool Load() override;
  bool Unload() override;

  // The bytes, positioned at 0 after loading.
  cMemoryStream& GetData() { return m_data; }

 private:
  cMemoryStream m_data;
};
