// SplitPath: the parts of a path.

#include "source/path/Paths.h"

SplitPath::SplitPath(const std::string& whole) : path(whole) {
  const std::size_t separator = whole.find_last_of("\\/");
  if (separator == std::string::npos) {
    file_name = whole;
  } else {
    folder = whole.substr(0, separator);
    file_name = whole.substr(separator + 1);
  }
  // A dot in a folder name is no extension, so only the file name is searched.
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string::npos) {
    base_name = file_name;
  } else {
    base_name = file_name.substr(0, dot);
    extension = file_name.substr(dot + 1);
  }
}
