#pragma once
// One file the game keeps for its players (a profile, the profile list, the records). No save
// ever loses what was saved before:
// - a save writes a temporary file beside the old one, syncs it and renames it over the old one;
//   the previous good content is kept beside it as "<name>.bak" (or, for a file that mirrors
//   itself there, the content just saved);
// - a file that cannot be read or is refused is moved aside to "<name>.bad" ("<name>.bad.1", ...
//   when earlier ones are there) before anything is written in its place, and the ".bak" copy
//   is read instead, and written back under the file's own name;
// - a file that is not a plain file (a link to a device, a pipe) is refused as a damaged one;
// - temporary files that a save cut short by a kill left beside it are removed when it is read;
// - a file the player marked read-only, or a folder another copy of the game is using, is read
//   but never written.
// Every refusal and failure is logged.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class cStream;
class UserFolderGuard;

class UserFile {
 public:
  enum class LoadResult {
    kMissing,           // neither the file nor its backup is there
    kLoaded,            // the file was read and accepted
    kLoadedFromBackup,  // the file was missing or refused; its backup was accepted
    kRefused,           // the file was refused (and moved aside) and no backup was accepted
  };
  // Reads the whole content (from its first byte) and answers whether it is accepted; it must
  // leave the object it fills as it was when it refuses.
  using Parser = std::function<bool(cStream& content)>;

  // `path` lies in or below `guarded_folder`, the folder whose lock covers it.
  UserFile(std::string path, const std::string& guarded_folder);
  ~UserFile();
  UserFile(const UserFile&) = delete;
  UserFile& operator=(const UserFile&) = delete;

  LoadResult Load(const Parser& parse);
  // Replaces the file's content; false (logged, and the old file left whole) when it could not.
  bool Save(const void* bytes, std::size_t size);
  // Deletes the file and its backup; a missing file is no error.
  void Delete();
  // Copies the content last read or written to a free "<name>.bad" name, leaving the file as it
  // is; for content that was read but cannot be used. That content is never kept as the backup
  // afterwards: the backup holds the last content that could be used. False (logged) when it
  // could not be copied.
  bool KeepCopyAside();
  // Reads the backup alone; when `parse` accepts it, it becomes the content last read and is
  // written back under the file's own name. For a file whose content was read but cannot be used.
  bool LoadBackup(const Parser& parse);

  // True once after the first save of this run that failed on the disk (full, not writable): the
  // player is then told that progress cannot be saved.
  static bool TakeSaveFailureNotice();

  const std::string& GetPath() const { return m_path; }
  std::string GetBackupPath() const { return m_path + ".bak"; }
  // False in a folder that another copy of the game is using.
  bool MayWrite() const;
  // From now on the backup holds what each save wrote (written after the file), not the content
  // before it: for a file whose latest content is what matters (the players' list and who is
  // current), so that a damaged file is replaced by the latest.
  void MirrorInBackup() { m_mirror = true; }

  // A player file larger than this is taken as damaged and not read into memory.
  static constexpr uint32_t kMaxSize = 16u << 20;
  // ".bad" names tried before a damaged file is left where it is.
  static constexpr int kMaxBadCopies = 1000;

 private:
  bool MoveAside();
  void WriteBack();
  std::string FreeBadName() const;

  std::string m_path;
  std::shared_ptr<UserFolderGuard> m_guard;
  std::string m_last_good;  // the content last read or written, kept as the backup at the next save
  bool m_blocked = false;   // a refused file could not be moved aside: never write over it
  bool m_mirror = false;    // the backup holds the content last saved
};
