// The XML writer. It walks the tree with a loop rather than recursion, so a tree of any depth is
// written without growing the stack, and formats into a growing buffer handed to the stream in
// large pieces.

#include "source/xml/XmlWriter.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "source/stream/cStream.h"
#include "source/xml/XmlNode.h"

namespace {

class XmlOutput {
 public:
  explicit XmlOutput(cStream& stream) : m_stream(stream) {}

  XmlOutput& operator<<(std::string_view text) {
    m_buffer.append(text);
    if (m_buffer.size() >= kFlushSize) Flush();
    return *this;
  }
  XmlOutput& operator<<(char c) { return *this << std::string_view(&c, 1); }

  bool Finish() {
    Flush();
    return m_ok;
  }

 private:
  static constexpr size_t kFlushSize = 64 * 1024;
  static constexpr size_t kMaxWrite = size_t{1} << 30;  // the stream counts in 32 bits

  void Flush() {
    size_t done = 0;
    while (m_ok && done < m_buffer.size()) {
      const auto piece = static_cast<uint32_t>(std::min(m_buffer.size() - done, kMaxWrite));
      if (m_stream.Write(m_buffer.data() + done, piece) != piece) m_ok = false;
      done += piece;
    }
    m_buffer.clear();
  }

  cStream& m_stream;
  std::string m_buffer;
  bool m_ok = true;
};

// Writes the start tag; answers whether the element stays open for its children.
bool WriteStart(XmlOutput& out, const XmlNode& node, const std::string& indent) {
  out << indent << '<' << node.GetName();
  for (const XmlNode* attribute = node.GetFirstAttribute(); attribute != nullptr;
       attribute = attribute->GetNext()) {
    out << ' ' << attribute->GetName() << "=\"" << attribute->GetValue() << '"';
  }
  if (node.GetFirstChild() == nullptr && node.GetValue().empty()) {
    out << "/>";
    return false;
  }
  out << '>' << node.GetValue();
  if (node.GetFirstChild() != nullptr) return true;
  out << "</" << node.GetName() << '>';
  return false;
}

}  // namespace

bool WriteXmlNode(cStream& stream, const XmlNode& top, const std::string& indent_base) {
  XmlOutput out(stream);
  std::string indent = indent_base;
  const XmlNode* node = &top;
  while (true) {
    if (WriteStart(out, *node, indent)) {
      out << '\n';
      indent.push_back('\t');
      node = node->GetFirstChild();
      continue;
    }
    // The node is complete: close every parent whose last child it ends.
    while (node != &top && node->GetNext() == nullptr) {
      node = node->GetParent();
      indent.pop_back();
      out << '\n' << indent << "</" << node->GetName() << '>';
    }
    if (node == &top) break;
    out << '\n';
    node = node->GetNext();
  }
  return out.Finish();
}
