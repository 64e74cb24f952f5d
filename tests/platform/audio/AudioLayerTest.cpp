// The audio layer on its headless output: what DirectSound refuses, locks split at the wrap,
// cursors moved by the resampling ratio, play state, the volume's gain, and what the mixer makes
// of the buffers, read back from memory.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/audio/headless/HeadlessAudio.h"

namespace {

using namespace audio;

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) { return PcmFormat(channels, rate, bits); }

class AudioLayer : public testing::Test {
 protected:
  void SetUp() override {
    headless::SetSoundCardPresent(true);
    ASSERT_EQ(CreateDevice(m_device), DS_OK);
    ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, kLevelPriority), DS_OK);
    headless::ClearCaptured();
  }

  std::shared_ptr<Buffer> Make(const WaveFormat& format, uint32_t bytes, uint32_t flags = kBufferCtrlVolume) {
    BufferDesc desc;
    desc.flags = flags;
    desc.buffer_bytes = bytes;
    desc.format = &format;
    std::shared_ptr<Buffer> buffer;
    EXPECT_EQ(m_device->CreateSoundBuffer(desc, buffer), DS_OK);
    return buffer;
  }

  // Fills the whole buffer with one 16-bit frame (left, right) repeated.
  static void Fill16(Buffer& buffer, int16_t left, int16_t right, uint32_t bytes) {
    void* part = nullptr;
    uint32_t length = 0;
    ASSERT_EQ(buffer.Lock(0, bytes, &part, &length, nullptr, nullptr, 0), DS_OK);
    auto* samples = static_cast<int16_t*>(part);
    for (uint32_t i = 0; i < length / 2; ++i) samples[i] = (i % 2 == 0) ? left : right;
    ASSERT_EQ(buffer.Unlock(part, length, nullptr, 0), DS_OK);
  }

  std::shared_ptr<Device> m_device;
};

TEST_F(AudioLayer, RefusesWhatDirectSoundRefusesAndHoldsWholeBlocks) {
  const WaveFormat good = Pcm(1, 22050, 16);
  struct Case {
    const char* what;
    std::function<void(BufferDesc&, WaveFormat&)> change;
    Result expected;
  };
  const Case cases[] = {
      {"a good mono buffer", [](BufferDesc&, WaveFormat&) {}, DS_OK},
      {"the older description size", [](BufferDesc& d, WaveFormat&) { d.size = 20; }, DS_OK},
      {"3D control of a mono buffer", [](BufferDesc& d, WaveFormat&) { d.flags |= kBufferCtrl3D; }, DS_OK},
      {"8-bit stereo at the lowest rate", [](BufferDesc&, WaveFormat& f) { f = Pcm(2, 100, 8); }, DS_OK},
      {"a description of another size", [](BufferDesc& d, WaveFormat&) { d.size = 40; }, DSERR_INVALIDPARAM},
      {"no format", [](BufferDesc& d, WaveFormat&) { d.format = nullptr; }, DSERR_INVALIDPARAM},
      {"fewer than 4 bytes", [](BufferDesc& d, WaveFormat&) { d.buffer_bytes = 3; }, DSERR_INVALIDPARAM},
      {"more than the largest size", [](BufferDesc& d, WaveFormat&) { d.buffer_bytes = kBufferBytesMax + 1; },
       DSERR_INVALIDPARAM},
      {"3D control of stereo", [](BufferDesc& d, WaveFormat& f) { d.flags |= kBufferCtrl3D; f = Pcm(2, 22050, 16); },
       DSERR_INVALIDPARAM},
      {"a primary buffer with a size", [](BufferDesc& d, WaveFormat&) { d.flags = kBufferPrimary; },
       DSERR_INVALIDPARAM},
      {"a compressed format", [](BufferDesc&, WaveFormat& f) { f.format_tag = 2; }, DSERR_BADFORMAT},
      {"three channels", [](BufferDesc&, WaveFormat& f) { f = Pcm(3, 22050, 16); }, DSERR_BADFORMAT},
      {"24-bit samples", [](BufferDesc&, WaveFormat& f) { f = Pcm(1, 22050, 24); }, DSERR_BADFORMAT},
      {"a rate too low", [](BufferDesc&, WaveFormat& f) { f = Pcm(1, 99, 16); }, DSERR_BADFORMAT},
      {"a rate too high", [](BufferDesc&, WaveFormat& f) { f = Pcm(1, 100001, 16); }, DSERR_BADFORMAT},
      {"a wrong block size", [](BufferDesc&, WaveFormat& f) { f.block_align = 4; }, DSERR_BADFORMAT},
      {"a wrong byte rate", [](BufferDesc&, WaveFormat& f) { f.avg_bytes_per_sec += 1; }, DSERR_BADFORMAT},
  };
  for (const Case& c : cases) {
    WaveFormat format = good;
    BufferDesc desc;
    desc.flags = kBufferCtrlVolume;
    desc.buffer_bytes = 4000;
    desc.format = &format;
    c.change(desc, format);
    std::shared_ptr<Buffer> buffer;
    EXPECT_EQ(m_device->CreateSoundBuffer(desc, buffer), c.expected) << c.what;
    EXPECT_EQ(static_cast<bool>(buffer), c.expected == DS_OK) << c.what;
  }
  std::shared_ptr<Device> fresh;
  ASSERT_EQ(CreateDevice(fresh), DS_OK);
  BufferDesc desc;
  desc.buffer_bytes = 4000;
  desc.format = &good;
  std::shared_ptr<Buffer> buffer;
  EXPECT_EQ(fresh->CreateSoundBuffer(desc, buffer), DSERR_INVALIDCALL) << "no cooperative level yet";
  // A buffer holds whole blocks; its capabilities need their exact size.
  buffer = Make(Pcm(2, 22050, 16), 4002);
  BufferCaps caps;
  ASSERT_EQ(buffer->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.buffer_bytes, 4000u);
  EXPECT_EQ(caps.flags, kBufferCtrlVolume | kBufferLocSoftware);
  caps.size = kBufferCapsSize + 4;
  EXPECT_EQ(buffer->GetCaps(&caps), DSERR_INVALIDPARAM);
}

