#pragma once
// Keeps the frame on show as a PNG file, so that a person can see which screen a figure belongs
// to and compare a screen before and after a change of its drawing.

#include <string>

// False when there is no device or the file cannot be written, and when the frame kept is of a
// single colour: no screen of the game is, so it was read from the wrong buffer.
bool KeepBackBuffer(const std::string& path);
