// The mini-games' picture models: every recipe in content/minigames/models (root <models>, each
// <model name=".." .../> one model) is a flat picture centred on its origin whose texture
// coordinates pick one cell of an atlas, a row of equal cells. With more than one frame the model
// is morphed: frame by frame the picture slides from its "from" offset to its "to" offset and its
// cell steps on by "step", so that a rod slides, a cover opens or a nut turns as its animation
// plays. Each is written into "data" as an "mlf" file where the game's form looks for it.

#include <string>

#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"

namespace {

struct PictureRecipe {
  float width = 1.0f, height = 1.0f;
  uint32_t columns = 1, cell = 0, frames = 1, step = 0;
  float from_x = 0.0f, from_y = 0.0f, to_x = 0.0f, to_y = 0.0f;
};

void AddFrame(const PictureRecipe& r, uint32_t frame, ModelFileData& d) {
  const float t = r.frames > 1 ? static_cast<float>(frame) / static_cast<float>(r.frames - 1) : 0.0f;
  const float x = r.from_x + (r.to_x - r.from_x) * t - r.width * 0.5f;
  const float y = r.from_y + (r.to_y - r.from_y) * t - r.height * 0.5f;
  const uint32_t cell = (r.cell + frame * r.step) % r.columns;
  const float u0 = static_cast<float>(cell) / static_cast<float>(r.columns);
  const float u1 = static_cast<float>(cell + 1) / static_cast<float>(r.columns);
  const auto corner = [](float cx, float cy, float u, float v) {
    return ModelFileVertex{u, v, Vector3(0, 0, -1), Vector3(cx, cy, 0)};
  };
  const std::size_t first = d.vertices.size();
  d.vertices.push_back(corner(x, y, u0, 0));
  d.vertices.push_back(corner(x + r.width, y, u1, 0));
  d.vertices.push_back(corner(x, y + r.height, u0, 1));
  d.vertices.push_back(corner(x + r.width, y + r.height, u1, 1));
  d.bounds.push_back(ModelBox{d.vertices[first].position, d.vertices[first + 3].position});
}

ModelFileData MakePicture(const PictureRecipe& r) {
  ModelFileData d;
  d.flags = (r.frames > 1 ? kModelMorph : kModelStatic) | kModelTriangleList;
  d.frame_count = r.frames;
  d.vertex_count = 4;
  for (uint32_t frame = 0; frame < r.frames; ++frame) AddFrame(r, frame, d);
  d.indices = {0, 1, 2, 2, 1, 3};
  return d;
}

uint32_t Count(const XmlNode& node, const char* name, int fallback, int least, int most) {
  const int value = RecipeInteger(node, name, fallback);
  if (value < least || value > most) {
    throw RecipeError{std::string("\"") + name + "\" must be " + std::to_string(least) + " to " + std::to_string(most)};
  }
  return static_cast<uint32_t>(value);
}

void MakeModel(const ContentPaths& paths, const XmlNode& m) {
  const std::string name = RecipeText(m, "name");
  if (name.empty()) throw RecipeError{"a model needs a name"};
  PictureRecipe r;
  r.width = RecipeNumber(m, "width", 64);
  r.height = RecipeNumber(m, "height", 64);
  r.columns = Count(m, "columns", 1, 1, 256);
  r.cell = Count(m, "cell", 0, 0, 255);
  r.frames = Count(m, "frames", 1, 1, 1000);
  r.step = Count(m, "step", 0, 0, 255);
  r.from_x = RecipeNumber(m, "from_x", 0);
  r.from_y = RecipeNumber(m, "from_y", 0);
  r.to_x = RecipeNumber(m, "to_x", r.from_x);
  r.to_y = RecipeNumber(m, "to_y", r.from_y);
  const ModelFileData data = MakePicture(r);
  std::string why;
  if (!IsWritableModel(data, &why)) throw RecipeError{name + " cannot be written: " + why};
  cMemoryStream bytes;
  WriteModelFile(data, bytes);
  WriteRecipeOutput(paths.PathFor("data", ResourcePath(name) + ".mlf"), bytes.GetData(), bytes.GetSize());
}

bool MakePictureModels(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("minigames") + "/models", "models", [&paths](const XmlNode& root) {
    for (const XmlNode* model = root.GetFirstChild(); model != nullptr; model = model->GetNext()) {
      if (model->GetName() == "model") MakeModel(paths, *model);
    }
  });
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_models", 21, MakePictureModels);
