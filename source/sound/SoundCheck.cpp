#include "source/sound/SoundCheck.h"

#include <cstring>
#include <memory>
#include <vector>

#include "source/sound/WaveLayout.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cSubStream.h"

namespace {

// An Ogg page is at most this long: the last one begins within this many bytes of the end.
constexpr uint32_t kLongestOggPage = 27 + 255 + 255 * 255;
constexpr uint8_t kOggEndOfStream = 0x04;

std::string WaveDamage(cStream& stream) {
  WaveLayout layout;
  if (!ReadWaveLayout(stream, 0, layout)) return "its WAVE layout is damaged: no usable \"fmt \" or \"data\" chunk";
  if (layout.data_claimed > layout.data_length + layout.format.block_align) {
    return "it is cut short: its samples claim " + std::to_string(layout.data_claimed) + " bytes, " +
           std::to_string(layout.data_length) + " are there";
  }
  return {};
}

// The header type of the last page that begins in the stream's tail; -1 when none is found.
int LastOggPageType(cStream& stream) {
  const uint32_t size = stream.GetSize();
  const uint32_t from = size > kLongestOggPage ? size - kLongestOggPage : 0;
  std::vector<char> tail(size - from);
  if (tail.size() < 27 || stream.ReadAt(from, tail.data(), static_cast<uint32_t>(tail.size())) != tail.size()) {
    return -1;
  }
  for (std::size_t at = tail.size() - 27 + 1; at-- > 0;) {
    if (std::memcmp(&tail[at], "OggS", 4) == 0 && tail[at + 4] == 0) return static_cast<uint8_t>(tail[at + 5]);
  }
  return -1;
}

std::string OggDamage(cStream& stream) {
  std::unique_ptr<cStream> window = std::make_unique<cSubStream>(stream, 0, cStream::kWholeStream);
  if (!CreateOggStream(window)) return "its Ogg Vorbis headers are damaged or cut short";
  const int last = LastOggPageType(stream);
  if (last < 0 || (last & kOggEndOfStream) == 0) return "it is cut short: its last Ogg page does not end the stream";
  return {};
}

}  // namespace

std::string DescribeSoundDamage(cStream& stream) {
  const uint32_t position = stream.Tell();
  char magic[12] = {};
  const uint32_t size = stream.GetSize();
  const uint32_t got = size > 0 ? stream.ReadAt(0, magic, size < 12 ? size : 12) : 0;
  std::string damage;
  if (size == 0) {
    damage = "it holds no bytes";
  } else if (got >= 4 && std::memcmp(magic, "RIFF", 4) == 0) {
    damage = got == 12 && std::memcmp(magic + 8, "WAVE", 4) == 0 ? WaveDamage(stream) : "its RIFF header is cut short or not WAVE";
  } else if (got >= 4 && std::memcmp(magic, "OggS", 4) == 0) {
    damage = OggDamage(stream);
  } else {
    damage = "it is neither a WAVE nor an Ogg Vorbis file";
  }
  stream.Seek(static_cast<int32_t>(position), 0);
  return damage;
}
