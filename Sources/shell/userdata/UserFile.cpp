#include "Sources/shell/userdata/UserFile.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Sources/shell/userdata/UserFolderGuard.h"
#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/path/Paths.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\UserFile";

enum class ReadResult { kMissing, kRead, kFailed };

// Anything under the name: a plain file, a folder, a device, a pipe, a dangling link.
bool SomethingIsAt(const std::string& path) {
  struct stat info;
  return lstat(os::NativePath(path).c_str(), &info) == 0;
}

// The first failed save of the run: 0 none yet, 1 the player has still to be told, 2 told.
std::atomic<int> g_save_failure{0};

ReadResult ReadWhole(const std::string& path, std::string& bytes) {
  // Only a plain file (or a link to one) is opened: a device would give endless or no bytes, and
  // a pipe would block the game.
  if (!os::FileExists(path)) return SomethingIsAt(path) ? ReadResult::kFailed : ReadResult::kMissing;
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


}  // namespace

UserFile::UserFile(std::string path, const std::string& guarded_folder)
    : m_path(std::move(path)), m_guard(UserFolderGuard::ForFolder(guarded_folder)) {}

UserFile::~UserFile() = default;

bool UserFile::MayWrite() const { return m_guard->MayWrite(); }

UserFile::LoadResult UserFile::Load(const Parser& parse) {
  if (MayWrite()) {
    // Left by a save that a kill cut short; this process holds the folder, so no save runs now.
    os::RemoveStaleTemporaries(m_path);
    os::RemoveStaleTemporaries(GetBackupPath());
  }
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
    WriteBack();
    return LoadResult::kLoadedFromBackup;
  }
  return read == ReadResult::kMissing ? LoadResult::kMissing : LoadResult::kRefused;
}

std::string UserFile::FreeBadName() const {
  for (int n = 0; n < kMaxBadCopies; ++n) {
    std::string aside = m_path + ".bad";
    if (n > 0) aside += '.' + std::to_string(n);
    if (!SomethingIsAt(aside)) return aside;
  }
  return std::string();
}

// The backup read in place of the file becomes the file again, so that the next start reads it
// directly and the next save keeps it as the backup.
void UserFile::WriteBack() {
  if (!MayWrite() || m_blocked || os::IsReadOnlyFile(m_path)) return;
  if (os::WriteFileAtomically(m_path, m_last_good.data(), m_last_good.size())) {
    LogReport(kLogPlain, kSource, __LINE__, "%s written back from its backup", m_path.c_str());
  } else {
    LogReport(kLogWarning, kSource, __LINE__, "%s could not be written back from its backup (%s)", m_path.c_str(),
              std::strerror(errno));
  }
}

bool UserFile::KeepCopyAside() {
  if (!MayWrite() || m_last_good.empty()) return false;
  const std::string aside = FreeBadName();
  const bool kept = !aside.empty() && os::WriteFileAtomically(aside, m_last_good.data(), m_last_good.size());
  if (kept) {
    LogReport(kLogError, kSource, __LINE__, "%s kept as %s", m_path.c_str(), aside.c_str());
  } else {
    LogReport(kLogError, kSource, __LINE__, "%s could not be kept aside", m_path.c_str());
  }
  // The next save would keep this content as the backup, over the last one that could be used.
  m_last_good.clear();
  return kept;
}

bool UserFile::LoadBackup(const Parser& parse) {
  std::string backup;
  if (ReadWhole(GetBackupPath(), backup) != ReadResult::kRead || backup.empty() || !Accepts(parse, backup)) return false;
  LogReport(kLogWarning, kSource, __LINE__, "%s: its backup %s is read in its place", m_path.c_str(),
            GetBackupPath().c_str());
  m_last_good = std::move(backup);
  WriteBack();
  return true;
}

bool UserFile::TakeSaveFailureNotice() {
  int pending = 1;
  return g_save_failure.compare_exchange_strong(pending, 2);
}

bool UserFile::MoveAside() {
  const std::string aside = FreeBadName();
  if (!aside.empty() && os::RenameFile(m_path, aside)) {
    LogReport(kLogError, kSource, __LINE__, "%s is damaged or unreadable; kept as %s", m_path.c_str(), aside.c_str());
    return true;
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
  // A mirrored backup holds the last content saved already.
  if (!m_mirror && !m_last_good.empty() && m_last_good != content &&
      !os::WriteFileAtomically(GetBackupPath(), m_last_good.data(), m_last_good.size())) {
    LogReport(kLogWarning, kSource, __LINE__, "backup %s could not be written", GetBackupPath().c_str());
  }
  if (!os::WriteFileAtomically(m_path, content.data(), content.size())) {
    const int error = errno;
    LogReport(kLogError, kSource, __LINE__, "%s could not be saved (%s); the previous copy is kept", m_path.c_str(),
              std::strerror(error));
    int none = 0;
    if (g_save_failure.compare_exchange_strong(none, 1)) {
      const std::string line = "Velmaris: progress cannot be saved to " + os::NativePath(m_path) + " (" +
                               std::strerror(error) + "); the previous copy is kept\n";
      std::fputs(line.c_str(), stderr);
    }
    return false;
  }
  if (m_mirror && !os::WriteFileAtomically(GetBackupPath(), content.data(), content.size())) {
    LogReport(kLogWarning, kSource, __LINE__, "backup %s could not be written", GetBackupPath().c_str());
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
