#pragma once
// The list of player profiles, "<user folder>\usersdata\profiles.pmf": the names in UTF-16 code
// unit order and the current profile's name. Every change rewrites the file at once. The list
// owns the profiles; selecting one makes it current (its file is loaded or written then).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class cProfile;
class cStream;
class cUserDataFactory;
class UserFile;

class ProfilesList {
 public:
  using Profiles = std::map<std::u16string, std::unique_ptr<cProfile>>;

  // Why a name cannot be given to a profile.
  enum class NameCheck { kFree, kTaken, kTooLong, kFileTaken, kBlank, kFileNameTooLong };

  // Makes the folder and loads the file. A list that is missing or damaged (and has no usable
  // backup) is rebuilt from the players' files present; a list read whole gains the players
  // whose files are there but not listed. Players listed and none current: the first becomes
  // current.
  explicit ProfilesList(cUserDataFactory& factory);
  // The current profile is deactivated and CurrentProfile no longer points into the list.
  virtual ~ProfilesList();
  ProfilesList(const ProfilesList&) = delete;
  ProfilesList& operator=(const ProfilesList&) = delete;

  // Reads the file (or its backup); names that cannot be kept (see CheckListedName) are left
  // out, logged, and the list as read is kept aside as ".bad" (their files stay). Players whose
  // files are there but not listed are listed. False when neither could be read.
  bool Load();
  // Rewrites the file; false when it could not (logged).
  bool Save();
  // Makes the named profile current (loading or writing its file); false for an unknown name.
  bool Select(const std::u16string& name);
  // A new profile (not made current), or null when the name cannot be given (see CheckName).
  cProfile* Add(const std::u16string& name);
  // A new profile made current at once, the list saved once (so that no saved list names
  // players with none current); null when the name cannot be given.
  cProfile* AddCurrent(const std::u16string& name);
  // False when the new name cannot be given to the profile, or its file could not be written.
  // An unknown old name, or a name renamed to itself, changes nothing and answers true.
  bool Rename(const std::u16string& old_name, const std::u16string& new_name);
  // Removes the profile and its file; another profile becomes current when it was current.
  bool Delete(const std::u16string& name);

  // kFree when `name` may be given to `profile` (null: a new one): it is not blank (spaces and
  // control characters only), no other profile has it, it is not too long, and its file name is
  // no other profile's file name.
  NameCheck CheckName(const std::u16string& name, const cProfile* profile) const;
  // kFree when a name read from the list (or from a file name) may stay in it: not blank, not
  // listed already, its file name is no listed player's, and its files can be named on this
  // system. Its length is the prompt's concern, not the list's: a longer name stays.
  NameCheck CheckListedName(const std::u16string& name) const;

  cProfile* GetCurrent() const { return m_current; }
  const Profiles& GetProfiles() const { return m_profiles; }
  std::string GetFilePath() const;

  // Reads a whole "profiles.pmf" with the factory's header and version: the names in file
  // order and the current name. False (the outputs untouched) when the content is refused.
  static bool Parse(cStream& content, const cUserDataFactory& factory, std::vector<std::u16string>& names,
                    std::u16string& current);

  // A profile name has at most this many UTF-16 units (its file name stays short enough).
  static constexpr std::size_t kMaxNameLength = 24;

  // A name whose file name is `digits` (the file name without ".prf"): made of the characters
  // the name prompt takes where the digits allow that, the likeliest where they allow several
  // such names; `sure` (when given) tells whether no other such name gives these digits. Empty
  // when the digits cannot be a file name of a profile.
  static std::u16string NameFromFileName(const std::string& digits, bool* sure = nullptr);
  // Appended to a name rebuilt from its file name when other names give the same digits.
  static constexpr const char16_t* kUnsureMark = u" (?)";
  // The digits of a file name must leave this many bytes for the longest name the game gives
  // the player's files (".prf.bak" and a temporary's ".tmp-<pid>-<counter>").
  static constexpr std::size_t kFileNameReserve = 34;

 private:
  void Forget();
  cProfile* Insert(const std::u16string& name);
  // Lists the players whose ".prf" (or ".prf.bak") is present and not listed; answers how many.
  int AdoptProfileFiles();
  // A player rebuilt from its file name under a name that may not be theirs: renamed with
  // kUnsureMark when its file reads whole, so the list says so.
  void MarkUnsure(const std::u16string& name);
  // The checks of CheckName, with the prompt's length cap only when `capped`.
  NameCheck Check(const std::u16string& name, const cProfile* profile, bool capped) const;
  // Whether the player files of this file name (digits) can be named in the profiles folder.
  bool FileNameFits(const std::string& file_name) const;
  void SelectFirstWhenNoneCurrent();
  // Removes what saves of any player's file, listed or not, left when a kill cut them short.
  void RemoveStaleTemporaries();

  cUserDataFactory& m_factory;
  Profiles m_profiles;
  cProfile* m_current = nullptr;
  std::unique_ptr<UserFile> m_file;
};
