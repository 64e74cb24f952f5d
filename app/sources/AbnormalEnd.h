#pragma once
// The ways the program ends without the player asking: a start-up that cannot go on, and the
// display lost while playing. Each is logged and told on the terminal in one line, because a
// player who started the game from a shell would otherwise see nothing at all.

#include <string>

// Logs `why` at abort level and prints "Velmaris: <why> (see <log>)" on stderr.
void ReportAbnormalEnd(const std::string& why);
// Prints "Velmaris: <why> (see <log>)" on stderr only, for a failure logged already.
void TellTerminal(const std::string& why);

// The window service's display-lost handler: reports the loss, saves the player's progress and
// the configuration (they are in memory, and the disk is fine). The process then ends with 1.
void EndAfterDisplayLost();
