#pragma once
// What every end-to-end test program does first, as the game's own entry does: the user folder,
// the configuration and the log, the window titled `title`, timers, input, the render window,
// sound and the GUI, with the close button ending the program.

#include <string>

// False when the window or the render device could not be made.
bool StartDriverProgram(const std::string& title);
// Mounts the sample game's data groups found beside the program.
void MountSampleGroups();
// The GUI at its reference size, its cursors shown through the application; answers the cursor
// (none without one) for the program to give it its cursors.
class GUICursor;
GUICursor* StartDriverGui();
// The game's font slots and texts as its start-up sets them: the mini-games' displays and
// documents draw in them.
void SetGameFonts();
// What every test program undoes at its end, as the game's own entry does; answers `result`.
int EndDriverProgram(int result);
