#pragma once
// The records table, "<user folder>\usersdata\topscores.hsf": high-score entries under the list
// files' header and version. It always holds at least one entry (a default one); nothing in the
// game adds or shows records yet.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class BinaryReader;
class cStream;
class cUserDataFactory;
class UserFile;

class cRecordEntry {
 public:
  virtual ~cRecordEntry() = default;
  // 8 bytes as they are, the name as a u32 unit count and its units, the score.
  virtual bool Write(cStream& stream) const;
  virtual bool Read(BinaryReader& reader);
  // This entry's score is smaller than the other's.
  virtual bool CompareByScore(const cRecordEntry& other) const { return m_score < other.m_score; }

  std::array<uint8_t, 8> m_extra{};
  std::u16string m_name;
  float m_score = 0.0f;

  // The fewest bytes an entry takes in the file (an empty name).
  static constexpr uint32_t kSmallestBytes = 8 + 4 + 4;
};

class RecordsTable {
 public:
  // Makes the folder, loads the file (writing it when it cannot be loaded) and makes sure one
  // entry is there.
  explicit RecordsTable(cUserDataFactory& factory);
  virtual ~RecordsTable();
  RecordsTable(const RecordsTable&) = delete;
  RecordsTable& operator=(const RecordsTable&) = delete;

  bool Load();
  // Rewrites the file (adding the default entry when there is none); false when it could not.
  bool Save();
  // Reads a whole file's content into a fresh list; the table changes only when it is accepted.
  bool Parse(cStream& content);

  const std::vector<std::unique_ptr<cRecordEntry>>& GetEntries() const { return m_entries; }
  std::string GetFilePath() const;

 private:
  cUserDataFactory& m_factory;
  std::vector<std::unique_ptr<cRecordEntry>> m_entries;
  std::unique_ptr<UserFile> m_file;
};
