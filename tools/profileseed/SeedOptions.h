#pragma once
// What velmaris-profile-seed may give a seeded player beyond the stage: the town map, the lens
// that opens the hint search, hints, items in the inventory and a diary with its tabs to open.

#include <string>
#include <vector>

class PlayerProfile;

// Applies "map", "lens", "hints=N", "items=NAME[,NAME...]" and "diary" to a player just reset;
// false (the player left as it was) when an option is none of these or its value is bad.
bool ApplySeedOptions(PlayerProfile& player, const std::vector<std::string>& options);
