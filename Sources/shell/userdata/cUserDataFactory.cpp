#include "Sources/shell/userdata/cUserDataFactory.h"

#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/RecordsTable.h"

std::unique_ptr<cProfile> GameUserDataFactory::CreateProfile() { return std::make_unique<PlayerProfile>(); }

std::unique_ptr<cRecordEntry> GameUserDataFactory::CreateRecordEntry() { return std::make_unique<cRecordEntry>(); }
