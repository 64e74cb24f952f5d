// Loading and saving whole XML documents.

#include "source/xml/XmlDocument.h"

#include <algorithm>
#include <vector>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlReader.h"
#include "source/xml/XmlWriter.h"

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Copies the stream from its first byte into memory, reading in pieces so that a stream that
// claims more than it holds costs no more memory than it delivers.
void CopyWholeStream(cStream& source, cMemoryStream& copy) {
  constexpr uint32_t kPiece = 64 * 1024;
  std::vector<char> piece(kPiece);
  uint32_t left = source.GetSize();
  source.Seek(0, 0);
  while (left > 0) {
    const uint32_t got = source.Read(piece.data(), std::min(left, kPiece));
    if (got == 0) break;
    copy.Write(piece.data(), got);
    left -= got;
  }
  copy.Seek(0, 0);
}

}  // namespace

XmlDocument::XmlDocument(std::string root_name) : m_root(std::move(root_name)) {}

XmlDocument::XmlDocument(cStream& stream) { Load(stream); }

bool XmlDocument::Load(cStream& stream) {
  cMemoryStream copy;
  CopyWholeStream(stream, copy);
  return Parse(copy);
}

bool XmlDocument::Parse(cStream& stream) {
  m_root.Clear();
  m_root.SetName(std::string());
  m_root.SetValue(std::string());
  ClearXmlError();
  m_error.clear();
  std::unique_ptr<XmlNode> parsed = ParseXmlNode(stream);
  if (parsed == nullptr) {
    m_error = LastXmlError().empty() ? std::string("Xml::syntax error") : LastXmlError();
    return false;
  }
  m_root.Swap(*parsed);
  return true;
}

bool XmlDocument::SaveXmlDocument(cStream& stream) const {
  stream.Resize(0);
  stream.Seek(0, 0);
  const bool declared = stream.Write(kDeclaration, sizeof(kDeclaration) - 1) == sizeof(kDeclaration) - 1;
  const bool written = WriteXmlNode(stream, m_root, std::string());
  return declared && written;
}
