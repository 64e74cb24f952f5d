#pragma once
// The XML reader: a tokenizer over a cStream and ParseXmlNode, which builds a node tree from the
// narrow XML subset the program's data files use. Syntax errors are printed on standard output.

#include <cstdint>
#include <memory>
#include <string>

#include "source/xml/XmlNode.h"

class cStream;

// Elements may nest this deep; a deeper document is a syntax error.
constexpr int kXmlMaxDepth = 256;

// The tokenizer's state: the source, the current token and one byte of look-ahead.
class XmlReader {
 public:
  explicit XmlReader(cStream& stream);

  // Skips whitespace and reads one token: a single delimiter byte, or a run of bytes up to the
  // next delimiter. False when the stream ended before a token began.
  bool NextToken();
  void SkipWhitespace();
  // Reads the bytes between a pair of double quotes into the token. False when something other
  // than a double quote stands first (after whitespace), such as the single quote that XML also
  // allows but this reader does not know; the end of the stream gives an empty token.
  bool ReadQuotedValue();
  // Reads the bytes up to the next '<' into the token, trimmed of bytes 0 to 32 at both ends.
  void ReadText();
  // Reads tokens until one equals `token`; false when the stream ended first.
  bool SkipPast(const char* token);

  const std::string& GetToken() const { return m_token; }

  static bool IsWhitespace(uint8_t byte) {
    return byte == 0 || byte == ' ' || byte == '\n' || byte == '\r' || byte == '\t';
  }
  static bool IsDelimiter(uint8_t byte) {
    return byte == '<' || byte == '"' || byte == '>' || byte == ' ' || byte == '=' || byte == '/' ||
           byte == '\t';
  }

 private:
  // Reads one byte into the look-ahead. The stream ends when a Read delivers nothing or after a
  // byte that the stream itself reports as its last; the look-ahead is then 0.
  bool ReadByte();

  cStream& m_stream;
  std::string m_token;
  uint8_t m_look = 0;
  bool m_last_byte = false;  // the stream said it is at its end after the byte in m_look
  bool m_ended = false;      // no look-ahead byte is left
};

// Builds the tree of a whole document. Null (after one error report) on a syntax error; a
// document that ends with an element open or inside a tag, and one with no element, are errors.
std::unique_ptr<XmlNode> ParseXmlNode(cStream& stream);

// printf-style report on standard output; cut at 4096 bytes. Bytes that are not printable ASCII
// (a garbage file's control codes, which a terminal would obey) are printed as \xNN; only a final
// line feed stays as it is.
void PrintXmlError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The last report of PrintXmlError on this thread (without its line feed), so that the caller
// can log it with the name of the file; ClearXmlError empties it.
const std::string& LastXmlError();
void ClearXmlError();
