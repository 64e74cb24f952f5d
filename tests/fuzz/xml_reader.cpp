// Fuzz target: the XML reader over arbitrary bytes, then the writer over whatever tree it built.
// Every name and value byte of the tree and of the written text is summed, so the sanitizers see
// each one. (Syntax errors print on standard output; run with -close_fd_mask=1 to keep quiet.)

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "source/xml/XmlDocument.h"
#include "source/xml/XmlReader.h"
#include "source/xml/XmlWriter.h"
#include "tests/support/FuzzInput.h"

namespace {

size_t SumOf(const std::string& text) {
  size_t sum = 0;
  for (const char c : text) sum += static_cast<unsigned char>(c);
  return sum;
}

// Visits the tree without recursion: down to the first child, else to the next sibling of the
// nearest node that has one.
size_t SumTree(const XmlNode& top) {
  size_t sum = 0;
  const XmlNode* node = &top;
  while (node != nullptr) {
    sum += SumOf(node->GetName()) + SumOf(node->GetValue());
    for (const XmlNode* a = node->GetFirstAttribute(); a != nullptr; a = a->GetNext()) {
      sum += SumOf(a->GetName()) + SumOf(a->GetValue());
    }
    if (node->GetFirstChild() != nullptr) {
      node = node->GetFirstChild();
      continue;
    }
    while (node != &top && node->GetNext() == nullptr) node = node->GetParent();
    node = node == &top ? nullptr : node->GetNext();
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Data files are a few hundred kilobytes at most; larger inputs only slow the search down.
  if (size > 256 * 1024) return 0;
  cMemoryStream stream = FuzzInputStream(data, size);

  XmlDocument document;
  size_t sum = 0;
  if (document.Load(stream)) {
    sum += SumTree(document.GetRoot());
    cMemoryStream written;
    document.SaveXmlDocument(written);
    const uint8_t* bytes = written.GetData();
    for (uint32_t i = 0; bytes != nullptr && i < written.GetSize(); ++i) sum += bytes[i];
    // What the writer printed must read again without trouble.
    written.Seek(0, 0);
    XmlDocument again;
    if (again.Load(written)) sum += SumTree(again.GetRoot());
  }
  if (sum == 1) std::fputs("", stderr);  // keeps the sums from being optimised away
  return 0;
}
