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
#endif
}

}  // namespace os
