#pragma once
// Opens a file that ships beside the executable (a shortcut such as "play.url" or "website.url").

#include <string>

// Makes "exe_directory" current for the call; when `name` exists there, opens it: a ".url"
// shortcut opens its web address, any other file is opened with the desktop. The previous
// current directory is restored. A missing file does nothing.
void OpenExeDirectoryFile(const std::string& name);
