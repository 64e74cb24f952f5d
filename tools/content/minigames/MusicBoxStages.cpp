// The music box's stages ("game_data\music_box"): content/game_data/music_box.xml, checked to
// hold its "stages" element with at least one stage of a positive time and count, and written
// into "data".

#include <cstdio>
#include <string>

#include "platform/os/os.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"

namespace {

constexpr const char* kStep = "music_box";

bool Fail(const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", kStep, why.c_str());
  return false;
}

bool MakeMusicBoxStages(const ContentPaths& paths) {
  const std::string source = paths.SourceFor("game_data/music_box.xml");
  if (!os::FileExists(source)) return true;  // a game without a music box
  XmlDocument stages;
  if (!ReadSourceXml(kStep, source, "music_box", stages)) return false;
  const XmlNode* list = stages.GetRoot().FindChildByPath("stages");
  if (list == nullptr || list->GetFirstChild() == nullptr) return Fail("no <stages> with a stage");
  for (const XmlNode* stage = list->GetFirstChild(); stage != nullptr; stage = stage->GetNext()) {
    if (!(ParseDouble(GetAttributeValue(stage, "time", "1")) > 0.0) ||
        ParseDecimalInt(GetAttributeValue(stage, "count", "1")) < 1) {
      return Fail("a stage wants a time above 0 and a count of 1 or more");
    }
  }
  cMemoryStream bytes;
  stages.SaveXmlDocument(bytes);
  try {
    WriteRecipeOutput(paths.PathFor("data", "game_data/music_box.xml"), bytes.GetData(), bytes.GetSize());
  } catch (const RecipeError& error) {
    return Fail(error.text);
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("music_box", 30, MakeMusicBoxStages);
