#pragma once
// Writes pictures the tests saw as PNG files, so that a person can look at them: rows top first,
// 8-bit RGB.

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width x height pixels of three bytes, the top row first. False when the file
// cannot be written.
bool WritePng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);
