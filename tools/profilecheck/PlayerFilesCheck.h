#pragma once
// Checks a user folder's player files with the game's own readers, without changing anything:
// the players' list ("usersdata/profiles.pmf" or its ".bak") must read, and every player it names
// must have a ".prf" or ".prf.bak" that reads whole. A file that is there but refused, and any
// ".bad" copy the game kept aside, is a finding. The soak runs it after every run of the game.

#include <string>
#include <vector>

struct PlayerFilesReport {
  std::vector<std::string> lines;     // what was found, one line a file or player
  std::vector<std::string> findings;  // what is wrong; empty when every player's game is whole
  int players = 0;
};

// `user_folder` is the game's folder under the data home ("<XDG_DATA_HOME>/Moskelt/tarvel").
PlayerFilesReport CheckPlayerFiles(const std::string& user_folder);
