// Case and white-space helpers of the text family.

#include "source/text/TextConversion.h"

std::string ToLower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

void TrimWideString(std::u16string& text) {
  std::size_t begin = 0;
  while (begin < text.size() && text[begin] <= 32) ++begin;
  std::size_t end = text.size();
  while (end > begin && text[end - 1] <= 32) --end;
  text = text.substr(begin, end - begin);
}
