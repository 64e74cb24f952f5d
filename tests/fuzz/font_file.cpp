// Fuzz target: arbitrary bytes read as a font file. A file that reads must write back to the same
// bytes when its codes were unique and in order, and a font built from it must lay text out
// safely whatever its glyph values.

#include <cstddef>
#include <cstdint>

#include "gui/include/GUIFont.h"
#include "gui/include/TextLayout.h"
#include "source/model/Model.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

namespace {
constexpr std::size_t kMaxInput = 64 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  GUIGlyphTable glyphs;
  if (ReadFontFile(data, static_cast<uint32_t>(size), glyphs) != FontFileStatus::kRead) return 0;
  if (size != 17 + 22 * glyphs.size()) {
    // Repeated codes: fewer glyphs than records, never more.
    if (size < 17 + 22 * glyphs.size()) __builtin_trap();
  } else {
    cMemoryStream written;
    if (!WriteFontFile(written, glyphs) || written.GetSize() != size) __builtin_trap();
  }
  FontDescription description;
  description.upper_case = true;
  const GUIFont font(glyphs, description);
  Model mesh("font_model", 64, 96, 0x100009);
  mesh.m_index_count = 0;
  std::u16string text;
  for (const auto& entry : glyphs) text += static_cast<char16_t>(entry.first);
  text += u" \n\r x";
  const std::vector<TextWord> words = BuildWords(font, text);
  LayoutLines(font, mesh, words, BreakLines(words, 100.0f, true), TextBox{0, 0, 100, 50}, 0x22, true);
  if (mesh.m_index_count > 96) __builtin_trap();
  return 0;
}
