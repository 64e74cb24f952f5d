// Fuzz target: arbitrary bytes read as a shader file, and as a shader's resource-list element. A
// file that reads is written back, and that file reads and writes again to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "source/shaders/ShaderFile.h"
#include "source/shaders/ShaderXml.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

namespace {
constexpr std::size_t kMaxInput = 64 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cMemoryStream file = FuzzInputStream(data, size);
  ShaderDescriptor read;
  if (ReadShaderFile(file, "fuzz", read)) {
    // Written, read and written again: the same bytes (floats are compared as bits, NaNs too).
    cMemoryStream first;
    if (!WriteShaderFile(first, read)) __builtin_trap();
    first.Seek(0, 0);
    ShaderDescriptor again;
    cMemoryStream second;
    if (!ReadShaderFile(first, "fuzz", again) || !WriteShaderFile(second, again)) __builtin_trap();
    if (first.GetSize() != second.GetSize() ||
        std::memcmp(first.GetData(), second.GetData(), first.GetSize()) != 0) {
      __builtin_trap();
    }
  }
  file.Seek(0, 0);
  XmlDocument document;
  if (document.Load(file)) ShaderDescriptorFromXml(document.GetRoot());
  return 0;
}
