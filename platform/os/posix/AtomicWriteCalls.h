#pragma once
// The system calls through which WriteFileAtomically creates, writes, syncs and renames. A test
// puts recorders here (forwarding to the real calls) to see the order of the steps, or to make
// one fail; the program never changes them.

#include <sys/types.h>

#include <cstddef>

namespace os {

struct AtomicWriteCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* bytes, std::size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
};

// The table in use; it starts with the system's own calls.
AtomicWriteCalls& AtomicWriteSystemCalls();

}  // namespace os
