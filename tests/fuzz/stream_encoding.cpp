// Feeds arbitrary bytes to the binary encoding readers through memory and sub-streams. The first
// byte picks the order of readers; no input may crash, hang or allocate beyond its own size.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"

namespace {

constexpr std::size_t kMaxInput = 1 << 20;

// Touches every byte so the sanitizers see any byte that was not written.
uint32_t Touch(const std::string& text) {
  uint32_t sum = 0;
  for (char c : text) sum += static_cast<uint8_t>(c);
  return sum;
}

uint32_t ReadOne(cStream& stream, int which) {
  switch (which) {
    case 0: {
      uint32_t value = 0;
      return ReadUInt32(stream, value) ? value : 0;
    }
    case 1: {
      float value = 0;
      return ReadFloat(stream, value) ? static_cast<uint32_t>(value == value) : 0;
    }
    case 2: {
      std::string text;
      return ReadString(stream, text) ? Touch(text) : 0;
    }
    case 3: {
      std::u16string text;
      uint32_t sum = 0;
      if (ReadWideString(stream, text)) for (char16_t c : text) sum += c;
      return sum;
    }
    case 4: {
      std::vector<std::string> list;
      uint32_t sum = 0;
      if (ReadStringVector(list, stream)) for (const auto& t : list) sum += Touch(t);
      return sum;
    }
    default: {
      std::map<std::string, std::string> map;
      uint32_t sum = 0;
      if (ReadStringMap(map, stream)) for (const auto& [k, v] : map) sum += Touch(k) + Touch(v);
      return sum;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1 || size > kMaxInput) return 0;
  const uint8_t plan = data[0];
  cMemoryStream whole;
  whole.Write(data + 1, static_cast<uint32_t>(size - 1));
  // Read through a sub-stream that hides the last byte, so its bounds are exercised too.
  cSubStream window(whole, 0, whole.GetSize() > 0 ? whole.GetSize() - 1 : 0);
  volatile uint32_t sink = 0;
  for (int step = 0; step < 16 && !window.IsEof(); ++step) {
    sink = sink + ReadOne(window, (plan + step) % 6);
    if (step % 4 == 3) window.Seek(static_cast<int32_t>(plan) - 128, 1);
  }
  return 0;
}
