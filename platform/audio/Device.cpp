// The device: opening the output, the cooperative level, and buffer creation with the checks
// DirectSound makes.

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/audio/Backend.h"
#include "platform/audio/audio.h"

namespace audio {
namespace {

bool HeadlessRequested() {
  const char* value = std::getenv("VELMARIS_HEADLESS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::mutex& ErrorMutex() {
  static std::mutex& mutex = *new std::mutex();  // never destroyed: used from destructors at exit
  return mutex;
}

std::string& ErrorText() {
  static std::string& text = *new std::string();
  return text;
}

bool IsPlayableFormat(const WaveFormat& f) {
  if (f.format_tag != kFormatPcm) return false;
  if (f.channels != 1 && f.channels != 2) return false;
  if (f.bits_per_sample != 8 && f.bits_per_sample != 16) return false;
  if (f.samples_per_sec < kFrequencyMin || f.samples_per_sec > kFrequencyMax) return false;
  if (f.block_align != f.channels * f.bits_per_sample / 8) return false;
  return f.avg_bytes_per_sec == f.samples_per_sec * f.block_align;
}

Result CheckSecondary(const BufferDesc& desc) {
  if (desc.format == nullptr) return DSERR_INVALIDPARAM;
  if (desc.buffer_bytes < kBufferBytesMin || desc.buffer_bytes > kBufferBytesMax) return DSERR_INVALIDPARAM;
  if (!IsPlayableFormat(*desc.format)) return DSERR_BADFORMAT;
  if ((desc.flags & kBufferCtrl3D) && desc.format->channels != 1) return DSERR_INVALIDPARAM;
  if (desc.buffer_bytes / desc.format->block_align * desc.format->block_align < kBufferBytesMin) {
    return DSERR_INVALIDPARAM;
  }
  return DS_OK;
}

// The format the mixer produces, which the primary buffer reports.
WaveFormat OutputFormat() { return PcmFormat(detail::kOutputChannels, detail::kOutputRate, 16); }

}  // namespace

Result CreateDevice(std::shared_ptr<Device>& device) {
  device.reset();
  std::string error;
  std::shared_ptr<detail::Output> output =
      HeadlessRequested() ? detail::OpenHeadlessOutput(error) : detail::OpenSdlOutput(error);
  {
    std::lock_guard<std::mutex> lock(ErrorMutex());
    ErrorText() = error;
  }
  if (!output) return DSERR_NODRIVER;
  device = std::make_shared<Device>(std::move(output));
  return DS_OK;
}

std::string LastErrorText() {
  std::lock_guard<std::mutex> lock(ErrorMutex());
  return ErrorText();
}

const char* BackendName() { return HeadlessRequested() ? "headless" : "sdl"; }

Device::Device(std::shared_ptr<detail::Output> output) : m_output(std::move(output)) {}

Device::~Device() = default;

Result Device::SetCooperativeLevel(window::NativeWindow* window, uint32_t level) {
  if (level < kLevelNormal || level > kLevelWritePrimary) return DSERR_INVALIDPARAM;
  m_level = level;
  return DS_OK;
}

Result Device::CreateSoundBuffer(const BufferDesc& desc, std::shared_ptr<Buffer>& buffer) {
  buffer.reset();
  if (desc.size != kBufferDescSize && desc.size != kBufferDescSizeShort) return DSERR_INVALIDPARAM;
  if (m_level == 0) return DSERR_INVALIDCALL;
  if (desc.flags & kBufferPrimary) {
    if (desc.buffer_bytes != 0 || desc.format != nullptr) return DSERR_INVALIDPARAM;
    buffer = m_primary.lock();
    if (!buffer) {
      const WaveFormat format = OutputFormat();
      buffer.reset(new Buffer(m_output, desc.flags, format, detail::kPeriodFrames * format.block_align));
      m_primary = buffer;
    }
    return DS_OK;
  }
  if (const Result checked = CheckSecondary(desc); Failed(checked)) return checked;
  const WaveFormat& format = *desc.format;
  // A buffer holds whole blocks.
  const uint32_t bytes = desc.buffer_bytes / format.block_align * format.block_align;
  buffer.reset(new Buffer(m_output, desc.flags, format, bytes));
  if (!buffer->m_voice->bytes) {
    buffer.reset();
    return DSERR_OUTOFMEMORY;
  }
  return DS_OK;
}

}  // namespace audio
