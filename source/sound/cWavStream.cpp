#include "source/sound/cWavStream.h"

#include <algorithm>

std::unique_ptr<cSoundStream> CreateWavStream(std::unique_ptr<cStream>& stream) {
  if (!stream) return nullptr;
  WaveLayout layout;
  if (!ReadWaveLayout(*stream, stream->Tell(), layout)) return nullptr;
  return std::make_unique<cWavStream>(std::move(stream), layout);
}

cWavStream::cWavStream(std::unique_ptr<cStream> source, const WaveLayout& layout)
    : cSoundStream(std::move(source)),
      m_window(*m_source, m_source->Tell(), cStream::kWholeStream),
      m_format(layout.format),
      m_data_start(layout.data_start),
      m_data_length(layout.data_length) {}

float cWavStream::GetTotalTime() {
  return static_cast<float>(m_data_length) / (static_cast<float>(m_format.block_align) * m_format.samples_per_sec);
}

float cWavStream::GetTime() {
  return static_cast<float>(m_read) / (static_cast<float>(m_format.block_align) * m_format.samples_per_sec);
}

bool cWavStream::IsFinished() { return m_exhausted || (!m_loop && m_read == m_data_length); }

void cWavStream::Rewind() {
  m_read = 0;
  m_exhausted = false;
}

uint32_t cWavStream::Read(void* buffer, uint32_t bytes) {
  auto* out = static_cast<uint8_t*>(buffer);
  uint32_t done = 0;
  bool rewound = false;
  while (done < bytes && !m_exhausted) {
    if (m_read == m_data_length) {
      // A looping sound starts again, unless its data gave nothing since the last start.
      if (!m_loop) break;
      if (rewound || m_data_length == 0) {
        m_exhausted = true;
        break;
      }
      m_read = 0;
      rewound = true;
      continue;
    }
    const uint32_t wanted = std::min(bytes - done, m_data_length - m_read);
    const uint32_t got = m_window.ReadAt(m_data_start + m_read, out + done, wanted);
    if (got == 0) {
      // The file is shorter than it was (cut while playing): its end is here now.
      m_data_length = m_read;
      continue;
    }
    m_read += got;
    done += got;
    rewound = false;
  }
  return done;
}
