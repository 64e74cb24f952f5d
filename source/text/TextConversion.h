#pragma once
// Text conversion between the program's narrow UTF-8 strings and its wide UTF-16 strings (window
// texts, displayed texts, file names), plus the small string helpers used beside it.

#include <cstddef>
#include <string>

// One decoded UTF-8 sequence: the UTF-16 unit it gives and how many bytes it took (at least 1
// unless the input was empty or began with the terminating zero).
struct Utf8Char {
  char16_t unit;
  std::size_t length;
};

// Decodes the sequence at `bytes`, reading at most `available` bytes and never past a zero byte.
// One, two and three-byte sequences give their unit (continuation bytes are taken as they come);
// anything else, a four-byte sequence included, gives U+FFFD. A sequence cut short by the end or by
// a zero byte gives U+FFFD for the bytes present.
Utf8Char DecodeUtf8Char(const char* bytes, std::size_t available);

// Zero-terminated UTF-8 to UTF-16, one unit per sequence; null gives an empty string.
std::u16string Utf8ToWide(const char* text);
// The same for a std::string (stops at an embedded zero as the C string would).
std::u16string ToWideString(const std::string& text);

// UTF-16 to UTF-8: a surrogate pair becomes one four-byte sequence, a lone surrogate U+FFFD.
std::string WideToUtf8(const std::u16string& text);

// A copy with the ASCII letters made lower case; every other byte unchanged (the "C" locale).
std::string ToLower(const std::string& text);

// Removes every leading and trailing unit whose code is 32 or less (spaces and controls).
void TrimWideString(std::u16string& text);
