#include "Sources/shell/userdata/ProfilesList.h"

#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/UserFile.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/log/cLog.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\ProfilesList";
constexpr uint32_t kSmallestName = 4;

}  // namespace

ProfilesList::ProfilesList(cUserDataFactory& factory) : m_factory(factory) {
  if (factory.HasUserFolder()) m_file = std::make_unique<UserFile>(GetFilePath(), factory.GetDataFolder());
  if (!Load()) Save();
}

ProfilesList::~ProfilesList() { Forget(); }

void ProfilesList::Forget() {
  if (m_current != nullptr) m_current->Deactivate();
  m_current = nullptr;
  for (const auto& entry : m_profiles) {
    if (static_cast<cProfile*>(CurrentProfile) == entry.second.get()) CurrentProfile = nullptr;
  }
  m_profiles.clear();
}

std::string ProfilesList::GetFilePath() const { return m_factory.GetDataFolder() + "\\profiles.pmf"; }

bool ProfilesList::Parse(cStream& content, const cUserDataFactory& factory, std::vector<std::u16string>& names,
                         std::u16string& current) {
  BinaryReader reader(content);
  uint32_t count = 0;
  if (!ReadFileHeader(reader, factory.m_header, factory.m_version) || !reader.Count(count, kSmallestName)) {
    return false;
  }
  std::vector<std::u16string> read(count);
  for (std::u16string& name : read) reader.Wide(name);
  std::u16string read_current;
  reader.Wide(read_current);
  if (!reader.AtEnd()) return false;
  names = std::move(read);
  current = std::move(read_current);
  return true;
}

bool ProfilesList::Load() {
  if (!m_file) return false;
  std::vector<std::u16string> names;
  std::u16string current;
  const UserFile::LoadResult result =
      m_file->Load([&](cStream& content) { return Parse(content, m_factory, names, current); });
  if (result != UserFile::LoadResult::kLoaded && result != UserFile::LoadResult::kLoadedFromBackup) return false;
  Forget();
  for (const std::u16string& name : names) {
    std::unique_ptr<cProfile> profile = m_factory.CreateProfile();
    profile->m_directory = m_factory.m_directory;
    profile->m_name = name;
    m_profiles[name] = std::move(profile);  // a name listed twice keeps its later entry
  }
  Select(current);  // an empty or unknown name leaves no profile current
  return true;
}

bool ProfilesList::Save() {
  if (!m_file) return false;
  cMemoryStream bytes;
  bool ok = WriteFileHeader(bytes, m_factory.m_header, m_factory.m_version) &&
            WriteUInt32(bytes, static_cast<uint32_t>(m_profiles.size()));
  for (const auto& entry : m_profiles) ok = ok && WriteWideString(bytes, entry.first);
  ok = ok && WriteWideString(bytes, m_current != nullptr ? m_current->m_name : std::u16string());
  return ok && m_file->Save(bytes.GetData(), bytes.GetSize());
}

bool ProfilesList::Select(const std::u16string& name) {
  auto found = m_profiles.find(name);
  if (found == m_profiles.end()) return false;
  if (m_current != nullptr) m_current->Deactivate();
  m_current = found->second.get();
  m_current->Activate();
  Save();
  return true;
}

ProfilesList::NameCheck ProfilesList::CheckName(const std::u16string& name, const cProfile* profile) const {
  auto same = m_profiles.find(name);
  if (same != m_profiles.end() && same->second.get() != profile) return NameCheck::kTaken;
  if (name.size() > kMaxNameLength) return NameCheck::kTooLong;
  const std::string file_name = cProfile::FileNameFor(name);
  for (const auto& entry : m_profiles) {
    if (entry.second.get() != profile && cProfile::FileNameFor(entry.first) == file_name) return NameCheck::kFileTaken;
  }
  return NameCheck::kFree;
}

cProfile* ProfilesList::Add(const std::u16string& name) {
  if (CheckName(name, nullptr) != NameCheck::kFree) return nullptr;
  std::unique_ptr<cProfile> profile = m_factory.CreateProfile();
  profile->m_directory = m_factory.m_directory;
  profile->m_name = name;
  cProfile* added = profile.get();
  m_profiles[name] = std::move(profile);
  Save();
  return added;
}

bool ProfilesList::Rename(const std::u16string& old_name, const std::u16string& new_name) {
  auto old_entry = m_profiles.find(old_name);
  auto new_entry = m_profiles.find(new_name);
  if (old_entry == new_entry || old_entry == m_profiles.end()) return true;
  cProfile* profile = old_entry->second.get();
  if (CheckName(new_name, profile) != NameCheck::kFree) return false;
  if (!profile->Rename(new_name)) {
    LogReport(kLogError, kSource, __LINE__, "profile not renamed: its file under the new name could not be written");
    return false;
  }
  auto node = m_profiles.extract(old_entry);
  node.key() = new_name;
  m_profiles.insert(std::move(node));
  Save();
  return true;
}

bool ProfilesList::Delete(const std::u16string& name) {
  auto found = m_profiles.find(name);
  if (found == m_profiles.end()) return false;
  if (found->second.get() == m_current) {
    auto next = std::next(found);
    if (next != m_profiles.end()) {
      Select(next->first);
    } else if (m_profiles.size() > 1) {
      Select(std::prev(found)->first);
    } else {
      m_current = nullptr;
    }
  }
  std::unique_ptr<cProfile> profile = std::move(found->second);
  m_profiles.erase(found);
  if (static_cast<cProfile*>(CurrentProfile) == profile.get()) CurrentProfile = nullptr;
  // The list forgets the name before the file goes, so a crash between the two never leaves a
  // listed profile without its progress.
  Save();
  profile->DeleteFile();
  return true;
}
