#pragma once
// The one resource group the game cannot start without: every screen comes from "data", so a game
// without it would open a window that stays black for good.

#include <string>

class cResourceLocation;

// Why the mounted group "data" cannot be played from, or empty when it can: it is missing (null,
// or neither a pack file nor a folder), a damaged pack, a folder that could not be read whole, it
// holds no resources, or it lacks the files the game starts from (the stage list and the game
// initialisation), as another program's data group would.
std::string DescribeGameDataFault(const cResourceLocation* data);
