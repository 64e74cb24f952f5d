#pragma once
// Says where the player files live (the user folder), which header and version the list files
// carry, and which classes are made for profiles and record entries.

#include <cstdint>
#include <memory>
#include <string>

class cProfile;
class cRecordEntry;

class cUserDataFactory {
 public:
  cUserDataFactory(std::string directory, std::string header) : m_directory(std::move(directory)), m_header(std::move(header)) {}
  virtual ~cUserDataFactory() = default;
  cUserDataFactory(const cUserDataFactory&) = delete;
  cUserDataFactory& operator=(const cUserDataFactory&) = delete;

  virtual std::unique_ptr<cProfile> CreateProfile() = 0;
  virtual std::unique_ptr<cRecordEntry> CreateRecordEntry() = 0;

  // False without a user folder: the files' paths would lead to the root of the file system, so
  // nothing is read or written then.
  bool HasUserFolder() const { return !m_directory.empty(); }
  // "<user folder>\usersdata", where the list files are.
  std::string GetDataFolder() const { return m_directory + "\\usersdata"; }

  std::string m_directory;  // the user folder
  std::string m_header;
  uint32_t m_version = 112;
};

// The game's own: player profiles and plain record entries, header "FLPMF".
class GameUserDataFactory : public cUserDataFactory {
 public:
  explicit GameUserDataFactory(std::string directory) : cUserDataFactory(std::move(directory), "FLPMF") {}

  std::unique_ptr<cProfile> CreateProfile() override;
  std::unique_ptr<cRecordEntry> CreateRecordEntry() override;
};
