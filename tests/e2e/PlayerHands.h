#pragma once
// What a player's hands do to the program under test, each step waiting on what the program shows
// or reports, never on a clock: the screen in front named in its log, and letters typed one at a
// time, each on a key of its own.

#include <functional>
#include <string>

class ProgramUnderTest;

// The screen the log last reported in front ("screen in front: NAME"); empty before the first.
std::string FrontScreen(const std::string& log);

// Polls the program's log until `name` is the screen in front; false on time-out.
bool WaitForFrontScreen(const ProgramUnderTest& program, const std::string& name, int timeout_ms);

// Clicks the logos away (top right, where no menu button lies) while they are in front, until
// another screen is; answers that screen, or "" when none came in time.
std::string PassLogos(const ProgramUnderTest& program, unsigned long window, int timeout_ms);

// Gives the window the keyboard and types `text` a letter at a time. Letters the keyboard map
// lacks are put on spare keys for good first. When `typed` is given, it is polled after each
// letter with the text typed so far until it holds. False when a letter could not be typed or
// was not seen within `timeout_ms`.
bool TypeText(unsigned long window, const std::string& text, int timeout_ms,
              const std::function<bool(const std::string& so_far)>& typed = {});
