#pragma once
// The Ogg Vorbis decoder: libvorbisfile reading through the program's own streams, giving 16-bit
// signed little-endian PCM.

#include "source/sound/cSoundStream.h"
#include "source/stream/cSubStream.h"

struct OggVorbis_File;

class cOggStream : public cSoundStream {
 public:
  struct FileCloser {
    void operator()(OggVorbis_File* file) const;
  };
  using FilePtr = std::unique_ptr<OggVorbis_File, FileCloser>;

  // Takes a file state that CreateOggStream opened over `window`, a window onto `source`.
  cOggStream(std::unique_ptr<cStream> source, std::unique_ptr<cSubStream> window, FilePtr file);

  float GetTotalTime() override;
  float GetTime() override;
  uint32_t GetSize() override;
  bool IsFinished() override { return m_end; }
  const audio::WaveFormat* GetFormat() const override { return &m_format; }
  void Rewind() override;
  uint32_t Read(void* buffer, uint32_t bytes) override;

 private:
  std::unique_ptr<cSubStream> m_window;  // what the file state reads; goes after it
  FilePtr m_file;
  audio::WaveFormat m_format;
  bool m_end = false;
  uint32_t m_since_rewind = 0;  // bytes decoded since the last start
};
