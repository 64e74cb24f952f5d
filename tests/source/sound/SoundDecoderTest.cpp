// The WAV and Ogg Vorbis decoders: hand-made RIFF layouts, round trips through the writers,
// looping, and damaged or cut files that are refused or end instead of hanging.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "source/sound/SoundCheck.h"
#include "source/sound/WaveLayout.h"
#include "source/sound/cSoundStream.h"
#include "tests/source/sound/SoundFixtures.h"
#include "tests/support/Found.h"

namespace {

using namespace sound_fixtures;

const std::string kFmt = Chunk("fmt ", FmtBody(1, 22050, 16));
const std::string kCanonical = Riff(kFmt + Chunk("data", Counting(100)));

// Reads until the decoder gives nothing, at most `limit` bytes.
std::string ReadAll(cSoundStream& decoder, size_t limit = 1 << 24) {
  std::string all;
  char chunk[4096];
  while (all.size() < limit) {
    const uint32_t got = decoder.Read(chunk, sizeof chunk);
    if (got == 0) break;
    all.append(chunk, got);
  }
  return all;
}

TEST(WaveLayoutTest, ChunksAreWalkedByTheirSizes) {
  struct Case {
    const char* what;
    std::string file;
    bool accepted;
    uint32_t start, length;
  };
  const Case cases[] = {
      {"canonical 44-byte header", kCanonical, true, 48, 96},
      {"18-byte fmt chunk", Riff(Chunk("fmt ", FmtBody(1, 22050, 16, Word16(0))) + Chunk("data", Counting(100))), true,
       50, 96},
      {"a list before the data", Riff(kFmt + Chunk("LIST", "INFOabcd") + Chunk("data", Counting(100))), true, 64, 96},
      {"an odd chunk and its pad", Riff(kFmt + Chunk("junk", "abc") + Chunk("data", Counting(100))), true, 60, 96},
      {"data before fmt", Riff(Chunk("data", Counting(100)) + kFmt), true, 24, 96},
      {"a chunk after the data", Riff(kFmt + Chunk("data", Counting(100)) + Chunk("LIST", Counting(40))), true, 48, 96},
      {"data claiming more than the file", Riff(kFmt) + "data" + Word32(1000) + Counting(100), true, 48, 96},
      {"data shorter than the skipped bytes", Riff(kFmt + Chunk("data", "ab")), true, 46, 0},
      {"half a block at the end", Riff(kFmt + Chunk("data", Counting(101))), true, 48, 96},
      {"no data chunk", Riff(kFmt + Chunk("LIST", Counting(40))), false, 0, 0},
      {"no fmt chunk", Riff(Chunk("data", Counting(100))), false, 0, 0},
      {"a 14-byte fmt chunk", Riff(Chunk("fmt ", FmtBody(1, 22050, 16).substr(0, 14)) + Chunk("data", "abcd")), false,
       0, 0},
      {"no channels", Riff(Chunk("fmt ", FmtBody(0, 22050, 16)) + Chunk("data", Counting(8))), false, 0, 0},
      {"big-endian RIFX", "RIFX" + kCanonical.substr(4), false, 0, 0},
      {"not WAVE", kCanonical.substr(0, 8) + "AVI " + kCanonical.substr(12), false, 0, 0},
      {"empty", "", false, 0, 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cStream> stream = StreamOf(c.file);
    WaveLayout layout;
    ASSERT_EQ(ReadWaveLayout(*stream, 0, layout), c.accepted) << c.what;
    if (!c.accepted) continue;
    EXPECT_EQ(layout.data_start, c.start) << c.what;
    EXPECT_EQ(layout.data_length, c.length) << c.what;
  }
}

TEST(WavStreamTest, ReadsStopAtTheDataAndLoopingFillsEveryRead) {
  std::unique_ptr<cStream> stream =
      StreamOf(Riff(kFmt + Chunk("data", Counting(100)) + Chunk("LIST", std::string(40, 'x'))));
  std::unique_ptr<cSoundStream> once = CreateWavStream(stream);
  ASSERT_TRUE(once);
  EXPECT_EQ(once->GetSize(), 96u);
  EXPECT_EQ(ReadAll(*once), Counting(96, 4)) << "the trailing chunk is not played";
  EXPECT_TRUE(once->IsFinished());
  EXPECT_NEAR(once->GetTotalTime(), 48.0 / 22050, 1e-6);

  once->Rewind();
  once->SetLoop(true);
  std::string filled(250, '\0');
  EXPECT_EQ(once->Read(filled.data(), 250), 250u);
  EXPECT_EQ(filled.substr(96, 96), Counting(96, 4));
  EXPECT_FALSE(once->IsFinished());
}

TEST(WavStreamTest, EveryCutOfAFileIsRefusedOrPlaysWhatIsThere) {
  for (size_t cut = 0; cut <= kCanonical.size(); ++cut) {
    std::unique_ptr<cStream> stream = StreamOf(kCanonical.substr(0, cut));
    std::unique_ptr<cSoundStream> decoder = CreateWavStream(stream);
    ASSERT_EQ(static_cast<bool>(decoder), cut >= 44) << cut;
    if (!decoder) continue;
    const size_t expected = cut > 48 ? (cut - 48) / 2 * 2 : 0;
    EXPECT_EQ(ReadAll(*decoder).size(), expected) << cut;
    decoder->Rewind();
    decoder->SetLoop(true);
    ReadAll(*decoder, 1000);  // a loop over nothing ends
    EXPECT_EQ(decoder->IsFinished(), expected == 0) << cut;
  }
}

TEST(WavStreamTest, RoundTripThroughTheWriter) {
  for (uint16_t bits : {8, 16}) {
    const std::string file = ToneWav(0.1, 440, 0.5f, 11025, 2, bits);
    std::unique_ptr<cStream> stream = StreamOf(file);
    std::unique_ptr<cSoundStream> decoder = CreateWavStream(stream);
    ASSERT_TRUE(decoder) << bits;
    const audio::WaveFormat& f = Found(decoder->GetFormat());
    EXPECT_EQ(f.bits_per_sample, bits);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.block_align, 2 * bits / 8);
    EXPECT_EQ(ReadAll(*decoder), file.substr(48)) << bits;
  }
}

TEST(OggStreamTest, ReportsTheFormatOfTheVorbisStream) {
  const struct {
    uint32_t rate;
    uint16_t channels;
  } table[] = {{44100, 1}, {22050, 2}};
  for (const auto& row : table) {
    std::unique_ptr<cStream> stream = StreamOf(ToneOgg(0.5, 440, 0.5f, row.rate, row.channels));
    std::unique_ptr<cSoundStream> decoder = CreateOggStream(stream);
    ASSERT_TRUE(decoder);
    const audio::WaveFormat& f = Found(decoder->GetFormat());
    EXPECT_EQ(f.format_tag, 1);
    EXPECT_EQ(f.channels, row.channels);
    EXPECT_EQ(f.samples_per_sec, row.rate);
    EXPECT_EQ(f.avg_bytes_per_sec, row.rate * 2 * row.channels);
    EXPECT_EQ(f.block_align, 2 * row.channels);
    EXPECT_EQ(f.bits_per_sample, 16);
    EXPECT_EQ(f.extra_size, 0);
    EXPECT_EQ(decoder->GetSize(), static_cast<uint32_t>(row.rate / 2) * f.block_align);
    EXPECT_NEAR(decoder->GetTotalTime(), 0.5, 1e-3);
  }
}

TEST(OggStreamTest, AFinishedSoundReadsNothingAndALoopReadsOn) {
  std::unique_ptr<cStream> stream = StreamOf(ToneOgg(0.25, 440, 0.5f));
  std::unique_ptr<cSoundStream> decoder = CreateOggStream(stream);
  ASSERT_TRUE(decoder);
  const std::string first = ReadAll(*decoder);
  EXPECT_EQ(first.size(), decoder->GetSize());
  EXPECT_TRUE(decoder->IsFinished());
  char byte[16];
  EXPECT_EQ(decoder->Read(byte, sizeof byte), 0u) << "a finished sound gives nothing, at once";

  decoder->Rewind();
  decoder->SetLoop(true);
  std::string looped(first.size() * 3 + 2, '\0');
  EXPECT_EQ(decoder->Read(looped.data(), static_cast<uint32_t>(looped.size())), first.size() * 3 + 2);
  EXPECT_EQ(looped.substr(first.size(), first.size()), first);
  EXPECT_FALSE(decoder->IsFinished());
  EXPECT_EQ(decoder->Read(byte, 1), 0u) << "less than a sample frame";
}

TEST(OggStreamTest, ALoopOverNoAudioEnds) {
  std::unique_ptr<cStream> stream = StreamOf(ToneOgg(0, 440, 0.5f));
  std::unique_ptr<cSoundStream> decoder = CreateOggStream(stream);
  ASSERT_TRUE(decoder);
  decoder->SetLoop(true);
  char buffer[4096];
  EXPECT_EQ(decoder->Read(buffer, sizeof buffer), 0u);
  EXPECT_TRUE(decoder->IsFinished());
}

TEST(OggStreamTest, CutAndDamagedFilesAreRefusedOrEnd) {
  const std::string file = ToneOgg(0.3, 660, 0.5f);
  std::vector<std::string> damaged;
  for (size_t cut = 0; cut < file.size(); cut += file.size() / 23) damaged.push_back(file.substr(0, cut));
  for (size_t step : {7u, 51u, 313u}) {
    std::string flipped = file;
    for (size_t i = step; i < flipped.size(); i += step) flipped[i] = static_cast<char>(~flipped[i]);
    damaged.push_back(flipped);
  }
  for (const std::string& bytes : damaged) {
    std::unique_ptr<cStream> stream = StreamOf(bytes);
    std::unique_ptr<cSoundStream> decoder = CreateOggStream(stream);
    if (!decoder) continue;
    EXPECT_LE(ReadAll(*decoder).size(), 4 * 44100u) << bytes.size();
    decoder->Rewind();
    decoder->SetLoop(true);
    ReadAll(*decoder, 1 << 20);  // returns: full reads, or nothing once the loop gives nothing
  }
}

TEST(SoundProbeTest, AStreamNeitherTakesStaysWhereItWas) {
  for (const std::string& bytes : {std::string("plain text, not a sound at all"), std::string(),
                                   Riff(kFmt), std::string("OggS") + std::string(100, '\0')}) {
    std::unique_ptr<cStream> stream = StreamOf("xx" + bytes);
    stream->Seek(2, 0);
    EXPECT_FALSE(CreateOggStream(stream));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Tell(), 2u);
    EXPECT_FALSE(CreateWavStream(stream));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Tell(), 2u);
  }
}

