#pragma once
// Where a RIFF WAVE file keeps its format and its samples.

#include <cstdint>

#include "platform/audio/Types.h"
#include "source/stream/cStream.h"

struct WaveLayout {
  audio::WaveFormat format;
  uint32_t data_start = 0;   // offset of the first byte played, from the file's start
  uint32_t data_length = 0;  // bytes played: whole blocks, all inside the stream
  uint32_t data_claimed = 0;  // bytes the data chunk says it holds (more than are there when cut)
};

// Reads the layout of the WAVE file that begins at `base` in `stream`, with positioned reads only.
// The chunks are walked by their sizes (a chunk of odd size is followed by a pad byte), so an
// 18-byte "fmt " chunk and chunks before or after the data are found as they are. False when the
// bytes are not RIFF WAVE, or the "fmt " chunk is missing or unusable, or there is no "data" chunk.
bool ReadWaveLayout(cStream& stream, uint32_t base, WaveLayout& layout);
