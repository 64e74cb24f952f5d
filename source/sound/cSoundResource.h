#pragma once
// The "sound" resource: a WAV or Ogg Vorbis file. A sound packed with an archiver method is
// unpacked whole into memory; any other plays straight from its file (or its stored pack entry).

#include "source/Resources/cTypedResource.h"
#include "source/stream/cMemoryStream.h"

class cSoundResource : public cTypedResource<cSoundResource> {
 public:
  static constexpr const char* kTypeName = "sound";
  // Sounds of this size or more are stored in a pack as they are, to be streamed from it.
  static constexpr uint32_t kCompressibleBelow = 500000;
  using cTypedResource::cTypedResource;

  bool Load() override;
  bool Unload() override;
  bool IsCompressible() override;

  // The stream channels decode: the bytes in memory when there are any, else the source's own
  // stream (a file opened now, or the pack entry); null when there is none.
  cStream* GetPlayingStream();

 private:
  cMemoryStream m_data;
};

// Registers the type "sound" and maps the extensions "wav" and then "ogg" to it.
void RegisterSoundResourceType();
