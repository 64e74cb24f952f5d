#pragma once
// The crash report: when the program dies by a fault or an escaped exception it writes
// "crash.txt" into the current folder (date, loaded modules, what happened where, the registers,
// the stack) and starts the external reporter "bin\mb.dll" when one is installed. Everything
// runs inside a signal handler, so only async-signal-safe calls are made.

#include "platform/crash/crash.h"

// Installs `callback` as the crash handler (once a process; a later call replaces the callback).
// False for a null callback.
bool InstallCrashHandler(crash::Handler callback);

// Writes "crash.txt" for `info` and starts the reporter. The handler InstallCrashHandler takes.
void WriteCrashReport(const crash::CrashInfo& info);

// The report's name for what happened ("EXCEPTION_ACCESS_VIOLATION", ...).
const char* GetExceptionName(const crash::CrashInfo& info);
