// Fuzz target for the text conversion: any bytes decode without reading past their end, and the
// round trip through UTF-8 gives back the units the decoder produced (surrogates aside).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "source/text/TextConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;  // the work grows with the input; nothing is learnt from more
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Decode from a buffer of exactly `size` bytes so any over-read is seen.
  std::size_t at = 0;
  while (at < size) {
    const Utf8Char c = DecodeUtf8Char(text.data() + at, size - at);
    if (c.length == 0) break;
    if (c.length > size - at) abort();
    at += c.length;
  }

  const std::u16string wide = ToWideString(text);
  const std::string narrow = WideToUtf8(wide);
  // A surrogate pair comes back as one four-byte sequence, which the decoder gives as one U+FFFD;
  // a lone surrogate comes back as U+FFFD too.
  std::u16string expected;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t u = wide[i];
    const bool pair = u >= 0xD800 && u <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                      wide[i + 1] <= 0xDFFF;
    if (pair) ++i;
    expected.push_back(u >= 0xD800 && u <= 0xDFFF ? char16_t(0xFFFD) : u);
  }
  // Units below 0x10000 that are no surrogates survive the round trip, except a zero unit (from an
  // overlong sequence), which ends the text on the way back.
  const std::size_t zero = expected.find(u'\0');
  if (zero != std::u16string::npos) expected.resize(zero);
  if (ToWideString(narrow) != expected) abort();

  std::u16string trimmed = wide;
  TrimWideString(trimmed);
  const std::string lower = ToLower(text);
  volatile std::size_t touched = trimmed.size() + lower.size();
  (void)touched;
  return 0;
}
