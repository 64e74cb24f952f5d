#include "platform/os/os.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace os {

void ReturnFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

void ReturnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
  // A threshold set by hand stays: the allocator no longer raises it after each large free.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  // Setting it also pins the heap's trim threshold at 128 KiB, and the driver's buffers of about a
  // megabyte a frame were then handed back and faulted in again on every frame. The heap keeps a
  // few megabytes at its top instead; large blocks still go back at once.
  mallopt(M_TRIM_THRESHOLD, 4 * 1024 * 1024);
#endif
}

}  // namespace os
