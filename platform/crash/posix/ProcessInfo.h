#pragma once
// What the crash handler gathers about the process without allocating: facts taken once at
// install (the program's path, the time zone's offset) and read again at the crash (the clock,
// the current folder).

#include <cstddef>
#include <cstdint>

#include "platform/crash/crash.h"

namespace crash {

// Taken at install, outside any handler (reads /proc/self/exe and the time zone).
void CaptureProcessFacts();
// The program's path as captured; "" before CaptureProcessFacts.
const char* ExecutablePath();
// The wall clock in local time, with the offset captured at install (async-signal-safe).
LocalTime CurrentLocalTime();
// The civil date of a count of seconds since 1970 (no time zone).
LocalTime CivilTime(int64_t seconds);
// The current folder into `buffer`; "" when it cannot be read (async-signal-safe).
void CurrentDirectory(char* buffer, std::size_t size);

}  // namespace crash
