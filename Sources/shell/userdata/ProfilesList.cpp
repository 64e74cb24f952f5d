#include "Sources/shell/userdata/ProfilesList.h"

#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/UserFile.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/log/cLog.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "source/text/TextConversion.h"
#include "platform/os/os.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\ProfilesList";
constexpr uint32_t kSmallestName = 4;
constexpr const char* kProfileExtension = ".prf";
constexpr const char* kBackupExtension = ".prf.bak";

// How unlikely a code unit is in a player's name: every unit costs (fewer, longer units are
// likelier than many short ones), letters of the common scripts least.
int UnitCost(uint32_t unit) {
  constexpr int kEach = 2;
  if (unit < 32 || (unit >= 127 && unit < 160)) return kEach + 10;
  if (unit < 127) return kEach + 1;
  const bool common = unit <= 0x24F || (unit >= 0x370 && unit <= 0x52F) || (unit >= 0x590 && unit <= 0x5FF);
  return kEach + (common ? 2 : 6);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char* Describe(ProfilesList::NameCheck check) {
  switch (check) {
    case ProfilesList::NameCheck::kTaken: return "listed twice";
    case ProfilesList::NameCheck::kTooLong: return "too long";
    case ProfilesList::NameCheck::kFileTaken: return "its file is another player's file";
    case ProfilesList::NameCheck::kBlank: return "blank";
    case ProfilesList::NameCheck::kFree: break;
  }
  return "";
}

}  // namespace

ProfilesList::ProfilesList(cUserDataFactory& factory) : m_factory(factory) {
  if (factory.HasUserFolder()) m_file = std::make_unique<UserFile>(GetFilePath(), factory.GetDataFolder());
  if (m_file && m_file->MayWrite()) RemoveStaleTemporaries();
  if (Load()) return;
  // No list could be read: the players whose files are there are not forgotten.
  const int adopted = m_file ? AdoptProfileFiles() : 0;
  if (adopted > 0) {
    LogReport(kLogError, kSource, __LINE__, "%s rebuilt from the %d player files present", GetFilePath().c_str(),
              adopted);
  }
  SelectFirstWhenNoneCurrent();
  Save();
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
  bool refused = false;
  for (const std::u16string& name : names) {
    // The checks a typed name gets: a name listed twice, too long for a file name, blank, or
    // sharing another player's file would lose that player's saves.
    const NameCheck check = CheckName(name, nullptr);
    if (check != NameCheck::kFree) {
      LogReport(kLogError, kSource, __LINE__, "%s: the player \"%s\" is left out of the list (%s)",
                GetFilePath().c_str(), WideToUtf8(name).c_str(), Describe(check));
      refused = true;
      continue;
    }
    Insert(name);
  }
  if (refused) m_file->KeepCopyAside();  // the entries left out stay readable there
  // A backup is older than the list was: players added since are found by their files.
  int adopted = 0;
  if (result == UserFile::LoadResult::kLoadedFromBackup) adopted = AdoptProfileFiles();
  Select(current);  // an empty or unknown name leaves no profile current
  SelectFirstWhenNoneCurrent();
  if (refused || adopted > 0) Save();
  return true;
}

cProfile* ProfilesList::Insert(const std::u16string& name) {
  std::unique_ptr<cProfile> profile = m_factory.CreateProfile();
  profile->m_directory = m_factory.m_directory;
  profile->m_name = name;
  cProfile* added = profile.get();
  m_profiles[name] = std::move(profile);
  return added;
}

void ProfilesList::SelectFirstWhenNoneCurrent() {
  // A game played with no current player would never be saved.
  if (m_current != nullptr || m_profiles.empty()) return;
  LogReport(kLogWarning, kSource, __LINE__, "no current player in the list: the first one is chosen");
  Select(m_profiles.begin()->first);
}

