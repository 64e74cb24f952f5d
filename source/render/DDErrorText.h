#pragma once
// Turns a failed DirectDraw or Direct3D result into one error line in the log, naming the failing
// call's text, the source file and line, and a description of the code.

#include <cstddef>
#include <cstdint>
#include <string>

// Does nothing for a result that is not negative. Otherwise writes one level-2 log entry
// "Direct3D Subsystem (<expression>): <description>" for the given source and line.
void DDErrorText(const char* expression, int32_t result, const char* source, int line);

// The description of a result code; "Unknown error (Code: 0x........)" for a code not known.
std::string DDErrorDescription(int32_t result);

// The codes the lookup knows, in the order it compares them (for tests).
int32_t DDErrorCodeAt(std::size_t index);
std::size_t DDErrorCodeCount();