TEST_F(AudioLayer, LockSplitsTheSpanAtTheWrap) {
  std::shared_ptr<Buffer> buffer = Make(Pcm(1, 22050, 16), 400);
  struct Case {
    uint32_t offset, bytes, flags;
    Result result;
    uint32_t first, second;
  };
  const Case cases[] = {
      {0, 400, 0, DS_OK, 400, 0},   {300, 200, 0, DS_OK, 100, 100},        {396, 8, 0, DS_OK, 4, 4},
      {10, 0, kLockEntireBuffer, DS_OK, 390, 10}, {400, 4, 0, DSERR_INVALIDPARAM, 0, 0},
      {0, 0, 0, DSERR_INVALIDPARAM, 0, 0},        {0, 401, 0, DSERR_INVALIDPARAM, 0, 0},
  };
  for (const Case& c : cases) {
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    EXPECT_EQ(buffer->Lock(c.offset, c.bytes, &p1, &n1, &p2, &n2, c.flags), c.result) << c.offset << "+" << c.bytes;
    if (c.result != DS_OK) continue;
    EXPECT_EQ(n1, c.first) << c.offset;
    EXPECT_EQ(n2, c.second) << c.offset;
    EXPECT_EQ(p2 != nullptr, c.second > 0) << c.offset;
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);
  }
}

TEST_F(AudioLayer, UnlockKeepsOnlyTheLengthsWritten) {
  std::shared_ptr<Buffer> buffer = Make(Pcm(1, 22050, 8), 100);
  void* p1 = nullptr;
  void* p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  ASSERT_EQ(buffer->Lock(90, 20, &p1, &n1, &p2, &n2, 0), DS_OK);
  EXPECT_EQ(buffer->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDCALL) << "one lock at a time";
  std::memset(p1, 1, n1);
  std::memset(p2, 2, n2);
  EXPECT_EQ(buffer->Unlock(p1, n1 + 1, p2, 4), DSERR_INVALIDPARAM) << "more than was locked";
  ASSERT_EQ(buffer->Unlock(p1, 5, p2, 4), DS_OK);
  ASSERT_EQ(buffer->Lock(0, 100, &p1, &n1, nullptr, nullptr, kLockEntireBuffer), DS_OK);
  const auto* bytes = static_cast<const uint8_t*>(p1);
  EXPECT_EQ(bytes[90], 1);
  EXPECT_EQ(bytes[94], 1);
  EXPECT_EQ(bytes[95], 0x80) << "8-bit silence past what was written";
  EXPECT_EQ(bytes[3], 2);
  EXPECT_EQ(bytes[4], 0x80);
  EXPECT_EQ(buffer->Unlock(p1, 0, nullptr, 0), DS_OK);
}

TEST_F(AudioLayer, CursorsMoveByTheResamplingRatio) {
  struct Case {
    WaveFormat format;
    uint32_t buffer_frames;
    uint32_t output_frames;
    uint32_t expected_frame;
  };
  const Case cases[] = {
      {Pcm(1, 22050, 16), 22050, 4410, 2205},
      {Pcm(2, 44100, 16), 44100, 1000, 1000},
      {Pcm(1, 11025, 8), 11025, 4000, 1000},
      {Pcm(2, 44100, 8), 4410, 6615, 2205},  // round the loop once
  };
  for (const Case& c : cases) {
    std::shared_ptr<Buffer> buffer = Make(c.format, c.buffer_frames * c.format.block_align);
    ASSERT_EQ(buffer->Play(0, 0, kPlayLooping), DS_OK);
    headless::Render(c.output_frames);
    uint32_t play = 0, write = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, c.expected_frame * c.format.block_align) << c.format.samples_per_sec;
    EXPECT_EQ(play % c.format.block_align, 0u);
    EXPECT_NE(write, play) << "the write cursor runs ahead while playing";
  }
}

