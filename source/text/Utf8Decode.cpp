// UTF-8 to UTF-16 by the program's one decoder.

#include "source/text/TextConversion.h"

#include <cstring>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// How many bytes of a sequence are present before the end or a zero byte, up to `wanted`.
std::size_t PresentBytes(const unsigned char* b, std::size_t available, std::size_t wanted) {
  std::size_t n = 0;
  while (n < wanted && n < available && b[n] != 0) ++n;
  return n;
}

// Skips the continuation bytes (10xxxxxx) following a lead byte we do not decode, so a four-byte
// character gives one U+FFFD rather than four.
std::size_t SkipContinuations(const unsigned char* b, std::size_t available, std::size_t most) {
  std::size_t n = 1;
  while (n <= most && n < available && (b[n] & 0xC0) == 0x80) ++n;
  return n;
}

}  // namespace

Utf8Char DecodeUtf8Char(const char* bytes, std::size_t available) {
  if (bytes == nullptr || available == 0 || bytes[0] == 0) return {0, 0};
  const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
  const unsigned char lead = b[0];
  if (lead < 0x80) return {lead, 1};
  std::size_t wanted = 0;
  if (lead >= 0xC0 && lead <= 0xDF) wanted = 2;
  if (lead >= 0xE0 && lead <= 0xEF) wanted = 3;
  if (wanted == 0) {
    // A stray continuation byte, or a lead of four or more bytes.
    return {kReplacement, lead >= 0xF0 && lead <= 0xF7 ? SkipContinuations(b, available, 3) : 1};
  }
  const std::size_t present = PresentBytes(b, available, wanted);
  if (present < wanted) return {kReplacement, present};
  if (wanted == 2) {
    return {static_cast<char16_t>(((lead & 0x1F) << 6) | (b[1] & 0x3F)), 2};
  }
  return {static_cast<char16_t>(((lead & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F)), 3};
}

namespace {

std::u16string Decode(const char* text, std::size_t size) {
  std::u16string wide;
  std::size_t at = 0;
  while (at < size) {
    const Utf8Char c = DecodeUtf8Char(text + at, size - at);
    if (c.length == 0) break;  // the terminating zero
    wide.push_back(c.unit);
    at += c.length;
  }
  return wide;
}

}  // namespace

std::u16string Utf8ToWide(const char* text) {
  return text == nullptr ? std::u16string() : Decode(text, std::strlen(text));
}

std::u16string ToWideString(const std::string& text) { return Decode(text.data(), text.size()); }
