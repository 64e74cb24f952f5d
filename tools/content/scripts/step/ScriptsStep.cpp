// The scripts step: the location scripts of content/scripts become "cnf" resources of the same
// relative names in "data"; a script that breaks a rule fails the build. The command
// "--print-script FILE.cnf" prints a built script back as source.

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <utility>
#include <set>
#include <string>
#include <vector>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "platform/os/os.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/scripts/ScriptCompiler.h"
#include "tools/content/scripts/PicturePieces.h"
#include "tools/content/scripts/ScriptDataChecks.h"

namespace {

// The phrase lists of each location (close-ups nested in theirs) said in every language of
// content/phrases: a key is known only when each language has it. The tooltips are kept per
// language.
bool GatherHintKeys(const ContentPaths& paths, ScriptData& data) {
  std::vector<std::string> languages, files;
  os::ListDirectory(paths.SourceFor("phrases"), languages, files);
  bool first = true;
  bool read = true;
  for (const std::string& language : languages) {
    std::map<std::string, std::set<std::string>> keys;
    std::map<std::string, std::set<std::string>>& tooltips = data.tooltips[language];
    read = ForEachRecipe(paths.SourceFor("phrases/" + language), "locations", [&](const XmlNode& root) {
      for (const XmlNode* top = root.GetFirstChild(); top != nullptr; top = top->GetNext()) {
        if (top->GetName() != "location") continue;
        const std::string folder = RecipeText(*top, "name");
        std::vector<std::pair<const XmlNode*, std::string>> places = {{top, folder}};
        for (const XmlNode* sub = top->GetFirstChild(); sub != nullptr; sub = sub->GetNext()) {
          if (sub->GetName() == "location") places.push_back({sub, RecipeText(*sub, "name")});
        }
        for (const auto& [place, name] : places) {
          const std::string script = "levels\\" + folder + "\\" + name;
          std::set<std::string>& lists = keys[script];
          std::set<std::string>& tips = tooltips[script];
          for (const XmlNode* said = place->GetFirstChild(); said != nullptr; said = said->GetNext()) {
            if (said->GetName() == "hint") lists.insert(RecipeText(*said, "name"));
            if (said->GetName() == "tooltip") tips.insert(RecipeText(*said, "name"));
          }
        }
      }
    }) && read;
    if (first) {
      data.hint_keys = keys;
      first = false;
      continue;
    }
    for (auto& [script, lists] : data.hint_keys) {
      std::set<std::string> both;
      for (const std::string& key : lists) {
        if (keys[script].count(key) != 0) both.insert(key);
      }
      lists = both;
    }
  }
  return read;
}

// "<object>_a" beside "<object>" is the highlight drawn over it, no object of its own.
bool IsHighlight(const std::string& name, const std::set<std::string>& objects) {
  return name.size() > 2 && name.compare(name.size() - 2, 2, "_a") == 0 &&
         objects.count(name.substr(0, name.size() - 2)) != 0;
}

// What the scripts are checked against: the scenes of content/levels (their objects, without the
// highlights), the sounds the sound step made, the mini-games and the scripts themselves.
bool GatherScriptData(const ContentPaths& paths, ScriptData& data) {
  const bool read = ForEachRecipe(paths.SourceFor("levels"), "location", [&data](const XmlNode& location) {
    const std::string script = "levels\\" + RecipeText(location, "folder") + "\\" + RecipeText(location, "name");
    std::set<std::string>& objects = data.scene_objects[script];
    for (const XmlNode* object = location.GetFirstChild(); object != nullptr; object = object->GetNext()) {
      objects.insert(RecipeText(*object, "name"));
    }
    std::set<std::string>& pointed = data.pointed_objects[script];
    for (const XmlNode* object = location.GetFirstChild(); object != nullptr; object = object->GetNext()) {
      const std::string name = RecipeText(*object, "name");
      if (RecipeText(*object, "kind", "i") == "i" && !IsHighlight(name, objects)) pointed.insert(name);
    }
    for (auto name = objects.begin(); name != objects.end();) {
      name = IsHighlight(*name, objects) ? objects.erase(name) : std::next(name);
    }
  });
  std::vector<std::string> folders, files;
  os::ListDirectory(paths.PathFor("data", "audio/game"), folders, files);
  for (const std::string& file : files) data.sounds.insert(file.substr(0, file.rfind('.')));
  data.games.insert(KnownMiniGameNames().begin(), KnownMiniGameNames().end());
  data.read_only_games.insert(ReadOnlyMiniGameNames().begin(), ReadOnlyMiniGameNames().end());
  for (const std::string& name : ScriptResourceNames(paths.SourceFor("scripts"))) data.scripts.insert(name);
  auto inventory = data.scene_objects.find("levels\\inventory\\inventory");
  if (inventory != data.scene_objects.end()) data.items = inventory->second;
  return read && GatherHintKeys(paths, data);
}

// The cells each diary picture's box draws, by picture number: its place on the diary's picture
// page ("picture_stroke_<window>") is drawn by the shader "gui\diary_stroke_<cells>", or by
// "gui\diary_stroke", which draws six.
std::map<int, int> GatherBoxCells(const ContentPaths& paths) {
  std::map<std::string, int> by_window;
  ForEachRecipe(paths.SourceFor("gui"), "resources", [&by_window](const XmlNode& root) {
    for (const XmlNode* resource = root.GetFirstChild(); resource != nullptr; resource = resource->GetNext()) {
      if (RecipeText(*resource, "name") != "gui\\diary\\diary_picture") continue;
      const XmlNode* form = resource->GetFirstChild();
      while (form != nullptr && form->GetName() != "form") form = form->GetNext();
      for (const XmlNode* window = form != nullptr ? form->GetFirstChild() : nullptr; window != nullptr;
           window = window->GetNext()) {
        const std::string name = RecipeText(*window, "name");
        const std::string shader = RecipeText(*window, "shader");
        static const std::string kStroke = "gui\\diary_stroke";
        if (name.rfind("picture_stroke_", 0) != 0 || shader.rfind(kStroke, 0) != 0) continue;
        if (shader == kStroke) {
          by_window[name] = 6;
        } else if (shader.size() > kStroke.size() + 1 && shader[kStroke.size()] == '_') {
          by_window[name] = std::atoi(shader.c_str() + kStroke.size() + 1);
        }
      }
    }
  });
  std::map<int, int> cells;
  for (std::size_t n = 0; n < DiaryWindow::kPictureWindowNumbers.size(); ++n) {
    auto found = by_window.find("picture_stroke_" + std::to_string(DiaryWindow::kPictureWindowNumbers[n]));
    if (found != by_window.end()) cells[static_cast<int>(n)] = found->second;
  }
  return cells;
}

bool BuildScripts(const ContentPaths& paths) {
  ScriptData data;
  if (!GatherScriptData(paths, data)) return false;
  ScriptChecks checks = ScriptOnlyChecks();
  AddScriptDataChecks(data, checks);
  std::string report;
  bool built = CompileScriptFolder(paths.SourceFor("scripts"), paths.PathFor("data", ""), checks, report);
  built = CheckPicturePieces(paths.SourceFor("scripts"), GatherBoxCells(paths), report) && built;
  std::fputs(report.c_str(), stderr);
  return built;
}

int PrintScript(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    std::fprintf(stderr, "usage: velmaris-content --print-script FILE.cnf\n");
    return 2;
  }
  std::FILE* file = std::fopen(arguments[0].c_str(), "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "%s: cannot be read\n", arguments[0].c_str());
    return 1;
  }
  cMemoryStream bytes;
  char buffer[65536];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.Write(buffer, static_cast<uint32_t>(read));
  }
  std::fclose(file);
  bytes.Seek(0, 0);
  std::string source;
  std::string report;
  const bool printed = PrintScriptFile(bytes, source, report);
  if (!report.empty()) std::fprintf(stderr, "%s: %s", arguments[0].c_str(), report.c_str());
  std::fputs(source.c_str(), stdout);
  return printed ? 0 : 1;
}

}  // namespace

VELMARIS_CONTENT_STEP("scripts", 60, BuildScripts);
VELMARIS_CONTENT_COMMAND("print-script", PrintScript);
