#pragma once
// Writers of the two sound formats the game plays: a canonical PCM WAVE file, and Ogg Vorbis
// through libvorbisenc. The same samples always give the same bytes. Used by the content tool and
// by the tests; the game itself only reads sounds.

#include <cstdint>
#include <vector>

#include "platform/audio/Types.h"
#include "source/stream/cStream.h"

using audio::PcmFormat;

// "RIFF", the size, "WAVE", a 16-byte "fmt " chunk and the "data" chunk (padded to an even size).
// False when the stream does not take every byte.
bool WriteWav(cStream& stream, const audio::WaveFormat& format, const void* pcm, uint32_t bytes);

// Interleaved samples in -1..1 as PCM of `format` (8-bit unsigned or 16-bit signed), rounded and
// clipped.
std::vector<uint8_t> ToPcm(const std::vector<float>& samples, const audio::WaveFormat& format);

// Interleaved samples in -1..1 encoded as Ogg Vorbis at the variable-bit-rate `quality`
// (-0.1..1.0), in a logical stream numbered `serial`. False when the encoder refuses the
// settings or the stream does not take every byte.
bool WriteOggVorbis(cStream& stream, const std::vector<float>& samples, uint16_t channels, uint32_t rate,
                    float quality, int serial);
