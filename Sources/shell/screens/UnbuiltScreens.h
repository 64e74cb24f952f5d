#pragma once
// A screen the game cannot build, its form missing or damaged in the game data, is said to the
// player instead of leaving a black or dead screen. A report waits until nothing covers the screen
// (the logos), then a message box tells it. The main menu and the first player's name prompt are
// screens the game cannot go on without: OK (or closing the window) ends the program, which says
// so on the terminal and ends with status 1. Where not even the message box can be built, the
// program ends at once the same way.

#include <string>

// Logs that `screen` cannot be built and keeps the report for the player. One report a screen;
// a later fatal one makes it fatal.
void ReportUnbuiltScreen(const std::string& screen, bool fatal);
// Shows the waiting report, if any; called each frame once the screen is the player's.
void ShowUnbuiltScreenReports();
// Why the program must end, or empty.
const std::string& GetShellFailure();
// Forgets every report and the failure (a game made again, in tests).
void ResetUnbuiltScreens();
