// The reader's state machine: turns the tokenizer's tokens into a node tree.

#include <cstring>

#include "source/xml/XmlReader.h"

namespace {

enum class ParseState { kExpectTag, kAfterOpen, kInStartTag, kClosingTag };

bool StartsWithByteOrderMark(const std::string& token) {
  return token.size() >= 3 && std::memcmp(token.data(), "\xEF\xBB\xBF", 3) == 0;
}

// The parse of one document; the root is freed when the parse fails.
class Parser {
 public:
  explicit Parser(cStream& stream) : m_reader(stream), m_root(std::make_unique<XmlNode>()) {}

  std::unique_ptr<XmlNode> Run() {
    while (m_reader.NextToken()) {
      if (!Step()) return nullptr;
    }
    // A document cut short, or one with no element at all, is not taken for a whole one.
    if (m_current != nullptr) return EndedInside(("the open node " + m_current->GetName()).c_str());
    if (m_state == ParseState::kAfterOpen) return EndedInside("a tag");
    if (!m_opened) {
      PrintXmlError("Xml::The document holds no element\n");
      return nullptr;
    }
    return std::move(m_root);
  }

 private:
  std::unique_ptr<XmlNode> EndedInside(const char* what) {
    PrintXmlError("Xml::The document ends inside %s\n", what);
    return nullptr;
  }

  // Handles the current token; false on a syntax error, the stream ending inside a construct
  // included.
  bool Step() {
    switch (m_state) {
      case ParseState::kExpectTag: return ExpectTag();
      case ParseState::kAfterOpen: return AfterOpen();
      case ParseState::kInStartTag: return InStartTag();
      case ParseState::kClosingTag: return ClosingTag();
    }
    return false;
  }

  bool ExpectTag() {
    if (Token() == "<") {
      m_state = ParseState::kAfterOpen;
    } else if (!StartsWithByteOrderMark(Token())) {
      PrintXmlError("XmlError::Open tag waiting, but found :%s\n", Token().c_str());
      return false;
    }
    return true;
  }

  bool AfterOpen() {
    if (Token() == "/") {
      m_state = ParseState::kClosingTag;
    } else if (Token() == "?xml") {
      if (!m_reader.SkipPast(">")) return Truncated("the declaration");
      m_state = ParseState::kExpectTag;
    } else if (Token() == "!--") {
      if (!m_reader.SkipPast("--") || !m_reader.SkipPast(">")) return Truncated("a comment");
      m_state = ParseState::kExpectTag;
    } else {
      return OpenElement();
    }
    return true;
  }

  bool OpenElement() {
    if (m_depth >= kXmlMaxDepth) {
      PrintXmlError("Xml::Elements nested deeper than %d levels at node %s\n", kXmlMaxDepth,
                    Token().c_str());
      return false;
    }
    ++m_depth;
    m_opened = true;
    if (m_current == nullptr) {
      // A second top-level element continues the same root.
      m_root->SetName(Token());
      m_current = m_root.get();
    } else {
      auto* child = new XmlNode(Token());
      m_current->AppendChild(child);
      m_current = child;
    }
    m_state = ParseState::kInStartTag;
    return true;
  }

  bool InStartTag() {
    if (Token() == "/") {
      if (!m_reader.NextToken()) return Truncated(("the node " + m_current->GetName()).c_str());
      if (Token() != ">") {
        PrintXmlError("Xml::Missed close branch in node %s\n", m_current->GetName().c_str());
        return false;
      }
      CloseCurrent();
    } else if (Token() == ">") {
      m_reader.ReadText();
      m_current->SetValue(Token());
      m_state = ParseState::kExpectTag;
    } else {
      XmlNode* attribute = m_current->AddAttribute(Token());
      if (!m_reader.NextToken()) return Truncated(("the node " + m_current->GetName()).c_str());
      if (Token() != "=") {
        PrintXmlError("Xml::Expected '=' but found %s\n", Token().c_str());
        return false;
      }
      if (!m_reader.ReadQuotedValue()) {
        PrintXmlError("Xml::Expected a double quote after '=' of %s in node %s\n", attribute->GetName().c_str(),
                      m_current->GetName().c_str());
        return false;
      }
      attribute->SetValue(Token());
    }
    return true;
  }

  bool ClosingTag() {
    if (m_current == nullptr) {
      PrintXmlError("Xml::Close tag %s without an open element\n", Token().c_str());
      return false;
    }
    if (Token() != m_current->GetName()) {
      PrintXmlError("Xml::Close tag %s does not match the open node %s\n", Token().c_str(),
                    m_current->GetName().c_str());
      return false;
    }
    const std::string closed = Token();
    CloseCurrent();
    if (!m_reader.SkipPast(">")) return Truncated(("the close tag " + closed).c_str());
    return true;
  }

  void CloseCurrent() {
    m_current = m_current->GetParent();
    --m_depth;
    m_state = ParseState::kExpectTag;
  }

  bool Truncated(const char* what) {
    EndedInside(what);
    return false;
  }

  const std::string& Token() const { return m_reader.GetToken(); }

  XmlReader m_reader;
  std::unique_ptr<XmlNode> m_root;
  XmlNode* m_current = nullptr;
  int m_depth = 0;
  ParseState m_state = ParseState::kExpectTag;
  bool m_opened = false;  // an element was opened
};

}  // namespace

std::unique_ptr<XmlNode> ParseXmlNode(cStream& stream) { return Parser(stream).Run(); }
