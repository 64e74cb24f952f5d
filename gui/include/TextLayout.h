#pragma once
// Breaking a text into lines inside a box and writing its glyph quads: the words of a text (runs
// of letters, runs of spaces, line ends), lines made of them that fit the box's width, and their
// placement by the alignment, or stretched to both edges (justified).

#include <cstdint>
#include <string_view>
#include <vector>

class GUIFont;
class Model;

// One token of a text. Its characters are a view into the laid-out text.
struct TextWord {
  std::u16string_view text;  // empty for a line end
  float width = 0.0f;        // at the font's size
  bool is_break = false;     // a line end
  bool is_space = false;     // a run of spaces, or a line end
};

struct TextLine {
  std::vector<uint32_t> words;  // indices into the word list, in order
  float solid_width = 0.0f;     // widths of its words that are not spaces
  float total_width = 0.0f;     // widths of all its words
  uint32_t solid_count = 0;     // its words that are not spaces
  bool opens_paragraph = false;
  bool closes_paragraph = false;
};

// Takes the next token off the front of `rest`: the run of spaces there; or one line end, where a
// line feed and a carriage return in either order count as one, as does either alone (the token
// is then a single line feed); or the characters up to the next space, line feed or carriage
// return. Tabs and every other character belong to words.
std::u16string_view SplitWord(std::u16string_view& rest, bool& is_space);

// Every token of the text, measured with the font at its size.
std::vector<TextWord> BuildWords(const GUIFont& font, std::u16string_view text);

// Lines within `width`: a word joins a line when the width taken plus its own is strictly below
// `width`; one that does not fit starts the next line (alone when wider than the whole box); the
// spaces at a wrap vanish; a line end closes its paragraph. Justified lines count an inner run of
// spaces as 3 units. Every line counts, empty ones too.
std::vector<TextLine> BreakLines(const std::vector<TextWord>& words, float width, bool justified);

// The box the lines are laid out in: its lower left corner and its size.
struct TextBox {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

// Appends the lines' glyph quads to the mesh, one line below the other, each line the font's size
// high. `alignment` is the window's: horizontally 2 centre, 3 right, any other left; vertically 32
// centre, 48 bottom (the last line stands on the box's bottom), any other top. Justified lines
// ignore the horizontal part: every line but a paragraph's last is stretched to both edges, and a
// paragraph that begins with spaces is indented by their width.
void LayoutLines(const GUIFont& font, Model& mesh, const std::vector<TextWord>& words,
                 const std::vector<TextLine>& lines, const TextBox& box, uint32_t alignment, bool justified);

// The y of the first line's foot for `count` lines of height `h` in a box of height `height`.
float FirstLineY(uint32_t alignment, uint32_t count, float h, float height);
