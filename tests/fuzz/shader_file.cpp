// Fuzz target: arbitrary bytes read as a shader file, and as a shader's resource-list element. A
// file that reads is written back and reads again as the same shader.

#include <cstddef>
#include <cstdint>

#include "source/shaders/ShaderFile.h"
#include "source/shaders/ShaderXml.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/QuietLog.h"

namespace {
constexpr std::size_t kMaxInput = 64 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cMemoryStream file;
  file.Write(data, static_cast<uint32_t>(size));
  file.Seek(0, 0);
  ShaderDescriptor read;
  if (ReadShaderFile(file, "fuzz", read)) {
    cMemoryStream written;
    if (!WriteShaderFile(written, read)) __builtin_trap();
    written.Seek(0, 0);
    ShaderDescriptor again;
    if (!ReadShaderFile(written, "fuzz", again) || !again.SameDescription(read)) __builtin_trap();
  }
  file.Seek(0, 0);
  XmlDocument document;
  if (document.Load(file)) ShaderDescriptorFromXml(document.GetRoot());
  return 0;
}
