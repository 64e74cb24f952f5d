#include "source/properties/NumberText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <climits>
#include <string>

namespace {

// The "C" locale, made once and kept: the *_l conversions take it explicitly, so a process that
// switched to a locale with a decimal comma still reads and writes "0.500000".
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

int ClampToInt(long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

int ParseDecimalInt(std::string_view text) {
  const std::string copy(text);  // the C conversions need a terminated string
  return ClampToInt(strtol_l(copy.c_str(), nullptr, 10, CLocale()));
}

double ParseDouble(std::string_view text) {
  const std::string copy(text);
  return strtod_l(copy.c_str(), nullptr, CLocale());
}

bool ScanInt(std::string_view& text, int& value) {
  const std::string copy(text);
  char* end = nullptr;
  const long parsed = strtol_l(copy.c_str(), &end, 0, CLocale());
  if (end == copy.c_str()) return false;
  value = ClampToInt(parsed);
  text.remove_prefix(static_cast<std::size_t>(end - copy.c_str()));
  return true;
}

bool ScanFloat(std::string_view& text, float& value) {
  const std::string copy(text);
  char* end = nullptr;
  const float parsed = strtof_l(copy.c_str(), &end, CLocale());
  if (end == copy.c_str()) return false;
  value = parsed;
  text.remove_prefix(static_cast<std::size_t>(end - copy.c_str()));
  return true;
}

std::string FormatInt(int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatUInt(unsigned value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatFloat(double value) {
  // Fixed notation with six decimals is what printf's "%f" gives; the largest double needs 309
  // integer digits.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}
