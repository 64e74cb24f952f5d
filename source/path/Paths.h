#pragma once
// Path services of the engine: splitting a path, the current directory and a stack of them,
// folders, file deletion, the user's data folder and the executable's folder. All strings are
// UTF-8; engine paths use `\`, and the folders the system hands back use `/` (both are accepted
// everywhere).

#include <string>
#include <vector>

// A path and its parts. The folder and file name are split at the last separator (`\`, or `/` as
// the system's own paths carry), the base name and extension at the last "." of the file name.
struct SplitPath {
  explicit SplitPath(const std::string& path);

  std::string path;       // the whole path as given
  std::string folder;     // before the last separator, without it; empty when there is none
  std::string file_name;  // after the last separator
  std::string base_name;  // the file name without the last "." and what follows
  std::string extension;  // after the last "." of the file name, without the dot; may be empty
};

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);

// Makes `path` current after pushing the current directory; PopDirectory makes the most recently
// pushed directory current again. Popping an empty stack does nothing.
void PushDirectory(const std::string& path);
void PopDirectory();

bool CreateDirectoryTree(const std::string& path);  // with every missing parent
bool DeleteFile(const std::string& path);

// The user's application-data folder, created when missing.
std::string GetAppDataFolder();
// The executable's folder without a trailing separator.
std::string GetExeDirectory();

// The entries of `folder` ("." and ".." left out): folders and files, each sorted by name. A
// folder that cannot be listed gives two empty lists.
void ListDirectory(const std::string& folder, std::vector<std::string>& folders,
                   std::vector<std::string>& files);
