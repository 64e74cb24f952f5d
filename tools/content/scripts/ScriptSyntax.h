#pragma once
// The characters of the script source shared by its parser and its printer.

inline bool IsBareScriptChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '-' || c == '/' || c == '\\' || c >= 0x80;
}

inline constexpr char kScriptComment = '#';
inline constexpr char kScriptQuote = '"';
inline constexpr char kScriptResultMark = ':';
inline constexpr char kScriptKindMark = '*';
inline constexpr char kScriptOpen = '{';
inline constexpr char kScriptClose = '}';
