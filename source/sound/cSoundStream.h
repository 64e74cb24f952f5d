#pragma once
// A decoder: turns the bytes of a sound resource into PCM for a sound channel. Two exist behind
// this interface, Ogg Vorbis (cOggStream) and RIFF WAVE (cWavStream); each has a probe that tests
// a stream and makes the decoder. A decoder owns the stream it reads.

#include <cstdint>
#include <memory>

#include "platform/audio/Types.h"
#include "source/stream/cStream.h"

class cSoundStream {
 public:
  explicit cSoundStream(std::unique_ptr<cStream> source) : m_source(std::move(source)) {}
  virtual ~cSoundStream() = default;
  cSoundStream(const cSoundStream&) = delete;
  cSoundStream& operator=(const cSoundStream&) = delete;

  virtual float GetTotalTime() = 0;  // seconds of the whole sound
  virtual float GetTime() = 0;       // seconds decoded so far
  virtual uint32_t GetSize() = 0;    // bytes of the whole PCM data
  // A sound that plays once has been read to its end; a looping one whose data gave nothing.
  virtual bool IsFinished() = 0;
  virtual const audio::WaveFormat* GetFormat() const = 0;
  virtual void Rewind() = 0;
  virtual void SetLoop(bool loop) { m_loop = loop; }
  bool IsLooping() const { return m_loop; }
  // Fills up to `bytes` (whole blocks); a looping decoder starts again at the end. Answers the
  // bytes written: fewer only at the end of a sound that plays once, 0 once it is finished.
  virtual uint32_t Read(void* buffer, uint32_t bytes) = 0;

 protected:
  bool m_loop = false;
  std::unique_ptr<cStream> m_source;
};

// A probe tests the stream from its position. When it accepts, the new decoder takes the stream;
// otherwise the stream stays with the caller, at the position it had.
using cSoundStreamCreator = std::unique_ptr<cSoundStream> (*)(std::unique_ptr<cStream>& stream);

std::unique_ptr<cSoundStream> CreateOggStream(std::unique_ptr<cStream>& stream);
std::unique_ptr<cSoundStream> CreateWavStream(std::unique_ptr<cStream>& stream);