std::u16string ProfilesList::NameFromFileName(const std::string& digits) {
  const std::size_t n = digits.size();
  if (n == 0 || digits.find_first_not_of("0123456789") != std::string::npos) return std::u16string();
  // best[i]: the least cost of the digits from i on; length[i]: the digits of its first unit.
  std::vector<int> best(n + 1, 0);
  std::vector<std::size_t> length(n + 1, 0);
  for (std::size_t i = n; i-- > 0;) {
    best[i] = -1;
    uint32_t unit = 0;
    for (std::size_t len = 1; i + len <= n && len <= 5; ++len) {
      if (len > 1 && digits[i] == '0') break;  // "%u" never prints a leading zero
      unit = unit * 10 + static_cast<uint32_t>(digits[i + len - 1] - '0');
      if (unit > 0xFFFF) break;
      const int cost = UnitCost(unit) + best[i + len];
      if (best[i] < 0 || cost < best[i]) best[i] = cost, length[i] = len;
    }
  }
  std::u16string name;
  for (std::size_t i = 0; i < n; i += length[i]) {
    name += static_cast<char16_t>(std::stoul(digits.substr(i, length[i])));
  }
  return name;
}

void ProfilesList::RemoveStaleTemporaries() {
  const std::string folder = m_factory.m_directory + "\\usersdata\\profiles";
  std::vector<std::string> folders;
  std::vector<std::string> files;
  if (!os::ListDirectory(folder, folders, files)) return;
  for (const std::string& file : files) {
    // "<digits>.prf.tmp-..." or "<digits>.prf.bak.tmp-...": left by a save a kill cut short.
    const std::size_t mark = file.find(".tmp-");
    if (mark == std::string::npos) continue;
    const std::string saved = file.substr(0, mark);
    if (EndsWith(saved, kProfileExtension) || EndsWith(saved, kBackupExtension)) {
      os::RemoveStaleTemporaries(folder + "\\" + saved);
    }
  }
}

int ProfilesList::AdoptProfileFiles() {
  const std::string folder = m_factory.m_directory + "\\usersdata\\profiles";
  std::vector<std::string> folders;
  std::vector<std::string> files;
  if (!os::ListDirectory(folder, folders, files)) return 0;
  int adopted = 0;
  for (const std::string& file : files) {
    std::string digits;
    if (EndsWith(file, kProfileExtension)) {
      digits = file.substr(0, file.size() - std::char_traits<char>::length(kProfileExtension));
    } else if (EndsWith(file, kBackupExtension)) {
      digits = file.substr(0, file.size() - std::char_traits<char>::length(kBackupExtension));
    } else {
      continue;
    }
    const std::u16string name = NameFromFileName(digits);
    if (name.empty()) continue;
    bool listed = false;
    for (const auto& entry : m_profiles) listed = listed || cProfile::FileNameFor(entry.first) == digits;
    if (listed) continue;
    const NameCheck check = CheckName(name, nullptr);
    if (check != NameCheck::kFree) {
      LogReport(kLogError, kSource, __LINE__, "the player file %s\\%s is not listed and cannot be (%s)", folder.c_str(),
                file.c_str(), Describe(check));
      continue;
    }
    Insert(name);
    ++adopted;
    LogReport(kLogWarning, kSource, __LINE__, "the player file %s\\%s was not listed: listed as \"%s\"", folder.c_str(),
              file.c_str(), WideToUtf8(name).c_str());
  }
  return adopted;
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
  bool blank = true;
  for (char16_t unit : name) blank = blank && unit <= 32;
  if (blank) return NameCheck::kBlank;
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
  cProfile* added = Insert(name);
  Save();
  return added;
}

cProfile* ProfilesList::AddCurrent(const std::u16string& name) {
  if (CheckName(name, nullptr) != NameCheck::kFree) return nullptr;
  cProfile* added = Insert(name);
  Select(name);  // saves the list, with the new player current
  return added;
}

bool ProfilesList::Rename(const std::u16string& old_name, const std::u16string& new_name) {
  auto old_entry = m_profiles.find(old_name);
  auto new_entry = m_profiles.find(new_name);
  if (old_entry == new_entry || old_entry == m_profiles.end()) return true;
  cProfile* profile = old_entry->second.get();
  if (CheckName(new_name, profile) != NameCheck::kFree) return false;
  // The list names the new name before the old file goes: a crash between the steps leaves the
  // list naming a file that is there.
  const bool renamed = profile->Rename(new_name, [&] {
    auto node = m_profiles.extract(old_entry);
    node.key() = new_name;
    m_profiles.insert(std::move(node));
    Save();
  });
  if (!renamed) {
    LogReport(kLogError, kSource, __LINE__, "profile not renamed: its file under the new name could not be written");
    return false;
  }
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
