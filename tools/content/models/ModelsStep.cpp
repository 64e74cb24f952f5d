// The models of the sample game: every recipe in content/models (one XML file a model, root
// <model name=".." kind="quad|sails|banner|gem" .../>) built by its shape and written into "data"
// as an "mlf" file through the engine's model writer.

#include <cstdio>
#include <string>

#include "platform/os/os.h"
#include "source/model/ModelFileWriter.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/models/ModelShapes.h"

namespace {

uint32_t Count(const XmlNode& node, const char* name, int fallback, int most) {
  const int value = RecipeInteger(node, name, fallback);
  if (value < 1 || value > most) throw RecipeError{std::string("\"") + name + "\" must be 1 to " + std::to_string(most)};
  return static_cast<uint32_t>(value);
}

ModelFileData Shape(const XmlNode& m) {
  const std::string kind = RecipeText(m, "kind");
  const auto n = [&m](const char* name, float fallback = 0.0f) { return RecipeNumber(m, name, fallback); };
  const uint32_t first = static_cast<uint32_t>(RecipeInteger(m, "first_frame", 0));
  if (kind == "quad") return MakeQuad(n("x"), n("y"), n("width", 1), n("height", 1), n("z"));
  if (kind == "sails") {
    return MakeSails(Count(m, "blades", 4, 16), n("length", 100), n("width", 30), Count(m, "frames", 16, 1000), first);
  }
  if (kind == "banner") {
    return MakeBanner(Count(m, "columns", 8, 100), Count(m, "rows", 4, 100), n("width", 100), n("height", 60),
                      n("wave", 8), Count(m, "frames", 12, 1000), first);
  }
  if (kind == "gem") return MakeGem(Count(m, "facets", 8, 1000), n("radius", 20));
  throw RecipeError{"unknown kind \"" + kind + "\""};
}

bool MakeModel(const ContentPaths& paths, const std::string& recipe_file) {
  cFileStream source(recipe_file, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  XmlDocument recipe;
  if (!source.IsOpen() || !recipe.Load(source) || recipe.GetRoot().GetName() != "model") {
    std::fprintf(stderr, "velmaris-content: %s is not a <model> recipe\n", recipe_file.c_str());
    return false;
  }
  try {
    const std::string name = RecipeText(recipe.GetRoot(), "name");
    if (name.empty()) throw RecipeError{"a model needs a name"};
    const ModelFileData data = Shape(recipe.GetRoot());
    std::string why;
    if (!IsWritableModel(data, &why)) throw RecipeError{"the shape cannot be written: " + why};
    cMemoryStream bytes;
    WriteModelFile(data, bytes);
    cFileStream file(paths.PathFor("data", ResourcePath(name) + ".mlf"), os::kCreateAlways, os::kAccessWrite, os::kShareRead);
    if (!file.IsOpen() || file.Write(bytes.GetData(), bytes.GetSize()) != bytes.GetSize()) {
      throw RecipeError{"could not write " + name};
    }
  } catch (const RecipeError& error) {
    std::fprintf(stderr, "velmaris-content: %s: %s\n", recipe_file.c_str(), error.text.c_str());
    return false;
  }
  return true;
}

bool MakeModels(const ContentPaths& paths) {
  for (const std::string& file : RecipeFiles(paths.SourceFor("models"), ".xml")) {
    if (!MakeModel(paths, file)) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("models", 20, MakeModels);
