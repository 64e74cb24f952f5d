#pragma once
// The RIFF WAVE decoder: plays the file's PCM data as it is stored.

#include "source/sound/WaveLayout.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cSubStream.h"

class cWavStream : public cSoundStream {
 public:
  // `source` is read from its present position, where the file begins.
  cWavStream(std::unique_ptr<cStream> source, const WaveLayout& layout);

  float GetTotalTime() override;
  float GetTime() override;
  uint32_t GetSize() override { return m_data_length; }
  bool IsFinished() override;
  const audio::WaveFormat* GetFormat() const override { return &m_format; }
  void Rewind() override;
  uint32_t Read(void* buffer, uint32_t bytes) override;

 private:
  cSubStream m_window;  // the file, from where it begins
  audio::WaveFormat m_format;
  uint32_t m_data_start;
  uint32_t m_data_length;
  uint32_t m_read = 0;       // bytes of the data read since the start
  bool m_exhausted = false;  // looping, but the data gave nothing
};
