#include "source/sound/cOggStream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// libvorbisfile reads through these, with the stream as its data source.
size_t ReadCallback(void* buffer, size_t size, size_t count, void* source) {
  if (size == 0 || count == 0) return 0;
  const size_t items = std::min(count, static_cast<size_t>(UINT32_MAX) / size);
  return static_cast<cStream*>(source)->Read(buffer, static_cast<uint32_t>(items * size)) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* stream = static_cast<cStream*>(source);
  const int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? stream->Tell() : stream->GetSize();
  const int64_t target = base + offset;
  // A place outside the stream is refused, not clamped to its nearest end.
  if (offset < INT32_MIN || offset > INT32_MAX || target < 0 || target > stream->GetSize()) return -1;
  stream->Seek(static_cast<int32_t>(target), 0);
  return 0;
}

long TellCallback(void* source) { return static_cast<long>(static_cast<cStream*>(source)->Tell()); }

constexpr ov_callbacks kCallbacks = {ReadCallback, SeekCallback, nullptr, TellCallback};

}  // namespace

void cOggStream::FileCloser::operator()(OggVorbis_File* file) const {
  ov_clear(file);
  delete file;
}

std::unique_ptr<cSoundStream> CreateOggStream(std::unique_ptr<cStream>& stream) {
  if (!stream) return nullptr;
  const uint32_t start = stream->Tell();
  auto window = std::make_unique<cSubStream>(*stream, start, cStream::kWholeStream);
  auto* file = new OggVorbis_File();
  if (ov_open_callbacks(window.get(), file, nullptr, 0, kCallbacks) != 0) {
    delete file;  // a failed open clears the state itself
    stream->Seek(static_cast<int32_t>(start), 0);
    return nullptr;
  }
  cOggStream::FilePtr opened(file);
  const vorbis_info* info = ov_info(file, -1);
  if (info == nullptr || info->channels < 1 || info->channels > 255 || info->rate <= 0) {
    stream->Seek(static_cast<int32_t>(start), 0);
    return nullptr;
  }
  return std::make_unique<cOggStream>(std::move(stream), std::move(window), std::move(opened));
}

cOggStream::cOggStream(std::unique_ptr<cStream> source, std::unique_ptr<cSubStream> window, FilePtr file)
    : cSoundStream(std::move(source)), m_window(std::move(window)), m_file(std::move(file)) {
  const vorbis_info* info = ov_info(m_file.get(), -1);
  m_format.format_tag = audio::kFormatPcm;
  m_format.channels = static_cast<uint16_t>(info->channels);
  m_format.samples_per_sec = static_cast<uint32_t>(info->rate);
  m_format.bits_per_sample = 16;
  m_format.block_align = static_cast<uint16_t>(m_format.channels * 2);
  m_format.avg_bytes_per_sec = m_format.block_align * m_format.samples_per_sec;
  m_format.extra_size = 0;
  Rewind();
}

float cOggStream::GetTotalTime() { return static_cast<float>(std::max(0.0, ov_time_total(m_file.get(), -1))); }

float cOggStream::GetTime() { return static_cast<float>(std::max(0.0, ov_time_tell(m_file.get()))); }

uint32_t cOggStream::GetSize() {
  const ogg_int64_t samples = ov_pcm_total(m_file.get(), -1);
  if (samples <= 0) return 0;
  return static_cast<uint32_t>(std::min<ogg_int64_t>(samples * m_format.block_align, UINT32_MAX));
}

void cOggStream::Rewind() {
  m_end = false;
  m_since_rewind = 0;
  ov_pcm_seek(m_file.get(), 0);
}

uint32_t cOggStream::Read(void* buffer, uint32_t bytes) {
  // Whole blocks only: a request smaller than one sample frame would decode nothing.
  bytes -= bytes % m_format.block_align;
  auto* out = static_cast<char*>(buffer);
  uint32_t done = 0;
  while (done < bytes && !m_end) {
    int section = 0;
    const long got = ov_read(m_file.get(), out + done, static_cast<int>(std::min<uint32_t>(bytes - done, INT_MAX)),
                             0, 2, 1, &section);
    if (got > 0) {
      done += static_cast<uint32_t>(got);
      m_since_rewind += static_cast<uint32_t>(got);
      continue;
    }
    // The end (or damage): a sound that plays once ends here; a looping one starts again,
    // unless it gave nothing since it last started.
    if (!m_loop || m_since_rewind == 0) {
      m_end = true;
      break;
    }
    Rewind();
  }
  return done;
}
