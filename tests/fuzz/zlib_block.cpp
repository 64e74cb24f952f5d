// Fuzz target: arbitrary bytes unpacked as a "Zlib" block. The stated size is untrusted: it must be
// capped before anything is allocated, and a block that does not inflate to exactly that size
// must fail.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "source/Archiver/cZlibArchiver.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"
#include "source/properties/cProperties.h"

namespace {

// 64 KiB of input may state up to ~64 MiB; enough to find size lies, small enough to run fast.
constexpr std::size_t kMaxInput = 64 * 1024;


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cMemoryStream block = FuzzInputStream(data, size);

  cMemoryStream out;
  cZlibArchiver method;
  uint32_t sum = 0;
  if (method.Uncompress(block, out)) {
    const uint8_t* bytes = out.GetData();
    for (uint32_t i = 0; i < out.GetSize(); ++i) sum += bytes[i];
    // What came out must pack and come back the same.
    cMemoryStream packed;
    cMemoryStream again;
    if (out.GetSize() <= (1u << 20) && method.Compress(out, packed) &&
        method.Uncompress(packed, again)) {
      if (again.GetSize() != out.GetSize()) __builtin_trap();
    }
  }
  if (sum == 1) std::fputs("", stderr);
  return 0;
}
