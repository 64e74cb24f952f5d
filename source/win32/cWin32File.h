#pragma once
// One open file of the program, the object that copies of a cFileStream share: the last copy to
// go deletes it, which closes the file. A failed open leaves it without a file and logs why.

#include <cstdint>
#include <memory>
#include <string>

namespace os {
class File;
}

class cWin32File {
 public:
  // disposition: 0 create always, 1 create new, 2 open always, other open existing.
  // access bits: 1 execute, 2 read, 4 write. share bits: 1 delete, 2 read, 4 write.
  cWin32File(const std::string& path, int disposition, unsigned access, unsigned share);
  virtual ~cWin32File();
  cWin32File(const cWin32File&) = delete;
  cWin32File& operator=(const cWin32File&) = delete;

  bool IsOpen() const { return m_file != nullptr; }
  // The position after the move (origin 0 start, 1 current, other end); the old one on failure.
  uint32_t SetPointer(int32_t offset, int origin);
  uint32_t GetSize() const;  // low 32 bits
  bool Cut(uint32_t size);   // the file becomes `size` bytes; the position is left there
  uint32_t Read(void* buffer, uint32_t count);
  uint32_t Write(const void* buffer, uint32_t count);
  uint32_t ReadAt(uint32_t offset, void* buffer, uint32_t count) const;

  // `path` without the leading `current` folder and the separator after it. Only a whole folder
  // is cut: "/games" is cut from "/games/a" and "/games\a", never from "/gamesX/a".
  static std::string ShortenPath(const std::string& path, const std::string& current);

 private:
  std::unique_ptr<os::File> m_file;
};
