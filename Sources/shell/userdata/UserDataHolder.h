#pragma once
// Owns what the game keeps for its players: the user-data factory, the records table and the
// profile list. The game object installs them once at start-up.

#include <memory>

#include "source/core/Singleton.h"

class cUserDataFactory;
class ProfilesList;
class RecordsTable;

class UserDataHolder : public Singleton<UserDataHolder> {
 public:
  UserDataHolder();
  // The profile list goes first, then the records, then the factory they were made on.
  ~UserDataHolder() override;

  // Takes the factory over and builds (loads) a new records table and profile list on it,
  // replacing the old ones. A null factory changes nothing.
  void Install(std::unique_ptr<cUserDataFactory> factory);

  cUserDataFactory* GetFactory() const { return m_factory.get(); }
  RecordsTable* GetRecords() const { return m_records.get(); }
  ProfilesList* GetProfiles() const { return m_profiles.get(); }

 private:
  std::unique_ptr<cUserDataFactory> m_factory;
  std::unique_ptr<RecordsTable> m_records;
  std::unique_ptr<ProfilesList> m_profiles;
};