// Every kind of damage a look at the headers can tell, named; whole sounds pass unremarked.
TEST(SoundCheckTest, DamagedSoundsAreNamedWholeOnesPass) {
  const std::string ogg = ToneOgg(0.5, 440, 0.5f);
  const std::string long_ogg = ToneOgg(4.0, 440, 0.5f);  // its headers fill far less than half
  std::string scrambled_ogg = ogg;
  for (size_t i = 7; i < 200; i += 7) scrambled_ogg[i] = static_cast<char>(~scrambled_ogg[i]);
  std::string scrambled_wav = kCanonical;
  for (size_t i = 12; i < 44; ++i) scrambled_wav[i] = static_cast<char>(scrambled_wav[i] ^ 0x5A);
  struct Case {
    const char* what;
    std::string bytes;
    const char* said;  // "" for a whole sound
  };
  const Case cases[] = {
      {"a whole WAV", kCanonical, ""},
      {"a whole Ogg", ogg, ""},
      {"a written WAV", ToneWav(0.2, 440, 0.5f), ""},
      {"nothing", "", "it holds no bytes"},
      {"text", "plain text, not a sound", "neither a WAVE nor an Ogg Vorbis file"},
      {"a WAV cut in half", kCanonical.substr(0, 100), "cut short: its samples claim 96 bytes, 52 are there"},
      {"a WAV cut in its header", kCanonical.substr(0, 30), "WAVE layout is damaged"},
      {"a WAV cut in its RIFF header", kCanonical.substr(0, 8), "RIFF header is cut short"},
      {"a WAV with scrambled chunks", scrambled_wav, "WAVE layout is damaged"},
      {"an Ogg cut in half", long_ogg.substr(0, long_ogg.size() / 2), "cut short: its last Ogg page does not end the stream"},
      {"an Ogg cut in its headers", ogg.substr(0, 60), "Ogg Vorbis headers are damaged or cut short"},
      {"an Ogg with scrambled headers", scrambled_ogg, "Ogg Vorbis headers are damaged or cut short"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cStream> stream = StreamOf(c.bytes);
    if (!c.bytes.empty()) stream->Seek(3, 0);
    const std::string said = DescribeSoundDamage(*stream);
    if (std::string(c.said).empty()) {
      EXPECT_EQ(said, "") << c.what;
    } else {
      EXPECT_NE(said.find(c.said), std::string::npos) << c.what << ": " << said;
    }
    EXPECT_EQ(stream->Tell(), c.bytes.empty() ? 0u : 3u) << c.what << ": the position is kept";
  }
}

}  // namespace

