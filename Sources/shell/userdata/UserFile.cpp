#include "Sources/shell/userdata/UserFile.h"

#include <cerrno>

#include "Sources/shell/userdata/UserFolderGuard.h"
#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/path/Paths.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\UserFile";

enum class ReadResult { kMissing, kRead, kFailed };

ReadResult ReadWhole(const std::string& path, std::string& bytes) {
  int error = 0;
  std::unique_ptr<os::File> file = os::File::Open(path, os::kOpenExisting, os::kAccessRead, os::kShareRead, &error);
  if (!file) return error == ENOENT || error == ENOTDIR ? ReadResult::kMissing : ReadResult::kFailed;
  const int64_t size = file->Size();
  if (size < 0 || size > UserFile::kMaxSize) return ReadResult::kFailed;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  int64_t total = 0;
  while (total < size) {
    const int64_t read = file->Read(bytes.data() + total, static_cast<uint64_t>(size - total));
    if (read <= 0) return ReadResult::kFailed;
    total += read;
  }
  return ReadResult::kRead;
}

bool Accepts(const UserFile::Parser& parse, const std::string& bytes) {
  cMemoryStream stream;
  if (!bytes.empty() && stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size())) != bytes.size()) return false;
  stream.Seek(0, 0);
  return parse(stream);
}

bool Exists(const std::string& path) { return os::FileExists(path) || os::DirectoryExists(path); }

}  // namespace

UserFile::UserFile(std::string path, const std::string& guarded_folder)
    : m_path(std::move(path)), m_guard(UserFolderGuard::ForFolder(guarded_folder)) {}

UserFile::~UserFile() = default;

bool UserFile::MayWrite() const { return m_guard->MayWrite(); }

UserFile::LoadResult UserFile::Load(const Parser& parse) {
  std::string bytes;
  const ReadResult read = ReadWhole(m_path, bytes);
  if (read == ReadResult::kRead && !bytes.empty() && Accepts(parse, bytes)) {
    m_last_good = std::move(bytes);
    return LoadResult::kLoaded;
  }
  if (read != ReadResult::kMissing) {
    if (read == ReadResult::kRead && bytes.empty()) {
      LogReport(kLogWarning, kSource, __LINE__, "%s is empty", m_path.c_str());
    } else if (MayWrite() && !MoveAside()) {
      m_blocked = true;
    }
  }
  std::string backup;
  if (ReadWhole(GetBackupPath(), backup) == ReadResult::kRead && !backup.empty() && Accepts(parse, backup)) {
    LogReport(kLogWarning, kSource, __LINE__, "%s restored from its backup %s", m_path.c_str(),
              GetBackupPath().c_str());
    m_last_good = std::move(backup);
    return LoadResult::kLoadedFromBackup;
  }
  return read == ReadResult::kMissing ? LoadResult::kMissing : LoadResult::kRefused;
}

bool UserFile::MoveAside() {
  for (int n = 0; n < kMaxBadCopies; ++n) {
    std::string aside = m_path + ".bad";
    if (n > 0) aside += '.' + std::to_string(n);
    if (Exists(aside)) continue;
    if (os::RenameFile(m_path, aside)) {
      LogReport(kLogError, kSource, __LINE__, "%s is damaged or unreadable; kept as %s", m_path.c_str(),
                aside.c_str());
      return true;
    }
    break;
  }
  LogReport(kLogError, kSource, __LINE__, "%s is damaged or unreadable and cannot be moved aside; it will not be saved over",
            m_path.c_str());
  return false;
}

bool UserFile::Save(const void* bytes, std::size_t size) {
  const char* reason = nullptr;
  if (!MayWrite()) {
    reason = "another copy of the game is using the player files";
  } else if (m_blocked) {
    reason = "the damaged file there could not be moved aside";
  } else if (os::IsReadOnlyFile(m_path)) {
    reason = "the file is read-only";
  }
  if (reason != nullptr) {
    LogReport(kLogWarning, kSource, __LINE__, "%s not saved: %s", m_path.c_str(), reason);
    return false;
  }
  CreateDirectoryTree(SplitPath(m_path).folder);
  const std::string content(static_cast<const char*>(bytes), size);
  if (!m_last_good.empty() && m_last_good != content &&
      !os::WriteFileAtomically(GetBackupPath(), m_last_good.data(), m_last_good.size())) {
    LogReport(kLogWarning, kSource, __LINE__, "backup %s could not be written", GetBackupPath().c_str());
  }
  if (!os::WriteFileAtomically(m_path, content.data(), content.size())) {
    LogReport(kLogError, kSource, __LINE__, "%s could not be saved (disk full or not writable?); the previous copy is kept",
              m_path.c_str());
    return false;
  }
  m_last_good = content;
  return true;
}

void UserFile::Delete() {
  if (!MayWrite()) {
    LogReport(kLogWarning, kSource, __LINE__, "%s not deleted: another copy of the game is using the player files",
              m_path.c_str());
    return;
  }
  os::DeleteFile(m_path);
  os::DeleteFile(GetBackupPath());
  m_last_good.clear();
  m_blocked = false;
}
