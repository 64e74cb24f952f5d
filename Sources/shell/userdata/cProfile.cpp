#include "Sources/shell/userdata/cProfile.h"

#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/UserFile.h"
#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\cProfile";

bool HasFolder(const cProfile& profile) {
  if (!profile.m_directory.empty()) return true;
  // Without a user folder the path would lead to the root of the file system.
  LogReport(kLogError, kSource, __LINE__, "profile file %s: no user folder; not read or written",
            cProfile::FileNameFor(profile.m_name).c_str());
  return false;
}

}  // namespace

cProfile::cProfile() = default;
cProfile::~cProfile() = default;

std::string cProfile::FileNameFor(const std::u16string& name) {
  std::string file_name;
  for (char16_t unit : name) file_name += std::to_string(static_cast<unsigned>(unit));
  return file_name;
}

std::string cProfile::GetFilePath() const {
  return m_directory + "\\usersdata\\profiles\\" + FileNameFor(m_name) + ".prf";
}

UserFile& cProfile::File() {
  const std::string path = GetFilePath();
  if (!m_file || m_file->GetPath() != path) m_file = std::make_unique<UserFile>(path, m_directory + "\\usersdata");
  return *m_file;
}

void cProfile::Activate() {
  if (!Load()) Save();
}

bool cProfile::ReadContent(cStream& content) {
  BinaryReader reader(content);
  if (!ReadFileHeader(reader, m_header, m_version)) return false;
  // The body must fill the file exactly: anything after it is damage.
  return Read(content) && content.Tell() == content.GetSize();
}

bool cProfile::Load() {
  if (!HasFolder(*this)) return false;
  const UserFile::LoadResult result = File().Load([this](cStream& content) { return ReadContent(content); });
  const bool loaded = result == UserFile::LoadResult::kLoaded || result == UserFile::LoadResult::kLoadedFromBackup;
  if (loaded) m_loaded = true;
  if (result == UserFile::LoadResult::kRefused) m_lost = true;
  return loaded;
}

bool cProfile::Save() {
  if (!HasFolder(*this)) return false;
  cMemoryStream bytes;
  const bool built = WriteFileHeader(bytes, m_header, m_version) && Write(bytes);
  if (!built) {
    LogReport(kLogError, kSource, __LINE__, "%s could not be built in memory; not saved", GetFilePath().c_str());
    return false;
  }
  if (!File().Save(bytes.GetData(), bytes.GetSize())) return false;
  m_loaded = true;
  return true;
}

void cProfile::DeleteFile() {
  if (HasFolder(*this)) File().Delete();
}

bool cProfile::TakeLostNotice() {
  const bool lost = m_lost;
  m_lost = false;
  return lost;
}

bool cProfile::KeepFileAside() { return HasFolder(*this) && File().KeepCopyAside(); }

bool cProfile::LoadBackup(const std::function<bool(cStream& content)>& parse) {
  if (!HasFolder(*this) || !File().LoadBackup(parse)) return false;
  m_loaded = true;
  return true;
}

bool cProfile::Rename(const std::u16string& new_name, const std::function<void()>& written) {
  if (!HasFolder(*this)) return false;
  if (!m_loaded) Load();
  File();
  std::unique_ptr<UserFile> old_file = std::move(m_file);
  const std::u16string old_name = m_name;
  m_name = new_name;
  if (!Save()) {
    m_name = old_name;
    m_file = std::move(old_file);
    return false;
  }
  if (written) written();
  // Two names may give one file name; then the file just written is the profile's file.
  if (old_file->GetPath() != GetFilePath()) old_file->Delete();
  return true;
}
