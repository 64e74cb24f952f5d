#pragma once
// The body both decoder fuzz targets share: any bytes are looked at as a load does, then refused
// by the probe or played to an end, once and looping, without a hang and without reading past them.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "source/sound/SoundCheck.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cMemoryStream.h"

inline void FuzzSoundDecoder(const uint8_t* data, size_t size,
                             std::unique_ptr<cSoundStream> (*probe)(std::unique_ptr<cStream>&)) {
  if (size > (1u << 20)) return;
  auto bytes = std::make_unique<cMemoryStream>();
  bytes->Write(data, static_cast<uint32_t>(size));
  bytes->Seek(0, 0);
  (void)DescribeSoundDamage(*bytes);  // the load-time look at the headers, on the same bytes
  std::unique_ptr<cStream> stream = std::move(bytes);
  std::unique_ptr<cSoundStream> decoder = probe(stream);
  if (!decoder) return;
  volatile float seconds = decoder->GetTotalTime() + decoder->GetTime();
  (void)seconds;
  const uint32_t size_of_pcm = decoder->GetSize();
  (void)size_of_pcm;
  static uint8_t buffer[16384];
  uint32_t total = 0;
  while (total < (8u << 20)) {
    const uint32_t got = decoder->Read(buffer, sizeof buffer);
    if (got == 0) break;
    total += got;
  }
  decoder->Rewind();
  decoder->SetLoop(true);
  for (int i = 0; i < 32 && decoder->Read(buffer, sizeof buffer) > 0; ++i) {
  }
}
