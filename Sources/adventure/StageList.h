#pragma once
// The stages of the adventure in play order, read from "levels\stage": each names its location,
// the comics pages or map travel shown before its first visit and after its end, its music, and
// whether the walk to the next stage passes it by.

#include <string>
#include <vector>

class XmlNode;

struct StageRecord {
  std::string name;
  std::vector<std::string> start_windows;
  std::vector<std::string> stop_windows;
  std::string music;
  bool skip = false;
};

// The "location" children of the root in file order; other children are ignored.
std::vector<StageRecord> ReadStageList(const XmlNode& root);

// A map-travel entry ("map_3_4"): its first three characters are "map".
bool IsMapTravelEntry(const std::string& entry);
// The two numbers of a map-travel entry (after its first four characters, split at the first
// "_"); a part that is no decimal number reads as 0.
void ParseMapTravelEntry(const std::string& entry, int& from, int& to);
// The number after a name's last "_" minus one; -1 when the name has no "_" (or no number).
int StageIndexOf(const std::string& name);
