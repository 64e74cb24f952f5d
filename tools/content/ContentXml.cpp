#include "tools/content/ContentXml.h"

#include <cstdio>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"

bool ReadSourceXml(const std::string& step, const std::string& path, const std::string& root, XmlDocument& document) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "%s: cannot read %s\n", step.c_str(), path.c_str());
    return false;
  }
  cMemoryStream bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.Write(buffer, static_cast<uint32_t>(n));
  std::fclose(in);
  bytes.Seek(0, 0);
  if (!document.Load(bytes) || document.GetRoot().GetName() != root) {
    std::fprintf(stderr, "%s: %s is not a \"%s\" document\n", step.c_str(), path.c_str(), root.c_str());
    return false;
  }
  return true;
}

bool WriteBuiltFile(const std::string& step, const std::string& path, cMemoryStream& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  bool ok = out != nullptr && std::fwrite(bytes.GetData(), 1, bytes.GetSize(), out) == bytes.GetSize();
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  if (!ok) std::fprintf(stderr, "%s: cannot write %s\n", step.c_str(), path.c_str());
  return ok;
}
