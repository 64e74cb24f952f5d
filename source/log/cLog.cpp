#include "source/log/cLog.h"

#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/os/os.h"
#include "source/log/LogFormat.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"
#include "source/stream/cFileStream.h"

namespace {

// The log file is opened for writing and created when missing; it is shared for reading.
constexpr int kLogDisposition = os::kOpenAlways;
constexpr unsigned kLogAccess = os::kAccessRead | os::kAccessWrite;
constexpr unsigned kLogShare = os::kShareRead;

// Messages are formatted into a buffer of this size; longer ones are cut.
constexpr std::size_t kEntryBufferSize = 1024;
// Reports made before the page is open (the configuration's) wait for it, up to this many.
constexpr std::size_t kMostEarlyEntries = 64;

}  // namespace

struct cLog::Impl {
  std::recursive_mutex mutex;
  bool opened = false;       // Open has run: entries go to the page rather than to stderr
  bool enabled = true;       // "log"
  bool hard_log = true;      // "hard_log": reopen, append and close for every entry
  bool file_usable = false;  // the page could be created at Open
  bool writing = false;      // an entry is being written: reports made now are not logged again
  std::unique_ptr<cFileStream> stream;
  std::string short_name;
  int level = kLogPlain;
  std::string source;
  int line = 0;
  std::vector<std::string> early;  // HTML of the entries made before Open
};

cLog::cLog() : m_impl(std::make_unique<Impl>()) {}

cLog::~cLog() {
  std::lock_guard<std::recursive_mutex> lock(m_impl->mutex);
  if (m_impl->opened && m_impl->enabled && m_impl->file_usable) {
    m_impl->writing = true;
    WriteToFile(LogTail(m_impl->short_name, LogDateNow()));
    m_impl->writing = false;
  }
  m_impl->stream.reset();
}

bool cLog::Open() {
  std::lock_guard<std::recursive_mutex> lock(m_impl->mutex);
  cProperties* properties = cProperties::GetInstance();
  m_impl->short_name = properties->GetValue("short_name");
  m_impl->enabled = ParseBool(properties->GetValue("log"));
  m_impl->hard_log = ParseBool(properties->GetValue("hard_log"));
  m_path = properties->GetValue("log_directory") + "\\" + m_impl->short_name + ".html";
  m_impl->opened = true;
  m_impl->file_usable = false;
  m_impl->stream.reset();
  if (!m_impl->enabled) return false;

  // A failed open reports itself through the log; the guard sends that report to the debug
  // output only, instead of into an endless chain of failing opens.
  m_impl->writing = true;
  auto stream = std::make_unique<cFileStream>(m_path, kLogDisposition, kLogAccess, kLogShare);
  if (stream->IsOpen()) {
    // Cut to nothing first: an older, longer log would otherwise leave its tail behind the head.
    stream->Resize(0);
    const std::string head = LogHead(m_impl->short_name, LogDateNow());
    m_impl->file_usable = stream->Write(head.data(), static_cast<uint32_t>(head.size())) == head.size();
    for (const std::string& html : m_impl->early) {
      if (m_impl->file_usable) stream->Write(html.data(), static_cast<uint32_t>(html.size()));
    }
    if (!m_impl->hard_log) m_impl->stream = std::move(stream);
  }
  m_impl->early.clear();
  m_impl->writing = false;
  return m_impl->file_usable;
}

void cLog::SetPending(int level, const char* source, int line) {
  std::lock_guard<std::recursive_mutex> lock(m_impl->mutex);
  m_impl->level = level;
  m_impl->source = source != nullptr ? source : "";
  m_impl->line = line;
}

void cLog::Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatAndWrite(format, args);
  va_end(args);
}

void cLog::FormatAndWrite(const char* format, va_list args) {
  char buffer[kEntryBufferSize];
  const int written = std::vsnprintf(buffer, sizeof buffer, format != nullptr ? format : "", args);
  if (written < 0) buffer[0] = '\0';
  Write(buffer);
}

void cLog::Report(int level, const char* source, int line, const char* format, va_list args) {
  std::lock_guard<std::recursive_mutex> lock(m_impl->mutex);
  SetPending(level, source, line);
  FormatAndWrite(format, args);
}

void cLog::Write(const std::string& text) {
  std::lock_guard<std::recursive_mutex> lock(m_impl->mutex);
  const int level = m_impl->level;
  const std::string entry = ComposeLogEntry(level, m_impl->source, m_impl->line, text);
  // Every report names its own level; a bare Printf after an error is a plain entry again.
  m_impl->level = kLogPlain;

  if (!m_impl->opened) {
    std::fputs(entry.c_str(), stderr);
    if (m_impl->early.size() < kMostEarlyEntries) m_impl->early.push_back(LogHtmlEntry(entry, LogLevelColor(level)));
    return;
  }
  if (!m_impl->writing && m_impl->enabled && m_impl->file_usable) {
    m_impl->writing = true;
    WriteToFile(LogHtmlEntry(entry, LogLevelColor(level)));
    m_impl->writing = false;
  }
  os::DebugOutput((entry + "\n").c_str());
}

bool cLog::WriteToFile(const std::string& html) {
  if (m_impl->hard_log) {
    auto stream = std::make_unique<cFileStream>(m_path, kLogDisposition, kLogAccess, kLogShare);
    if (!stream->IsOpen()) return false;
    stream->Seek(0, 2);
    return stream->Write(html.data(), static_cast<uint32_t>(html.size())) == html.size();
  }
  if (!m_impl->stream) return false;
  return m_impl->stream->Write(html.data(), static_cast<uint32_t>(html.size())) == html.size();
}

void LogReport(int level, const char* source, int line, const char* format, ...) {
  va_list args;
  va_start(args, format);
  cLog::GetInstance()->Report(level, source, line, format, args);
  va_end(args);
}
