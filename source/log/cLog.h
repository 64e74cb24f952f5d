#pragma once
// The program's diagnostic log: an HTML page in "log_directory" named after "short_name".
// Each entry has a level (plain, warning, error, abort); errors name their source and line.

#include <cstdarg>
#include <memory>
#include <string>

#include "source/core/Singleton.h"

enum LogLevel : int { kLogPlain = 0, kLogWarning = 1, kLogError = 2, kLogAbort = 3 };

class cLog : public Singleton<cLog> {
 public:
  cLog();
  ~cLog() override;

  bool Open();
  void SetPending(int level, const char* source, int line);
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void Write(const std::string& text);

  const std::string& GetPath() const { return m_path; }

 private:
  friend void LogReport(int level, const char* source, int line, const char* format, ...);
  struct Impl;

  // SetPending and Printf under one lock, so another thread's report cannot come between them.
  void Report(int level, const char* source, int line, const char* format, va_list args);
  void FormatAndWrite(const char* format, va_list args);
  // Appends HTML to the page (reopening it first with hard_log on); false when it cannot.
  bool WriteToFile(const std::string& html);

  std::unique_ptr<Impl> m_impl;
  std::string m_path;
};

// One report in one call: sets the pending level, source and line, then formats the message.
// Works before Open (the entry then goes to stderr) and during shut-down.
void LogReport(int level, const char* source, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
