#pragma once
// A stream over a file on disk. Copies share one open file (and its position); the last copy to
// go closes it. A file that could not be opened gives a stream that answers 0 to everything.

#include <cstdint>
#include <string>

#include "source/core/CountedPtr.h"
#include "source/stream/cStream.h"
#include "source/win32/cWin32File.h"

class cFileStream : public cStream {
 public:
  cFileStream() = default;  // holds no file
  // See cWin32File for the disposition, access and share numbers.
  cFileStream(const std::string& path, int disposition, unsigned access, unsigned share);

  bool IsOpen() const { return static_cast<bool>(m_file); }

  bool IsEof() override;
  uint32_t GetSize() override;
  void Resize(uint32_t size) override;
  uint32_t Read(void* buffer, uint32_t count) override;
  uint32_t Write(const void* buffer, uint32_t count) override;
  uint32_t Seek(int32_t offset, int origin) override;
  // A positioned read (pread): safe beside another thread's sub-stream over the same file and
  // never moves the shared position.
  uint32_t ReadAt(uint32_t offset, void* buffer, uint32_t count) override;

  // Number of streams sharing this file (0 without one); for tests and diagnostics.
  int32_t ShareCount() const { return m_file.UseCount(); }

 private:
  CountedPtr<cWin32File> m_file;
};