TEST_F(AudioLayer, PlayStateAndPositionFollowTheCalls) {
  std::shared_ptr<Buffer> buffer = Make(Pcm(1, 44100, 16), 2000);
  uint32_t status = 99, play = 0, write = 0;
  ASSERT_EQ(buffer->GetStatus(&status), DS_OK);
  EXPECT_EQ(status, 0u);
  buffer->Play(0, 0, kPlayLooping);
  buffer->GetStatus(&status);
  EXPECT_EQ(status, kStatusPlaying | kStatusLooping);
  headless::Render(300);
  buffer->Stop();
  buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  headless::Render(300);
  buffer->GetCurrentPosition(&play, &write);
  EXPECT_EQ(play, 600u) << "stop keeps the position";
  EXPECT_EQ(write, play);
  EXPECT_EQ(buffer->SetCurrentPosition(1001), DS_OK);
  buffer->GetCurrentPosition(&play, nullptr);
  EXPECT_EQ(play, 1000u) << "whole blocks";
  EXPECT_EQ(buffer->SetCurrentPosition(2000), DSERR_INVALIDPARAM);
  buffer->Play(0, 0, 0);
  buffer->GetStatus(&status);
  EXPECT_EQ(status, kStatusPlaying);
  headless::Render(1000);
  buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u) << "played once to its end";
  EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
}

TEST_F(AudioLayer, VolumeIsAGainOfTenToTheVolumeOver2000) {
  const struct {
    int32_t volume;
    float gain;
  } table[] = {{0, 1.0f}, {-600, 0.5012f}, {-2000, 0.1f}, {-4850, 0.003758f}, {-9999, 1.0012e-5f}, {-10000, 0.0f}};
  for (const auto& row : table) EXPECT_NEAR(GainForVolume(row.volume), row.gain, row.gain * 1e-3f) << row.volume;

  std::shared_ptr<Buffer> buffer = Make(Pcm(1, 44100, 16), 400);
  EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(-600), DS_OK);
  int32_t volume = 0;
  EXPECT_EQ(buffer->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, -600);
  std::shared_ptr<Buffer> fixed = Make(Pcm(1, 44100, 16), 400, 0);
  EXPECT_EQ(fixed->SetVolume(0), DSERR_CONTROLUNAVAIL);
}

TEST_F(AudioLayer, MixesPlayingBuffersIntoMemory) {
  std::shared_ptr<Buffer> mono = Make(Pcm(1, 44100, 16), 4000);
  std::shared_ptr<Buffer> stereo = Make(Pcm(2, 44100, 16), 4000);
  std::shared_ptr<Buffer> stopped = Make(Pcm(1, 44100, 16), 4000);
  Fill16(*mono, 8192, 8192, 4000);
  Fill16(*stereo, 4000, -4000, 4000);
  Fill16(*stopped, 30000, 30000, 4000);
  stereo->SetVolume(-2000);
  mono->Play(0, 0, kPlayLooping);
  stereo->Play(0, 0, kPlayLooping);
  const std::vector<int16_t> mixed = headless::Render(64);
  ASSERT_EQ(mixed.size(), 128u);
  EXPECT_NEAR(mixed[0], 8192 * 32767.0 / 32768 + 400, 1.5);
  EXPECT_NEAR(mixed[1], 8192 * 32767.0 / 32768 - 400, 1.5);
  EXPECT_EQ(headless::Captured(), mixed);

  stopped->Play(0, 0, kPlayLooping);
  const std::vector<int16_t> loud = headless::Render(4);
  EXPECT_EQ(loud[0], 32767) << "clipped";
}

TEST_F(AudioLayer, ResamplesLinearlyAndReadsEightBitAroundItsMiddle) {
  std::shared_ptr<Buffer> slow = Make(Pcm(1, 22050, 8), 100);
  void* part = nullptr;
  uint32_t length = 0;
  ASSERT_EQ(slow->Lock(0, 100, &part, &length, nullptr, nullptr, 0), DS_OK);
  auto* bytes = static_cast<uint8_t*>(part);
  for (uint32_t i = 0; i < length; ++i) bytes[i] = i % 2 == 0 ? 0x80 : 0xC0;  // 0, +0.5, 0, ...
  slow->Unlock(part, length, nullptr, 0);
  slow->Play(0, 0, kPlayLooping);
  const std::vector<int16_t> mixed = headless::Render(4);
  const int16_t quarter = static_cast<int16_t>(std::lrint(0.25 * 32767));
  const int16_t half = static_cast<int16_t>(std::lrint(0.5 * 32767));
  EXPECT_EQ((std::vector<int16_t>{mixed[0], mixed[2], mixed[4], mixed[6]}),
            (std::vector<int16_t>{0, quarter, half, quarter}));
}

TEST_F(AudioLayer, WithoutASoundCardNoDeviceOpens) {
  m_device.reset();
  headless::SetSoundCardPresent(false);
  std::shared_ptr<Device> device;
  EXPECT_EQ(CreateDevice(device), DSERR_NODRIVER);
  EXPECT_FALSE(device);
  EXPECT_FALSE(LastErrorText().empty());
  EXPECT_FALSE(headless::IsOutputOpen());
  EXPECT_TRUE(headless::Render(100).empty());
  headless::SetSoundCardPresent(true);
}

}  // namespace
