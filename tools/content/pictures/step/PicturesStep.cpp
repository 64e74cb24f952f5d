// The last look at the data written: every resource list and scene under "data" whose elements
// name a colour picture (shaders, fonts, the shaders of scenes) gets pictures the texture combiner
// takes as they are. A fault is printed and fails the build.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "platform/os/os.h"

#include "source/stream/cFileStream.h"
#include "source/texture/Image.h"
#include "source/texture/JpegImageLoader.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlDocument.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/pictures/PicturePairs.h"

namespace {

std::optional<PictureFacts> ReadFacts(const std::string& path, ImageLoader& loader) {
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  Image image;
  if (!file.IsOpen() || !loader.Load(image, file)) return std::nullopt;
  return PictureFacts{image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel()};
}

// The written pictures of "data", read once each.
class WrittenPictures {
 public:
  explicit WrittenPictures(std::string data) : m_data(std::move(data)) {}

  std::optional<PictureFacts> Find(const std::string& name) {
    auto found = m_facts.find(name);
    if (found != m_facts.end()) return found->second;
    const std::string base = m_data + "/" + ResourcePath(name);
    std::optional<PictureFacts> facts;
    TgaImageLoader tga;
    JpegImageLoader jpeg;
    if (std::filesystem::exists(base + ".tga")) {
      facts = ReadFacts(base + ".tga", tga);
    } else if (std::filesystem::exists(base + ".jpg")) {
      facts = ReadFacts(base + ".jpg", jpeg);
    }
    return m_facts[name] = facts;
  }

 private:
  std::string m_data;
  std::map<std::string, std::optional<PictureFacts>> m_facts;
};

bool CheckPicturePairs(const ContentPaths& paths) {
  const std::string data = paths.output + "/data";
  WrittenPictures pictures(data);
  const PictureFinder find = [&pictures](const std::string& name) { return pictures.Find(name); };
  bool clean = true;
  std::vector<std::string> lists;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".resource" || extension == ".xml")) lists.push_back(entry.path().string());
  }
  std::sort(lists.begin(), lists.end());
  for (const std::string& list : lists) {
    cFileStream file(list, os::kOpenExisting, os::kAccessRead, os::kShareRead);
    XmlDocument document;
    if (!file.IsOpen() || !document.Load(file)) continue;  // not XML: no list of pictures
    for (const std::string& fault : PicturePairFaults(document.GetRoot(), find)) {
      std::fprintf(stderr, "velmaris-content: %s: %s\n", list.c_str(), fault.c_str());
      clean = false;
    }
  }
  return clean;
}

}  // namespace

// After every step that writes pictures or names them.
VELMARIS_CONTENT_STEP("picture_pairs", 90, CheckPicturePairs);
