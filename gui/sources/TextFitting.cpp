#include "gui/include/TextFitting.h"

#include <algorithm>

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kLineFeed = u'\n';

bool IsRightToLeft(char16_t c) { return (c >= 0x0590 && c <= 0x05FF) || (c >= 0xFB1D && c <= 0xFB40); }

// The next word: the spaces at the front, then up to the next space or line feed. A line feed
// at the front is a word of its own.
std::size_t WordLength(std::u16string_view text) {
  if (text.front() == kLineFeed) return 1;
  std::size_t length = 0;
  while (length < text.size() && text[length] == kSpace) ++length;
  while (length < text.size() && text[length] != kSpace && text[length] != kLineFeed) ++length;
  return length;
}

}  // namespace

std::u16string ReorderRightToLeft(std::u16string_view text) {
  std::u16string shown(text);
  std::size_t i = 0;
  while (i < shown.size()) {
    if (!IsRightToLeft(shown[i])) {
      ++i;
      continue;
    }
    // A run takes the spaces between its letters; the spaces after its last letter stay where they
    // stand, or the run would be glued to the next word and the space put before it.
    std::size_t end = i;
    std::size_t last = i;
    while (end < shown.size() && (IsRightToLeft(shown[end]) || shown[end] == kSpace)) {
      if (shown[end] != kSpace) last = end;
      ++end;
    }
    std::reverse(shown.begin() + static_cast<std::ptrdiff_t>(i), shown.begin() + static_cast<std::ptrdiff_t>(last + 1));
    i = end;
  }
  return shown;
}

TextFit FitWords(std::u16string_view text, float width, const TextMeasure& measure) {
  std::size_t taken = 0;
  float taken_width = 0.0f;
  bool at_line_feed = false;
  while (taken < text.size()) {
    const std::u16string_view word = text.substr(taken, WordLength(text.substr(taken)));
    if (word.front() == kLineFeed) {
      at_line_feed = true;
      break;
    }
    const float word_width = measure ? measure(word) : 0.0f;
    if (taken_width + word_width > width) break;
    taken_width += word_width;
    taken += word.size();
  }
  TextFit fit{std::u16string(text.substr(0, taken)), {}};
  std::size_t rest = taken;
  if (at_line_feed) ++rest;
  // The next line starts at its first word: the spaces the text was broken at are not carried
  // over, or every line after the first would stand indented by them.
  while (rest < text.size() && text[rest] == kSpace) ++rest;
  fit.rest = std::u16string(text.substr(rest));
  return fit;
}

std::u16string CutToWidth(std::u16string_view text, float width, const TextMeasure& measure) {
  if (!measure || measure(text) <= width) return std::u16string(text);
  const std::u16string_view dots = u"...";
  std::u16string line;
  for (std::size_t n = text.size(); n > 0; --n) {
    // A character of two code units is kept or dropped whole.
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) continue;
    line.assign(text.substr(0, n));
    line += dots;
    if (measure(line) <= width) return line;
  }
  return std::u16string(dots);
}
