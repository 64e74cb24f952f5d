#pragma once
// Runs the content tool built beside the test binary, as the build runs it, and keeps what it
// printed on both streams.

#include <string>

struct ContentToolRun {
  int status = -1;  // the exit code, or -1 when it did not exit
  std::string output;
};

// A path quoted for the shell.
std::string ShellQuoted(const std::string& path);
// `arguments` are passed to the shell as they stand.
ContentToolRun RunContentTool(const std::string& arguments);
