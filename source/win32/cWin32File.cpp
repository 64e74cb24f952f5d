#include "source/win32/cWin32File.h"

#include <cerrno>

#include "platform/os/os.h"
#include "source/log/cLog.h"

namespace {

constexpr unsigned kAccessBits = os::kAccessExecute | os::kAccessRead | os::kAccessWrite;
constexpr unsigned kShareBits = os::kShareDelete | os::kShareRead | os::kShareWrite;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool SameChar(char a, char b) { return a == b || (IsSeparator(a) && IsSeparator(b)); }

uint32_t Narrow(int64_t count) { return count > 0 ? static_cast<uint32_t>(count) : 0; }

}  // namespace

std::string cWin32File::ShortenPath(const std::string& path, const std::string& current) {
  if (current.empty() || path.size() < current.size()) return path;
  for (std::size_t i = 0; i < current.size(); ++i) {
    if (!SameChar(path[i], current[i])) return path;
  }
  std::size_t cut = current.size();
  if (cut < path.size() && IsSeparator(path[cut])) {
    ++cut;
  } else if (!IsSeparator(current.back())) {
    return path;  // the folder's name goes on ("/gamesX") or nothing is left of the path
  }
  return cut < path.size() ? path.substr(cut) : path;
}

cWin32File::cWin32File(const std::string& path, int disposition, unsigned access,
                       unsigned share) {
  const std::string shortened = ShortenPath(path, os::GetCurrentDirectory());
  int error = 0;
  m_file = os::File::Open(shortened, disposition, access & kAccessBits, share & kShareBits,
                          &error);
  if (!m_file) {
    LogReport(kLogError, "sources\\win32\\cWin32File", 35, "Could not open file: %s error: %x",
              shortened.c_str(), static_cast<unsigned>(error));
  }
}

cWin32File::~cWin32File() = default;

uint32_t cWin32File::SetPointer(int32_t offset, int origin) {
  if (!m_file) return 0;
  const int whence = origin == 0 || origin == 1 ? origin : 2;
  int64_t position = m_file->Seek(offset, whence);
  if (position < 0) position = m_file->Seek(0, 1);  // refused (before the start): stay put
  return Narrow(position);
}

uint32_t cWin32File::GetSize() const { return m_file ? Narrow(m_file->Size()) : 0; }

bool cWin32File::Cut(uint32_t size) { return m_file && m_file->Resize(size); }

uint32_t cWin32File::Read(void* buffer, uint32_t count) {
  return m_file && count > 0 ? Narrow(m_file->Read(buffer, count)) : 0;
}

uint32_t cWin32File::Write(const void* buffer, uint32_t count) {
  return m_file && count > 0 ? Narrow(m_file->Write(buffer, count)) : 0;
}

uint32_t cWin32File::ReadAt(uint32_t offset, void* buffer, uint32_t count) const {
  return m_file && count > 0 ? Narrow(m_file->ReadAt(offset, buffer, count)) : 0;
}
