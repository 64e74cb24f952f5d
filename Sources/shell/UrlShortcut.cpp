#include "Sources/shell/UrlShortcut.h"

#include <memory>
#include <vector>

#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/text/TextConversion.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\UrlShortcut";
constexpr const char* kShortcutSection = "internetshortcut";

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
  while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t' || text[last - 1] == '\r')) {
    --last;
  }
  return text.substr(first, last - first);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string ReadShortcutUrl(const std::string& text) {
  std::string section;  // lower case; empty before the first header
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    // A UTF-8 byte-order mark may open the file.
    if (StartsWith(line, "\xEF\xBB\xBF")) line = line.substr(3);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      section = ToLower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      continue;
    }
    if (!section.empty() && section != kShortcutSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (ToLower(Trim(line.substr(0, equals))) == "url") return Trim(line.substr(equals + 1));
  }
  return std::string();
}

bool IsWebAddress(const std::string& address) {
  const std::string lower = ToLower(address);
  std::size_t host = 0;
  if (StartsWith(lower, "http://")) {
    host = 7;
  } else if (StartsWith(lower, "https://")) {
    host = 8;
  } else {
    return false;
  }
  if (address.size() <= host || address[host] == '/') return false;
  for (unsigned char c : address) {
    if (c <= 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool OpenShortcutFile(const std::string& path) {
  int error = 0;
  std::unique_ptr<os::File> file = os::File::Open(path, os::kOpenExisting, os::kAccessRead, os::kShareRead, &error);
  if (!file) return false;
  std::vector<char> bytes(kMaxShortcutSize);
  int64_t total = 0;
  while (total < static_cast<int64_t>(bytes.size())) {
    const int64_t read = file->Read(bytes.data() + total, bytes.size() - static_cast<std::size_t>(total));
    if (read <= 0) break;
    total += read;
  }
  const std::string address = ReadShortcutUrl(std::string(bytes.data(), static_cast<std::size_t>(total)));
  if (!IsWebAddress(address)) {
    LogReport(kLogWarning, kSource, __LINE__, "shortcut %s holds no web address; not opened", path.c_str());
    return false;
  }
  return os::OpenWithDesktop(address);
}
