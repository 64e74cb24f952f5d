// The displayed texts: content/texts/<language>.xml holds one language's texts in sections. Each
// becomes the "text" resource named after the language, declared in
// "texts\<language>.resource" of the "localization" group. Every text needs an "id".

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"

namespace {

constexpr const char* kStep = "texts";

bool EveryTextHasAnId(const XmlNode& root, const std::string& source) {
  for (const XmlNode* section = root.GetFirstChild(); section != nullptr; section = section->GetNext()) {
    for (const XmlNode* text = section->GetFirstChild(); text != nullptr; text = text->GetNext()) {
      if (text->GetName() == "text" && text->FindAttribute("id") == nullptr) {
        std::fprintf(stderr, "texts: %s: a text without an \"id\"\n", source.c_str());
        return false;
      }
    }
  }
  return true;
}

bool MakeLanguage(const ContentPaths& paths, const std::filesystem::path& source) {
  XmlDocument texts;
  if (!ReadSourceXml(kStep, source.string(), "texts", texts) || !EveryTextHasAnId(texts.GetRoot(), source.string())) {
    return false;
  }
  const std::string language = source.stem().string();
  XmlDocument list("resources");
  XmlNode* resource = new XmlNode("resource");
  list.GetRoot().AppendChild(resource);
  resource->AddAttribute("name")->SetValue(language);
  resource->AddAttribute("type")->SetValue("text");
  while (XmlNode* section = texts.GetRoot().GetFirstChild()) resource->AppendChild(section);
  cMemoryStream bytes;
  return list.SaveXmlDocument(bytes) &&
         WriteBuiltFile(kStep, paths.PathFor("localization", "texts/" + language + ".resource"), bytes);
}

bool MakeTexts(const ContentPaths& paths) {
  const std::filesystem::path folder = paths.SourceFor("texts");
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return true;  // sources without texts make none
  std::vector<std::filesystem::path> sources;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".xml") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  for (const auto& source : sources) {
    if (!MakeLanguage(paths, source)) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("texts", 20, MakeTexts);
