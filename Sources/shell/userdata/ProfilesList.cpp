#include "Sources/shell/userdata/ProfilesList.h"

#include <algorithm>
#include <array>

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

// How unlikely a code unit is in a player's name, where every unit costs (fewer, longer units are
// likelier than many short ones); -1 for a unit the name prompt does not take. The prompt takes
// a space and what the game's fonts carry: ASCII, Latin-1, Cyrillic, Hebrew letters and a few
// dashes and quotes; letters and digits are likelier than the rest.
int PromptUnitCost(uint32_t unit) {
  constexpr int kEach = 2;
  if ((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9') ||
      unit == u' ') {
    return kEach + 1;
  }
  if (unit >= 0x410 && unit <= 0x44F) return kEach + 2;  // Cyrillic letters
  if (unit >= 0x5D0 && unit <= 0x5EA) return kEach + 2;  // Hebrew letters
  if (unit >= 0x400 && unit <= 0x45F) return kEach + 3;
  if (unit >= 0xC0 && unit <= 0xFF && unit != 0xD7 && unit != 0xF7) return kEach + 3;  // Latin-1 letters
  if (unit > 32 && unit < 127) return kEach + 3;
  if (unit >= 0xA0 && unit <= 0xFF) return kEach + 5;
  if (unit == 0x2013 || unit == 0x2014 || (unit >= 0x2018 && unit <= 0x201E) || unit == 0x2026) return kEach + 5;
  return -1;
}

// Any unit at all, for digits no name the prompt takes can give (a file from elsewhere).
int AnyUnitCost(uint32_t unit) {
  constexpr int kEach = 2;
  if (unit < 32 || (unit >= 127 && unit < 160)) return kEach + 10;
  if (unit < 127) return kEach + 1;
  const bool common = unit <= 0x24F || (unit >= 0x370 && unit <= 0x52F) || (unit >= 0x590 && unit <= 0x5FF);
  return kEach + (common ? 2 : 6);
}

// The script of a letter (1 Latin, 2 Cyrillic, 3 Hebrew), 0 for a digit (it joins a word of any
// script), -1 for anything else a name holds (a space or a sign: it ends a word), -2 for a unit
// no plain name holds.
int ScriptOf(uint32_t unit) {
  if ((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z')) return 1;
  if (unit >= 0xC0 && unit <= 0xFF && unit != 0xD7 && unit != 0xF7) return 1;
  if ((unit >= 0x410 && unit <= 0x44F) || unit == 0x401 || unit == 0x451) return 2;
  if (unit >= 0x5D0 && unit <= 0x5EA) return 3;
  if (unit >= u'0' && unit <= u'9') return 0;
  if (unit == u' ' || unit == u'-' || unit == u'.' || unit == u'\'' || unit == 0x2019) return -1;
  return -2;
}

struct Reading {
  std::u16string name;
  int ways = 0;  // readings there are, at most 2 counted
};

// The cheapest reading of `digits` as "%u" units that `cost` takes (-1: a unit it refuses), and
// how many there are. `plain`: only letters, digits, spaces and a few signs, each word in one
// script, the way people write names.
Reading CheapestReading(const std::string& digits, int (*cost)(uint32_t), bool plain) {
  constexpr int kScripts = 4;  // the script of the word so far: none, Latin, Cyrillic, Hebrew
  const std::size_t n = digits.size();
  // For the digits from i on after a word in script s: best[i][s], the least cost (-1: no
  // reading); length and next, the digits of its first unit and the script after it; ways.
  struct Step {
    int best = -1;
    std::size_t length = 0;
    int next = 0;
    int ways = 0;
  };
  std::vector<std::array<Step, kScripts>> steps(n + 1);
  for (Step& end : steps[n]) end.best = 0, end.ways = 1;
  for (std::size_t i = n; i-- > 0;) {
    for (int script = 0; script < kScripts; ++script) {
      Step& step = steps[i][script];
      uint32_t unit = 0;
      for (std::size_t len = 1; i + len <= n && len <= 5; ++len) {
        if (len > 1 && digits[i] == '0') break;  // "%u" never prints a leading zero
        unit = unit * 10 + static_cast<uint32_t>(digits[i + len - 1] - '0');
        if (unit > 0xFFFF) break;
        const int unit_cost = cost(unit);
        if (unit_cost < 0) continue;
        int next = 0;
        if (plain) {
          const int of = ScriptOf(unit);
          if (of == -2 || (of > 0 && script > 0 && of != script)) continue;
          next = of < 0 ? 0 : (of == 0 ? script : of);
        }
        const Step& rest = steps[i + len][next];
        if (rest.best < 0) continue;
        step.ways = std::min(2, step.ways + rest.ways);
        const int total = unit_cost + rest.best;
        if (step.best < 0 || total < step.best) step.best = total, step.length = len, step.next = next;
      }
    }
  }
  Reading reading;
  reading.ways = steps[0][0].ways;
  if (steps[0][0].best < 0) return reading;
  int script = 0;
  for (std::size_t i = 0; i < n;) {
    const Step& step = steps[i][script];
    reading.name += static_cast<char16_t>(std::stoul(digits.substr(i, step.length)));
    i += step.length;
    script = step.next;
  }
  return reading;
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
    case ProfilesList::NameCheck::kFileNameTooLong: return "its file name is too long for this system";
    case ProfilesList::NameCheck::kFree: break;
  }
  return "";
}

}  // namespace

ProfilesList::ProfilesList(cUserDataFactory& factory) : m_factory(factory) {
  if (factory.HasUserFolder()) m_file = std::make_unique<UserFile>(GetFilePath(), factory.GetDataFolder());
  // The backup is the list as last saved, with the current player: a damaged list loses no one.
  if (m_file) m_file->MirrorInBackup();
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
    // A name listed twice, blank, sharing another player's file or whose file this system cannot
    // name would lose that player's saves; a long one (from an older build) is kept.
    const NameCheck check = CheckListedName(name);
    if (check != NameCheck::kFree) {
      LogReport(kLogError, kSource, __LINE__, "%s: the player \"%s\" is left out of the list (%s); its files stay",
                GetFilePath().c_str(), WideToUtf8(name).c_str(), Describe(check));
      refused = true;
      continue;
    }
    Insert(name);
  }
  if (refused) m_file->KeepCopyAside();  // the entries left out stay readable there
  // A backup may be older than the list was, and a list may have lost names: players whose files
  // are there are listed again.
  const int adopted = AdoptProfileFiles();
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

std::u16string ProfilesList::NameFromFileName(const std::string& digits, bool* sure) {
  if (sure != nullptr) *sure = false;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::u16string();
  // One name the prompt could have given: it. Several: the one written as names are, when
  // only one is; else the likeliest, unsure.
  const Reading typed = CheapestReading(digits, &PromptUnitCost, false);
  if (typed.ways == 1) {
    if (sure != nullptr) *sure = true;
    return typed.name;
  }
  const Reading plain = CheapestReading(digits, &PromptUnitCost, true);
  if (plain.ways > 0) {
    if (sure != nullptr) *sure = plain.ways == 1;
    return plain.name;
  }
  if (typed.ways > 0) return typed.name;
  return CheapestReading(digits, &AnyUnitCost, false).name;
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
  std::vector<std::u16string> unsure;
  for (const std::string& file : files) {
    std::string digits;
    if (EndsWith(file, kProfileExtension)) {
      digits = file.substr(0, file.size() - std::char_traits<char>::length(kProfileExtension));
    } else if (EndsWith(file, kBackupExtension)) {
      digits = file.substr(0, file.size() - std::char_traits<char>::length(kBackupExtension));
    } else {
      continue;
    }
    bool sure = false;
    const std::u16string name = NameFromFileName(digits, &sure);
    if (name.empty()) continue;
    bool listed = false;
    for (const auto& entry : m_profiles) listed = listed || cProfile::FileNameFor(entry.first) == digits;
    if (listed) continue;
    const NameCheck check = CheckListedName(name);
    if (check != NameCheck::kFree) {
      LogReport(kLogError, kSource, __LINE__, "the player file %s\\%s is not listed and cannot be (%s)", folder.c_str(),
                file.c_str(), Describe(check));
      continue;
    }
    Insert(name);
    ++adopted;
    LogReport(kLogWarning, kSource, __LINE__, "the player file %s\\%s was not listed: listed as \"%s\"%s", folder.c_str(),
              file.c_str(), WideToUtf8(name).c_str(), sure ? "" : " (a guess: other names give the same file name)");
    if (!sure) unsure.push_back(name);
  }
  for (const std::u16string& name : unsure) MarkUnsure(name);
  return adopted;
}

void ProfilesList::MarkUnsure(const std::u16string& name) {
  auto found = m_profiles.find(name);
  const std::u16string marked = name + kUnsureMark;
  if (found == m_profiles.end() || CheckListedName(marked) != NameCheck::kFree) return;
  cProfile* profile = found->second.get();
  // A file that does not read keeps its name: it is kept aside when the player is chosen.
  if (!profile->Load()) return;
  const bool renamed = profile->Rename(marked, [&] {
    auto node = m_profiles.extract(found);
    node.key() = marked;
    m_profiles.insert(std::move(node));
    Save();
  });
  if (renamed) {
    LogReport(kLogWarning, kSource, __LINE__, "the player \"%s\" is listed as \"%s\": the name is a guess",
              WideToUtf8(name).c_str(), WideToUtf8(marked).c_str());
  }
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
  return Check(name, profile, true);
}

ProfilesList::NameCheck ProfilesList::CheckListedName(const std::u16string& name) const {
  return Check(name, nullptr, false);
}

ProfilesList::NameCheck ProfilesList::Check(const std::u16string& name, const cProfile* profile, bool capped) const {
  bool blank = true;
  for (char16_t unit : name) blank = blank && unit <= 32;
  if (blank) return NameCheck::kBlank;
  auto same = m_profiles.find(name);
  if (same != m_profiles.end() && same->second.get() != profile) return NameCheck::kTaken;
  if (capped && name.size() > kMaxNameLength) return NameCheck::kTooLong;
  const std::string file_name = cProfile::FileNameFor(name);
  for (const auto& entry : m_profiles) {
    if (entry.second.get() != profile && cProfile::FileNameFor(entry.first) == file_name) return NameCheck::kFileTaken;
  }
  if (!FileNameFits(file_name)) return NameCheck::kFileNameTooLong;
  return NameCheck::kFree;
}

bool ProfilesList::FileNameFits(const std::string& file_name) const {
  const std::size_t longest = os::LongestFileName(m_factory.m_directory + "\\usersdata\\profiles");
  return file_name.size() + kFileNameReserve <= longest;
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
