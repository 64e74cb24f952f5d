#include "tools/profilecheck/PlayerFilesCheck.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserFile.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/stream/cMemoryStream.h"
#include "source/text/TextConversion.h"

namespace {

namespace fs = std::filesystem;

enum class FileState { kMissing, kWhole, kRefused };

// Reads the file (a plain file no larger than the game reads) and hands it to `parse`.
FileState Check(const fs::path& path, const std::function<bool(cStream&)>& parse) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(path, error))) return FileState::kMissing;
  if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > UserFile::kMaxSize) return FileState::kRefused;
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) return FileState::kRefused;
  if (bytes.empty()) return FileState::kRefused;  // an emptied file holds no game
  cMemoryStream stream;
  if (stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size())) != bytes.size()) return FileState::kRefused;
  stream.Seek(0, 0);
  return parse(stream) ? FileState::kWhole : FileState::kRefused;
}

const char* Describe(FileState state) {
  switch (state) {
    case FileState::kMissing: return "missing";
    case FileState::kWhole: return "whole";
    case FileState::kRefused: return "damaged";
  }
  return "";
}

}  // namespace

PlayerFilesReport CheckPlayerFiles(const std::string& user_folder) {
  PlayerFilesReport report;
  const fs::path data = fs::path(user_folder) / "usersdata";
  GameUserDataFactory factory("");
  std::vector<std::u16string> names;
  std::u16string current;
  const auto parse_list = [&](cStream& content) { return ProfilesList::Parse(content, factory, names, current); };
  const fs::path list = data / "profiles.pmf";
  // The backup first: the names kept are the list's own when it reads (Parse leaves them alone
  // when it refuses), else the backup's, as the game would take them.
  const FileState backup_state = Check(list.string() + ".bak", parse_list);
  const FileState list_state = Check(list, parse_list);
  report.lines.push_back("profiles.pmf " + std::string(Describe(list_state)) + ", its backup " + Describe(backup_state));
  for (const auto& [state, name] : {std::pair{list_state, "profiles.pmf"}, std::pair{backup_state, "profiles.pmf.bak"}}) {
    if (state == FileState::kRefused) report.findings.push_back(std::string(name) + " is damaged or empty");
  }
  report.players = static_cast<int>(names.size());
  for (const std::u16string& name : names) {
    const std::string utf8 = WideToUtf8(name);
    const fs::path file = data / "profiles" / (cProfile::FileNameFor(name) + ".prf");
    const auto parse_profile = [](cStream& content) {
      PlayerProfile profile;
      return profile.ReadContent(content);
    };
    const FileState own = Check(file, parse_profile);
    const FileState backup = Check(file.string() + ".bak", parse_profile);
    report.lines.push_back("player \"" + utf8 + "\"" + (name == current ? " (current)" : "") + ": " +
                           file.filename().string() + " " + Describe(own) + ", its backup " + Describe(backup));
    if (own != FileState::kWhole && backup != FileState::kWhole) {
      report.findings.push_back("the player \"" + utf8 + "\" has no whole " + file.filename().string() + " nor backup");
    } else if (own == FileState::kRefused || backup == FileState::kRefused) {
      report.findings.push_back("a file of the player \"" + utf8 + "\" is damaged or empty");
    }
  }
  // A player file no listed name leads to: the game lists it again at its next start, under the
  // name its digits give.
  std::set<std::string> listed;
  for (const std::u16string& name : names) listed.insert(cProfile::FileNameFor(name));
  std::error_code listing;
  for (fs::directory_iterator it(data / "profiles", listing), end; !listing && it != end; it.increment(listing)) {
    const std::string file = it->path().filename().string();
    std::string digits;
    for (const char* extension : {".prf", ".prf.bak"}) {
      const std::string end_of = extension;
      if (file.size() > end_of.size() && file.compare(file.size() - end_of.size(), end_of.size(), end_of) == 0) {
        digits = file.substr(0, file.size() - end_of.size());
      }
    }
    const std::u16string name = ProfilesList::NameFromFileName(digits);
    if (name.empty() || listed.count(digits) != 0) continue;
    report.findings.push_back("the player file " + file + " is not listed (its digits give the name \"" +
                              WideToUtf8(name) + "\")");
  }
  // The game keeps every file it refused aside as ".bad": one is there only when a file was damaged.
  std::error_code error;
  for (fs::recursive_directory_iterator it(user_folder, error), end; !error && it != end; it.increment(error)) {
    const std::string file = it->path().filename().string();
    if (file.find(".bad") != std::string::npos) report.findings.push_back(it->path().string() + " was kept aside as damaged");
  }
  return report;
}
