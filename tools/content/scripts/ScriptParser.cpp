#include <cstdint>
#include <cstdio>
#include <string>

#include "Sources/adventure/script/LocationScriptFile.h"
#include "tools/content/scripts/ScriptSource.h"
#include "tools/content/scripts/ScriptSyntax.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The fault of a character that has no place where it stands; bytes that do not print are named
// by their number.
std::string Unexpected(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte > 0x20 && byte < 0x7F) return std::string("unexpected \"") + c + "\"";
  char text[32];
  std::snprintf(text, sizeof text, "unexpected byte 0x%02X", byte);
  return text;
}

// Reads the pieces of one line of source.
class LineCursor {
 public:
  explicit LineCursor(std::string_view line) : m_line(line) {}

  void SkipSpace() {
    while (m_at < m_line.size() && (m_line[m_at] == ' ' || m_line[m_at] == '\t')) ++m_at;
  }
  // Nothing left but spaces and a comment.
  bool AtEnd() {
    SkipSpace();
    return m_at == m_line.size() || m_line[m_at] == kScriptComment;
  }
  bool Take(char c) {
    if (m_at < m_line.size() && m_line[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  // Follows an atom: something that may end it.
  bool AtSeparator() const {
    if (m_at == m_line.size()) return true;
    const char c = m_line[m_at];
    return c == ' ' || c == '\t' || c == kScriptComment || c == kScriptOpen;
  }
  char Peek() const { return m_at < m_line.size() ? m_line[m_at] : '\0'; }
  int Column() const { return static_cast<int>(m_at) + 1; }

  // A bare or quoted text; false with `fault` set when there is none or it is malformed.
  bool ReadAtom(std::string& atom, std::string& fault) {
    atom.clear();
    if (Take(kScriptQuote)) return ReadQuoted(atom, fault);
    while (m_at < m_line.size() && IsBareScriptChar(static_cast<unsigned char>(m_line[m_at]))) {
      atom += m_line[m_at++];
    }
    if (atom.empty()) {
      fault = Peek() == kScriptOpen ? "a \"{\" belongs at the end of its statement's line"
                                    : Unexpected(Peek());
      return false;
    }
    return true;
  }

  // Decimal digits after a "*": the parameter's kind.
  bool ReadKind(uint32_t& kind, std::string& fault) {
    uint64_t value = 0;
    const std::size_t start = m_at;
    while (m_at < m_line.size() && m_line[m_at] >= '0' && m_line[m_at] <= '9') {
      value = value * 10 + static_cast<uint64_t>(m_line[m_at++] - '0');
      if (value > UINT32_MAX) {
        fault = "a kind is at most 4294967295";
        return false;
      }
    }
    if (m_at == start) {
      fault = "a \"*\" is followed by the parameter's kind, a number";
      return false;
    }
    kind = static_cast<uint32_t>(value);
    return true;
  }

 private:
  bool ReadQuoted(std::string& atom, std::string& fault) {
    while (m_at < m_line.size()) {
      const char c = m_line[m_at++];
      if (c == kScriptQuote) return true;
      if (c != '\\') {
        atom += c;
        continue;
      }
      if (m_at == m_line.size()) break;
      const char escape = m_line[m_at++];
      switch (escape) {
        case '"': atom += '"'; break;
        case '\\': atom += '\\'; break;
        case 'n': atom += '\n'; break;
        case 't': atom += '\t'; break;
        case 'r': atom += '\r'; break;
        case 'x': {
          const int high = HexDigit(Peek());
          const int low = m_at + 1 < m_line.size() ? HexDigit(m_line[m_at + 1]) : -1;
          if (high < 0 || low < 0) {
            fault = "\\x is followed by two hexadecimal digits";
            return false;
          }
          atom += static_cast<char>(high * 16 + low);
          m_at += 2;
          break;
        }
        default:
          fault = "unknown escape in a quoted text";
          return false;
      }
    }
    fault = "a quoted text ends on its own line";
    return false;
  }

  std::string_view m_line;
  std::size_t m_at = 0;
};

class ScriptParser {
 public:
  ScriptParser(ParsedScript& script, std::vector<ScriptFault>& faults) : m_script(script), m_faults(faults) {}

  bool Parse(std::string_view text) {
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++number;
      if (!ParseLine(line, number)) return false;
      start = end + 1;
    }
    if (!m_open.empty()) {
      return Fail(m_script.lines[m_open.back()->id], "this statement's \"{\" is never closed");
    }
    if (!m_script.root) return Fail(0, "the script holds no statement");
    return true;
  }

 private:
  bool ParseLine(std::string_view line, int number) {
    LineCursor cursor(line);
    if (cursor.AtEnd()) return true;
    if (cursor.Take(kScriptClose)) {
      if (m_open.empty()) return Fail(number, "a \"}\" without its \"{\"");
      m_open.pop_back();
      return cursor.AtEnd() || Fail(number, "a \"}\" stands alone on its line");
    }
    if (m_script.root && m_open.empty()) {
      return Fail(number, "a script holds one statement, its root, and this one follows it");
    }
    auto node = std::make_unique<CommandNode>();
    std::string fault;
    std::string first;
    if (!cursor.ReadAtom(first, fault)) return Fail(number, fault);
    if (cursor.Take(kScriptResultMark)) {
      node->result = std::move(first);
      cursor.SkipSpace();
      if (!cursor.ReadAtom(node->type, fault)) return Fail(number, "a result is followed by its command word");
    } else {
      node->type = std::move(first);
    }
    if (!cursor.AtSeparator()) return Fail(number, Unexpected(cursor.Peek()));
    bool opens = false;
    while (!cursor.AtEnd()) {
      if (cursor.Take(kScriptOpen)) {
        opens = true;
        if (!cursor.AtEnd()) return Fail(number, "a \"{\" ends its line");
        break;
      }
      CommandParam parameter;
      if (!cursor.ReadAtom(parameter.value, fault)) return Fail(number, fault);
      if (cursor.Take(kScriptKindMark) && !cursor.ReadKind(parameter.kind, fault)) return Fail(number, fault);
      if (!cursor.AtSeparator()) return Fail(number, Unexpected(cursor.Peek()));
      node->parameters.push_back(std::move(parameter));
    }
    return Add(std::move(node), number, opens);
  }

  bool Add(std::unique_ptr<CommandNode> node, int number, bool opens) {
    if (m_open.size() + 1 > kMaxScriptDepth) {
      return Fail(number, "a script is at most " + std::to_string(kMaxScriptDepth) + " levels deep");
    }
    node->id = static_cast<uint32_t>(m_script.lines.size());
    m_script.lines.push_back(number);
    CommandNode* added = nullptr;
    if (m_open.empty()) {
      m_script.root = std::move(node);
      added = m_script.root.get();
    } else {
      added = m_open.back()->AddChild(std::move(node));
    }
    if (opens) m_open.push_back(added);
    return true;
  }

  bool Fail(int line, std::string text) {
    m_faults.push_back(ScriptFault{line, std::move(text)});
    return false;
  }

  ParsedScript& m_script;
  std::vector<ScriptFault>& m_faults;
  std::vector<CommandNode*> m_open;  // statements whose children are being read
};

}  // namespace

bool ParseScriptSource(std::string_view text, ParsedScript& script, std::vector<ScriptFault>& faults) {
  script = ParsedScript();
  ScriptParser parser(script, faults);
  if (parser.Parse(text)) return true;
  script = ParsedScript();
  return false;
}
