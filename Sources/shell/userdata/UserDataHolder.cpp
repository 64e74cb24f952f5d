#include "Sources/shell/userdata/UserDataHolder.h"

#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/RecordsTable.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/log/cLog.h"

UserDataHolder::UserDataHolder() = default;

UserDataHolder::~UserDataHolder() {
  m_profiles.reset();
  m_records.reset();
  m_factory.reset();
}

void UserDataHolder::Install(std::unique_ptr<cUserDataFactory> factory) {
  if (!factory) return;
  if (!factory->HasUserFolder()) {
    LogReport(kLogError, "Sources\\shell\\UserDataHolder", __LINE__, "no user folder: player files are not read or written");
  }
  // The old list and records refer to the old factory: they go before it does.
  m_profiles.reset();
  m_records.reset();
  m_factory = std::move(factory);
  m_records = std::make_unique<RecordsTable>(*m_factory);
  m_profiles = std::make_unique<ProfilesList>(*m_factory);
}
