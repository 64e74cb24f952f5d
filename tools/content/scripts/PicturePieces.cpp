#include "tools/content/scripts/PicturePieces.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

#include "tools/content/scripts/ScriptCompiler.h"
#include "tools/content/scripts/ScriptSource.h"

namespace fs = std::filesystem;

namespace {

struct Picture {
  std::string first_place;  // "path:line" of the first piece given
  std::set<int> totals;
  int given = 0;
};

// "picture_<number>_<total>", both decimal; false for any other word.
bool ReadPictureWord(const std::string& word, int& number, int& total) {
  static constexpr std::string_view kHead = "picture_";
  if (word.compare(0, kHead.size(), kHead) != 0) return false;
  const char* at = word.data() + kHead.size();
  const char* end = word.data() + word.size();
  auto [middle, error] = std::from_chars(at, end, number);
  if (error != std::errc() || middle == at || middle == end || *middle != '_') return false;
  auto [last, error_total] = std::from_chars(middle + 1, end, total);
  return error_total == std::errc() && last == end && last != middle + 1;
}

void Gather(CommandNode& root, const ParsedScript& parsed, const std::string& path, std::map<int, Picture>& pictures) {
  ForEachCommandNode(root, [&](CommandNode& node, uint32_t) {
    if (node.type != "addcard") return;
    for (const CommandParam& parameter : node.parameters) {
      int number = 0, total = 0;
      if (!ReadPictureWord(parameter.value, number, total)) continue;
      Picture& picture = pictures[number];
      if (picture.first_place.empty()) {
        const int line = node.id < parsed.lines.size() ? parsed.lines[node.id] : 0;
        picture.first_place = path + ":" + std::to_string(line);
      }
      picture.totals.insert(total);
      picture.given += parameter.kind == 0 ? 1 : static_cast<int>(parameter.kind);
    }
  });
}

}  // namespace

bool CheckPicturePieces(const std::string& source_folder, const std::map<int, int>& box_cells, std::string& report) {
  std::map<int, Picture> pictures;
  std::error_code error;
  std::vector<fs::path> sources;
  if (fs::is_directory(source_folder, error)) {
    for (fs::recursive_directory_iterator it(source_folder, error), end; !error && it != end; it.increment(error)) {
      if (it->is_regular_file(error) && it->path().extension() == kScriptSourceExtension) sources.push_back(it->path());
    }
  }
  std::sort(sources.begin(), sources.end());
  for (const fs::path& path : sources) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ParsedScript parsed;
    std::vector<ScriptFault> faults;
    if (!ParseScriptSource(text, parsed, faults) || !parsed.root) continue;
    Gather(*parsed.root, parsed, path.string(), pictures);
  }
  bool whole = true;
  for (const auto& [number, picture] : pictures) {
    const std::string name = "picture " + std::to_string(number);
    if (picture.totals.size() > 1) {
      std::string totals;
      for (int total : picture.totals) totals += (totals.empty() ? "" : " and ") + std::to_string(total);
      report += picture.first_place + ": " + name + " is given with the totals " + totals + "\n";
      whole = false;
      continue;
    }
    const int total = *picture.totals.begin();
    if (picture.given != total) {
      report += picture.first_place + ": " + name + " has " + std::to_string(total) + " pieces, but the scripts give " +
                std::to_string(picture.given) + "\n";
      whole = false;
    }
    auto box = box_cells.find(number);
    if (box != box_cells.end() && box->second != total) {
      report += picture.first_place + ": " + name + " has " + std::to_string(total) +
                " pieces, but its box in the diary draws " + std::to_string(box->second) + " cells\n";
      whole = false;
    }
  }
  return whole;
}
