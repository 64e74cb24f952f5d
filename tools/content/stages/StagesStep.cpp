// The adventure's stage list ("levels\stage") and the get-hint search's settings
// ("game_data\ispy") and the diary's comics pages ("game_data\journal_comics"), copied once they are
// known to parse. Every stage must name a location
// whose scene the sources hold, and its pages must be forms or map travels.

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "Sources/adventure/StageList.h"
#include "source/xml/XmlDocument.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"

namespace {

bool Copy(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (error) std::fprintf(stderr, "stages: %s\n", error.message().c_str());
  return !error;
}

bool CheckStages(const ContentPaths& paths, const XmlNode& root, const std::string& source) {
  const std::vector<StageRecord> stages = ReadStageList(root);
  bool good = !stages.empty();
  if (!good) std::fprintf(stderr, "%s: no location\n", source.c_str());
  std::set<std::string> names;
  for (const StageRecord& stage : stages) {
    if (!names.insert(stage.name).second) std::fprintf(stderr, "%s: %s twice\n", source.c_str(), stage.name.c_str());
    if (!std::filesystem::exists(paths.SourceFor("levels/" + stage.name + ".xml"))) {
      std::fprintf(stderr, "%s: location %s has no scene in levels\n", source.c_str(), stage.name.c_str());
      good = false;
    }
    for (const auto* list : {&stage.start_windows, &stage.stop_windows}) {
      for (const std::string& entry : *list) {
        int from = 0;
        int to = 0;
        if (IsMapTravelEntry(entry)) ParseMapTravelEntry(entry, from, to);
        if (IsMapTravelEntry(entry) && (from < 1 || to < 1)) {
          std::fprintf(stderr, "%s: %s is no travel between two places\n", source.c_str(), entry.c_str());
          good = false;
        }
      }
    }
  }
  return good && names.size() == stages.size();
}

bool MakeStages(const ContentPaths& paths) {
  const std::string stages = paths.SourceFor("stages/stage.xml");
  if (std::filesystem::exists(stages)) {
    XmlDocument document;
    if (!ReadSourceXml("stages", stages, "stages", document) || !CheckStages(paths, document.GetRoot(), stages)) return false;
    if (!Copy(stages, paths.PathFor("data", "levels/stage.xml"))) return false;
  }
  const std::string ispy = paths.SourceFor("game_data/ispy.xml");
  if (std::filesystem::exists(ispy)) {
    XmlDocument document;
    if (!ReadSourceXml("stages", ispy, "ispy", document)) return false;
    if (!Copy(ispy, paths.PathFor("data", "game_data/ispy.xml"))) return false;
  }
  const std::string comics = paths.SourceFor("game_data/journal_comics.xml");
  if (std::filesystem::exists(comics)) {
    XmlDocument document;
    if (!ReadSourceXml("stages", comics, "journal_comics", document)) return false;
    if (!Copy(comics, paths.PathFor("data", "game_data/journal_comics.xml"))) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("stages", 64, MakeStages);
