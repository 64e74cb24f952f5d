#pragma once
// The body of a player's ".prf" file: two progress blocks, the location records and the stage.
// Writers put each field in file order (which is not the order of the fields in memory);
// readers fill fresh objects and refuse a damaged body whole.

#include <string>
#include <vector>

#include "Sources/shell/userdata/ProfileRecords.h"

class cStream;
class BinaryReader;

// Sub-locations nest at most this deep in a file; a deeper one is taken as damage (it would
// otherwise let a crafted file exhaust the stack).
constexpr int kMaxLocationDepth = 32;

struct ProfileBody {
  ProfileProgress progress;
  ProfileProgress start_progress;
  std::vector<LocationRecord> locations;
  std::string stage;

  bool operator==(const ProfileBody&) const = default;
};

bool WriteProgress(cStream& stream, const ProfileProgress& progress);
bool WriteLocationRecord(cStream& stream, const LocationRecord& record);

bool ReadProgress(BinaryReader& reader, ProfileProgress& progress);
bool ReadLocationRecord(BinaryReader& reader, LocationRecord& record, int depth = 0);
bool ReadProfileBody(BinaryReader& reader, ProfileBody& body);
