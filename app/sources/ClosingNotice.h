#pragma once
// The progress saved as the game closes: where the save fails (a full disk) the player is told in
// a box before the window goes, and the window closes at its OK or at a second close request.
// Nothing waits when the window is gone or the system asked the program to end (a signal,
// logging out): the terminal line the failed save wrote is all that is said then.

class cApplication;

// Saves the game in progress; on a failure shows the box and runs the loop until it is answered.
void SaveProgressBeforeClosing(cApplication& application);
