// Turns an engine path into one the file system understands: `\` becomes `/`, and a component
// that does not exist under its exact name is looked up without regard to case, as Windows does.

#include <dirent.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/os/os.h"

namespace os {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size(); ++i) {
    if (b[i] == '\0' || FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return b[i] == '\0';
}

// The entry of `folder` whose name equals `name` without regard to case; when several do, the
// smallest by byte order, so the answer does not depend on the directory's order.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string& found) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return false;
  bool any = false;
  while (const dirent* entry = readdir(dir)) {
    if (SameIgnoringCase(name, entry->d_name) && (!any || found > entry->d_name)) {
      found = entry->d_name;
      any = true;
    }
  }
  closedir(dir);
  return any;
}

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

std::string NativePath(const std::string& path) {
  if (path.empty()) return path;
  const bool absolute = path[0] == '/' || path[0] == '\\';
  const bool trailing = path.size() > 1 && (path.back() == '/' || path.back() == '\\');

  // The common case: the name is exact, and one lstat settles it.
  std::string direct = absolute ? "/" : "";
  for (const std::string& part : SplitComponents(path)) {
    if (!direct.empty() && direct.back() != '/') direct += '/';
    direct += part;
  }
  if (trailing && !direct.empty() && direct.back() != '/') direct += '/';
  if (direct.empty() || Exists(direct)) return direct;

  std::string result = absolute ? "/" : "";
  bool resolving = true;  // once a component is missing, nothing below it can exist
  for (const std::string& part : SplitComponents(path)) {
    const std::string prefix = result;
    if (!result.empty() && result.back() != '/') result += '/';
    if (resolving && part != "." && part != ".." && !Exists(result + part)) {
      std::string found;
      if (FindIgnoringCase(prefix, part, found)) {
        result += found;
        continue;
      }
      resolving = false;
    }
    result += part;
  }
  if (trailing && !result.empty() && result.back() != '/') result += '/';
  return result;
}

}  // namespace os
