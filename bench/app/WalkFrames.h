#pragma once
// Keeps the frame on show as a PNG file, so that a person can see which screen a figure belongs
// to and compare a screen before and after a change of its drawing.

#include <string>

// False when there is no device or the file cannot be written.
bool KeepBackBuffer(const std::string& path);
