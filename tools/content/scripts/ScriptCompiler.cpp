#include "tools/content/scripts/ScriptCompiler.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Sources/adventure/script/LocationScriptFile.h"
#include "source/stream/cMemoryStream.h"

namespace fs = std::filesystem;

namespace {

void Report(const std::string& path, const ScriptFault& fault, std::string& report) {
  report += path;
  if (fault.line > 0) {
    report += ':';
    report += std::to_string(fault.line);
  }
  report += ": ";
  report += fault.text;
  report += '\n';
}

bool ReadText(const fs::path& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

bool WriteBytes(const fs::path& path, cMemoryStream& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (bytes.GetSize() > 0) file.write(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
  return static_cast<bool>(file.flush());
}

std::vector<fs::path> ScriptSources(const fs::path& folder) {
  std::vector<fs::path> sources;
  std::error_code error;
  if (!fs::is_directory(folder, error)) return sources;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && it->path().extension() == kScriptSourceExtension) {
      sources.push_back(it->path());
    }
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

// "levels/hall/desk.script" is the script of the resource "levels\hall\desk".
std::string ResourceName(const fs::path& relative) {
  std::string name = fs::path(relative).replace_extension().generic_string();
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool IsLowerCase(const std::string& text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

bool CompileScript(std::string_view source, const std::string& name, const ScriptChecks& checks, cStream& cnf,
                   std::vector<ScriptFault>& faults) {
  ParsedScript parsed;
  if (!ParseScriptSource(source, parsed, faults)) return false;
  std::vector<ScriptFault> broken = CheckScript(name, parsed, checks);
  if (!broken.empty()) {
    faults.insert(faults.end(), broken.begin(), broken.end());
    return false;
  }
  if (!WriteLocationScript(*parsed.root, cnf)) {
    faults.push_back({0, "the script could not be written"});
    return false;
  }
  return true;
}

bool CompileScriptFolder(const std::string& source_folder, const std::string& data_folder,
                         const ScriptChecks& checks, std::string& report) {
  bool all = true;
  for (const fs::path& path : ScriptSources(source_folder)) {
    const fs::path relative = fs::path(path).lexically_relative(source_folder);
    const std::string shown = path.string();
    std::vector<ScriptFault> faults;
    std::string text;
    cMemoryStream cnf;
    if (!IsLowerCase(relative.string())) {
      faults.push_back({0, "names in the game's data are lower case"});
    } else if (!ReadText(path, text)) {
      faults.push_back({0, "cannot be read"});
    } else if (CompileScript(text, ResourceName(relative), checks, cnf, faults) &&
               !WriteBytes(fs::path(data_folder) / fs::path(relative).replace_extension(".cnf"), cnf)) {
      faults.push_back({0, "its \"cnf\" file cannot be written"});
    }
    for (const ScriptFault& fault : faults) Report(shown, fault, report);
    all = all && faults.empty();
  }
  return all;
}

std::vector<std::string> ScriptResourceNames(const std::string& source_folder) {
  std::vector<std::string> names;
  for (const fs::path& path : ScriptSources(source_folder)) {
    names.push_back(ResourceName(fs::path(path).lexically_relative(source_folder)));
  }
  return names;
}

bool PrintScriptFile(cStream& cnf, std::string& source, std::string& report) {
  LocationScriptRead read = ReadLocationScript(cnf);
  if (!read.root) {
    report += "damaged script: " + read.fault + "\n";
    return false;
  }
  if (read.trailing_bytes > 0) report += std::to_string(read.trailing_bytes) + " bytes after the script's end\n";
  source = PrintScriptSource(*read.root);
  return true;
}
