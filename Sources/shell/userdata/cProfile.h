#pragma once
// A profile record: the player's name, the user folder and the file under it that holds the
// profile ("<user folder>\usersdata\profiles\<digits of the name>.prf"), with the file header
// and version. Derived classes write and read the body.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class cStream;
class UserFile;

class cProfile {
 public:
  cProfile();
  virtual ~cProfile();
  cProfile(const cProfile&) = delete;
  cProfile& operator=(const cProfile&) = delete;

  // Loads the file, or writes it from memory when it cannot be loaded.
  virtual void Activate();
  // Called when another profile becomes current, and when the list goes.
  virtual void Deactivate() {}
  // The body after the header and version; nothing here.
  virtual bool Write(cStream& stream) { return true; }
  // Reads the body; a refusal must leave the profile as it was.
  virtual bool Read(cStream& stream) { return true; }

  // The name's UTF-16 units as "%u" numbers without separators ("Ann" gives "65110110").
  static std::string FileNameFor(const std::u16string& name);
  std::string GetFilePath() const;

  // True when the file (or its backup) was read and accepted: header, version and whole body.
  bool Load();
  // Writes the header, version and body in place of the file; false when it could not (logged).
  bool Save();
  // Deletes the file (and its backup); a missing file is no error.
  void DeleteFile();
  // Gives the profile a new name: its progress is written under the new name first (a profile
  // never loaded is loaded before, so nothing of it is lost), then `written` runs (the list
  // records the new name), and only then is the old file deleted. False, with the old name and
  // file kept, when the new file could not be written.
  bool Rename(const std::u16string& new_name, const std::function<void()>& written = {});
  // Keeps a copy of the file as last read or written beside it as ".bad" (the file stays); that
  // copy never becomes the backup.
  bool KeepFileAside();

  // Reads a whole file's content (header, version, body, nothing after it); the profile changes
  // only when it is accepted.
  bool ReadContent(cStream& content);

  // The progress in memory is the file's (it was read or written in this run).
  bool IsLoaded() const { return m_loaded; }
  // True once after a load found the file damaged with no usable backup (a new game begins).
  bool TakeLostNotice();

  std::u16string m_name;
  std::string m_directory;  // the user folder
  std::string m_header = "FLPRF";
  uint32_t m_version = 102;

 protected:
  // Reads the backup alone, for a file that was read but cannot be used; `parse` gets the whole
  // content. On acceptance the backup is also written back under the file's own name.
  bool LoadBackup(const std::function<bool(cStream& content)>& parse);

 private:
  UserFile& File();

  std::unique_ptr<UserFile> m_file;  // the file at GetFilePath(), made when first needed
  bool m_loaded = false;
  bool m_lost = false;  // the last load refused the file and had no backup to read
};
