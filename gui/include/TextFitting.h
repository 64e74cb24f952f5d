#pragma once
// Small text operations of the one-line widgets: the display order of right-to-left runs, and
// the part of a text that fits a width word by word (the rest flows on into the next linked
// static).

#include <functional>
#include <string>
#include <string_view>

// Each run of Hebrew characters (U+0590 to U+05FF, U+FB1D to U+FB40), together with the spaces
// inside and right after it, reversed for display; every other character keeps its place.
std::u16string ReorderRightToLeft(std::u16string_view text);

// Measures a text.
using TextMeasure = std::function<float(std::u16string_view)>;

struct TextFit {
  std::u16string fitting;  // what the box shows
  std::u16string rest;     // what flows on
};

// Takes words (a run of spaces and the characters up to the next space or line feed) off the
// front of the text while they fit `width`; a line feed stops the taking and is dropped. The rest
// starts at its first word: the spaces at the break are dropped. A word wider than the box is
// never taken. Without a measure every word fits.
TextFit FitWords(std::u16string_view text, float width, const TextMeasure& measure);

// The text as one line no wider than `width` shows it: whole when it fits, else its longest start
// that fits with "..." after it (the dots alone when not one character does). Without a measure
// the text is whole.
std::u16string CutToWidth(std::u16string_view text, float width, const TextMeasure& measure);
