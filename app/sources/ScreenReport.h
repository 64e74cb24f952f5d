#pragma once
// Tells the log which screen the player has in front of them: after a frame is shown, the
// innermost dialog on the GUI's active path once it is fully shown (working), whenever that
// changes. Scripts that drive the program from outside wait on these lines.

#include <string>

// The name of the innermost working dialog on the active path; empty when there is none or it is
// still appearing or going.
std::string FrontScreenName();

// Logs "screen in front: NAME" when the front screen differs from the one logged last.
void ReportFrontScreen();
