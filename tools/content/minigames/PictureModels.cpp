// The mini-games' picture models: every recipe in content/minigames/pictures (root
// <pictures folder="minigames\...\">, children <picture name=".." cells=".." frames=".." pulse=".."/>)
// becomes a unit quad whose morph frames carry the texture coordinates of one cell each of a
// one-row atlas of `across` cells (as many as `cells` when not given), so that a piece shows
// picture k at animation position k. With more frames than cells the pictures repeat (a piece
// whose shader walks the atlas keeps `cells` at 1); `pulse` swells the quad by that share and back over the frames (a
// glow breathing while it burns). Written into "data" as "mlf" files beside the game's form.

#include <algorithm>
#include <cmath>
#include <string>

#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"

namespace {

constexpr int kMostCells = 64;
constexpr int kMostFrames = 1000;
constexpr float kPi = 3.14159265f;

ModelFileData MakePicture(uint32_t cells, uint32_t across, uint32_t frames, float pulse) {
  ModelFileData d;
  d.flags = kModelMorph | kModelTriangleList;
  d.frame_count = std::max(frames, 2u);
  d.vertex_count = 4;
  for (uint32_t f = 0; f < d.frame_count; ++f) {
    const float cell = static_cast<float>(f % cells);
    const float u0 = cell / static_cast<float>(across), u1 = (cell + 1.0f) / static_cast<float>(across);
    const float swell = 1.0f + pulse * std::sin(kPi * static_cast<float>(f) / static_cast<float>(d.frame_count - 1));
    const float lo = 0.5f - 0.5f * swell, hi = 0.5f + 0.5f * swell;
    const auto corner = [](float x, float y, float u, float v) {
      return ModelFileVertex{u, v, Vector3(0, 0, -1), Vector3(x, y, 0)};
    };
    d.vertices.push_back(corner(lo, lo, u0, 0));
    d.vertices.push_back(corner(hi, lo, u1, 0));
    d.vertices.push_back(corner(lo, hi, u0, 1));
    d.vertices.push_back(corner(hi, hi, u1, 1));
    d.bounds.push_back(ModelBox{Vector3(lo, lo, 0), Vector3(hi, hi, 0)});
  }
  d.indices = {0, 2, 1, 1, 2, 3};
  return d;
}

void MakePictures(const ContentPaths& paths, const XmlNode& root) {
  const std::string folder = RecipeText(root, "folder");
  if (folder.empty() || folder.back() != '\\') throw RecipeError{"\"folder\" must end with \\"};
  for (const XmlNode* picture = root.GetFirstChild(); picture != nullptr; picture = picture->GetNext()) {
    if (picture->GetName() != "picture") continue;
    const std::string name = RecipeText(*picture, "name");
    const int cells = RecipeInteger(*picture, "cells", 1);
    const int across = RecipeInteger(*picture, "across", cells);
    const int frames = RecipeInteger(*picture, "frames", cells);
    const float pulse = RecipeNumber(*picture, "pulse", 0.0f);
    if (name.empty() || cells < 1 || across < cells || across > kMostCells || frames < cells || frames > kMostFrames ||
        !(std::fabs(pulse) < 1.0f)) {
      throw RecipeError{"a picture needs a name, 1 to 64 cells across, as many frames or more (at most 1000) and a pulse below 1"};
    }
    const ModelFileData data = MakePicture(static_cast<uint32_t>(cells), static_cast<uint32_t>(across),
                                           static_cast<uint32_t>(frames), pulse);
    std::string why;
    if (!IsWritableModel(data, &why)) throw RecipeError{name + ": " + why};
    cMemoryStream bytes;
    WriteModelFile(data, bytes);
    WriteRecipeOutput(paths.PathFor("data", ResourcePath(folder + name) + ".mlf"), bytes.GetData(), bytes.GetSize());
  }
}

bool MakeAllPictures(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("minigames/pictures"), "pictures",
                       [&paths](const XmlNode& root) { MakePictures(paths, root); });
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_pictures", 21, MakeAllPictures);
