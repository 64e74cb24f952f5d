// The tokenizer of the XML reader.

#include "source/xml/XmlReader.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "source/stream/cStream.h"

XmlReader::XmlReader(cStream& stream) : m_stream(stream) { m_token.reserve(1000); }

bool XmlReader::ReadByte() {
  if (!m_ended && !m_last_byte) {
    uint8_t byte = 0;
    // A file stream never answers IsEof, so the empty Read is what ends it.
    if (m_stream.Read(&byte, 1) == 1) {
      m_look = byte;
      m_last_byte = m_stream.IsEof();
      return true;
    }
  }
  m_ended = true;
  m_look = 0;
  return false;
}

void XmlReader::SkipWhitespace() {
  while (!m_ended && IsWhitespace(m_look)) ReadByte();
}

bool XmlReader::NextToken() {
  SkipWhitespace();
  if (m_ended) return false;
  m_token.assign(1, static_cast<char>(m_look));
  if (IsDelimiter(m_look)) {
    ReadByte();
    return true;
  }
  while (ReadByte() && !IsDelimiter(m_look)) m_token.push_back(static_cast<char>(m_look));
  return true;
}

bool XmlReader::ReadQuotedValue() {
  SkipWhitespace();
  m_token.clear();
  if (m_ended) return true;
  // Skipping ahead to the next double quote would read `value='1.7'` as an empty value and lose
  // the next attribute: anything but a double quote here is an error.
  if (m_look != '"') return false;
  while (ReadByte() && m_look != '"') m_token.push_back(static_cast<char>(m_look));
  m_look = 0;  // the closing quote is consumed; 0 reads as whitespace
  return true;
}

void XmlReader::ReadText() {
  SkipWhitespace();
  m_token.clear();
  while (!m_ended && m_look != '<') {
    m_token.push_back(static_cast<char>(m_look));
    ReadByte();
  }
  // Only space and control bytes go: bytes above 0x7F belong to UTF-8 characters.
  auto trimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t end = m_token.size();
  while (end > 0 && trimmed(m_token[end - 1])) --end;
  size_t begin = 0;
  while (begin < end && trimmed(m_token[begin])) ++begin;
  m_token.erase(end);
  m_token.erase(0, begin);
}

bool XmlReader::SkipPast(const char* token) {
  while (NextToken()) {
    if (m_token == token) return true;
  }
  return false;
}

namespace {

std::string& LastErrorText() {
  thread_local std::string text;
  return text;
}

}  // namespace

void PrintXmlError(const char* format, ...) {
  char buffer[4096];
  va_list args;
  va_start(args, format);
  const int formatted = std::vsnprintf(buffer, sizeof(buffer), format, args);
  va_end(args);
  if (formatted < 0) return;
  const std::size_t length = std::strlen(buffer);
  std::string printed;
  printed.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(buffer[i]);
    const bool final_line_feed = byte == '\n' && i + 1 == length;
    if ((byte >= 0x20 && byte < 0x7F) || final_line_feed) {
      printed.push_back(static_cast<char>(byte));
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      printed += escaped;
    }
  }
  std::fputs(printed.c_str(), stdout);
  std::fflush(stdout);
  if (!printed.empty() && printed.back() == '\n') printed.pop_back();
  LastErrorText() = std::move(printed);
}

const std::string& LastXmlError() { return LastErrorText(); }

void ClearXmlError() { LastErrorText().clear(); }
