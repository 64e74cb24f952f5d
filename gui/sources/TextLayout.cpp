#include "gui/include/TextLayout.h"

#include "gui/include/GUIFont.h"

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kReturn = u'\r';
constexpr std::u16string_view kLineEnd = u"\n";
// The width an inner run of spaces takes on a justified line while it is being filled.
constexpr float kJustifiedSpace = 3.0f;

bool IsLineEnd(char16_t c) { return c == kLineFeed || c == kReturn; }

void Join(TextLine& line, uint32_t index, const TextWord& word) {
  line.words.push_back(index);
  if (!word.is_space) {
    ++line.solid_count;
    line.solid_width += word.width;
  }
  line.total_width += word.width;
}

// Lays the words out one after the other from x; answers the end x (relative to the box).
float LayoutRun(const GUIFont& font, Model& mesh, const std::vector<TextWord>& words,
                const std::vector<uint32_t>& run, std::size_t first, std::size_t end, float x, float y,
                const TextBox& box) {
  for (std::size_t i = first; i < end; ++i) {
    x = font.LayoutText(mesh, words[run[i]].text, box.x + x, box.y + y) - box.x;
  }
  return x;
}

void LayoutPlainLine(const GUIFont& font, Model& mesh, const std::vector<TextWord>& words, const TextLine& line,
                     const TextBox& box, uint32_t alignment, float y) {
  std::size_t first = 0;
  std::size_t end = line.words.size();
  while (first < end && words[line.words[first]].is_space) ++first;
  while (end > first && words[line.words[end - 1]].is_space) --end;
  if (first == end) return;
  float width = 0.0f;
  for (std::size_t i = first; i < end; ++i) width += words[line.words[i]].width;
  float x = 0.0f;
  switch (alignment & 0x0F) {
    case 2:
      x = (box.width - width) * 0.5f;
      break;
    case 3:
      x = box.width - width;
      break;
    default:
      break;
  }
  LayoutRun(font, mesh, words, line.words, first, end, x, y, box);
}

void LayoutJustifiedLine(const GUIFont& font, Model& mesh, const std::vector<TextWord>& words, const TextLine& line,
                         const TextBox& box, float y) {
  if (line.words.empty()) return;
  float x = 0.0f;
  float used = line.solid_width;
  std::size_t first = 0;
  const TextWord& lead = words[line.words.front()];
  if (line.opens_paragraph && lead.is_space) {
    x = lead.width;
    used += lead.width;
    first = 1;  // the indent is the leading spaces: they are not laid out a second time
  }
  if (line.closes_paragraph) {
    LayoutRun(font, mesh, words, line.words, first, line.words.size(), x, y, box);
    return;
  }
  const float gap = line.solid_count > 1 ? (box.width - used) / static_cast<float>(line.solid_count - 1) : 0.0f;
  for (const uint32_t index : line.words) {
    if (words[index].is_space) continue;
    x = font.LayoutText(mesh, words[index].text, box.x + x, box.y + y) - box.x + gap;
  }
}

}  // namespace

std::u16string_view SplitWord(std::u16string_view& rest, bool& is_space) {
  if (rest.empty()) {
    is_space = false;
    return rest;
  }
  std::size_t length = 0;
  if (rest.front() == kSpace) {
    while (length < rest.size() && rest[length] == kSpace) ++length;
    is_space = true;
  } else if (IsLineEnd(rest.front())) {
    const bool pair = rest.size() > 1 && IsLineEnd(rest[1]) && rest[1] != rest[0];
    rest.remove_prefix(pair ? 2 : 1);
    is_space = true;
    return kLineEnd;
  } else {
    while (length < rest.size() && rest[length] != kSpace && !IsLineEnd(rest[length])) ++length;
    is_space = false;
  }
  const std::u16string_view token = rest.substr(0, length);
  rest.remove_prefix(length);
  return token;
}

std::vector<TextWord> BuildWords(const GUIFont& font, std::u16string_view text) {
  std::vector<TextWord> words;
  words.reserve(text.size() / 4 + 1);
  while (!text.empty()) {
    TextWord word;
    const std::u16string_view token = SplitWord(text, word.is_space);
    if (token == kLineEnd && word.is_space) {
      word.is_break = true;
    } else {
      word.text = token;
      word.width = font.GetTextWidth(token, -1.0f);
    }
    words.push_back(word);
  }
  return words;
}

std::vector<TextLine> BreakLines(const std::vector<TextWord>& words, float width, bool justified) {
  std::vector<TextLine> lines(1);
  lines.back().opens_paragraph = true;
  float taken = 0.0f;
  bool after_wrap = false;
  bool at_start = true;
  for (uint32_t i = 0; i < words.size();) {
    const TextWord& word = words[i];
    if (word.is_break) {
      lines.back().closes_paragraph = true;
      lines.emplace_back().opens_paragraph = true;
      taken = 0.0f;
      at_start = true;
      after_wrap = false;
      ++i;
      continue;
    }
    if (word.is_space && after_wrap) {
      ++i;
      continue;
    }
    const float w = justified && word.is_space && !at_start ? kJustifiedSpace : word.width;
    after_wrap = false;
    at_start = false;
    if (taken + w < width) {
      Join(lines.back(), i++, word);
      taken += w;
      continue;
    }
    // An empty line takes the word anyway (a word wider than the box stands alone); otherwise
    // the word waits for the next line.
    if (lines.back().words.empty()) Join(lines.back(), i++, word);
    lines.emplace_back();
    taken = 0.0f;
    after_wrap = true;
  }
  lines.back().closes_paragraph = true;
  return lines;
}

float FirstLineY(uint32_t alignment, uint32_t count, float h, float height) {
  const float above = h * static_cast<float>(count > 0 ? count - 1 : 0);
  switch (alignment & 0xF0) {
    case 32:
      return ((height - h) + above) * 0.5f;
    case 48:
      return above;
    default:
      return height - h;
  }
}

void LayoutLines(const GUIFont& font, Model& mesh, const std::vector<TextWord>& words,
                 const std::vector<TextLine>& lines, const TextBox& box, uint32_t alignment, bool justified) {
  const float h = font.GetSize();
  float y = FirstLineY(alignment, static_cast<uint32_t>(lines.size()), h, box.height);
  for (const TextLine& line : lines) {
    if (justified) {
      LayoutJustifiedLine(font, mesh, words, line, box, y);
    } else {
      LayoutPlainLine(font, mesh, words, line, box, alignment, y);
    }
    y -= h;
  }
}
