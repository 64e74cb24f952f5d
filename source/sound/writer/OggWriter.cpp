#include <vorbis/vorbisenc.h>

#include <algorithm>

#include "source/sound/writer/SoundWriters.h"

namespace {

constexpr uint32_t kChunkFrames = 1024;

// The encoder's state, set up in order and cleared in reverse.
class VorbisEncoder {
 public:
  VorbisEncoder() {
    vorbis_info_init(&m_info);
    vorbis_comment_init(&m_comment);
  }
  ~VorbisEncoder() {
    if (m_stream_ready) ogg_stream_clear(&m_stream);
    if (m_analysis_ready) {
      vorbis_block_clear(&m_block);
      vorbis_dsp_clear(&m_dsp);
    }
    vorbis_comment_clear(&m_comment);
    vorbis_info_clear(&m_info);
  }
  VorbisEncoder(const VorbisEncoder&) = delete;
  VorbisEncoder& operator=(const VorbisEncoder&) = delete;

  bool Start(cStream& out, uint16_t channels, uint32_t rate, float quality, int serial) {
    if (vorbis_encode_init_vbr(&m_info, channels, static_cast<long>(rate), quality) != 0) return false;
    if (vorbis_analysis_init(&m_dsp, &m_info) != 0) return false;
    vorbis_block_init(&m_dsp, &m_block);
    m_analysis_ready = true;
    ogg_stream_init(&m_stream, serial);
    m_stream_ready = true;
    ogg_packet header, comment, codebooks;
    vorbis_analysis_headerout(&m_dsp, &m_comment, &header, &comment, &codebooks);
    ogg_stream_packetin(&m_stream, &header);
    ogg_stream_packetin(&m_stream, &comment);
    ogg_stream_packetin(&m_stream, &codebooks);
    // The audio starts on a page of its own.
    ogg_page page;
    while (ogg_stream_flush(&m_stream, &page) != 0) {
      if (!WritePage(out, page)) return false;
    }
    return true;
  }

  // Feeds `frames` interleaved frames (none: the end of the sound) and writes what is ready.
  bool Feed(cStream& out, const float* samples, uint32_t frames, uint16_t channels) {
    if (frames > 0) {
      float** planes = vorbis_analysis_buffer(&m_dsp, static_cast<int>(frames));
      for (uint32_t i = 0; i < frames; ++i) {
        for (uint16_t c = 0; c < channels; ++c) planes[c][i] = samples[static_cast<size_t>(i) * channels + c];
      }
    }
    vorbis_analysis_wrote(&m_dsp, static_cast<int>(frames));
    while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1) {
      vorbis_analysis(&m_block, nullptr);
      vorbis_bitrate_addblock(&m_block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&m_dsp, &packet) == 1) {
        ogg_stream_packetin(&m_stream, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&m_stream, &page) != 0) {
          if (!WritePage(out, page)) return false;
        }
      }
    }
    return true;
  }

  bool Finish(cStream& out) {
    ogg_page page;
    while (ogg_stream_flush(&m_stream, &page) != 0) {
      if (!WritePage(out, page)) return false;
    }
    return true;
  }

 private:
  static bool WritePage(cStream& out, const ogg_page& page) {
    const auto header = static_cast<uint32_t>(page.header_len);
    const auto body = static_cast<uint32_t>(page.body_len);
    return out.Write(page.header, header) == header && out.Write(page.body, body) == body;
  }

  vorbis_info m_info;
  vorbis_comment m_comment;
  vorbis_dsp_state m_dsp{};
  vorbis_block m_block{};
  ogg_stream_state m_stream{};
  bool m_analysis_ready = false;
  bool m_stream_ready = false;
};

}  // namespace

bool WriteOggVorbis(cStream& stream, const std::vector<float>& samples, uint16_t channels, uint32_t rate,
                    float quality, int serial) {
  if (channels == 0) return false;
  VorbisEncoder encoder;
  if (!encoder.Start(stream, channels, rate, quality, serial)) return false;
  const auto frames = static_cast<uint32_t>(samples.size() / channels);
  for (uint32_t done = 0; done < frames;) {
    const uint32_t step = std::min(kChunkFrames, frames - done);
    if (!encoder.Feed(stream, samples.data() + static_cast<size_t>(done) * channels, step, channels)) return false;
    done += step;
  }
  return encoder.Feed(stream, nullptr, 0, channels) && encoder.Finish(stream);
}
