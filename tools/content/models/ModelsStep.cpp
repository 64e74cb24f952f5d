// The models of the sample game: every recipe in content/models (one XML file a model, root
// <model name=".." kind="quad|outline|sails|banner|gem" .../>) built by its shape and written into "data"
// as an "mlf" file through the engine's model writer.

#include <algorithm>
#include <string>
#include <vector>

#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/models/KeyedQuad.h"
#include "tools/content/models/ModelShapes.h"

namespace {

uint32_t Count(const XmlNode& node, const char* name, int fallback, int most) {
  const int value = RecipeInteger(node, name, fallback);
  if (value < 1 || value > most) throw RecipeError{std::string("\"") + name + "\" must be 1 to " + std::to_string(most)};
  return static_cast<uint32_t>(value);
}

// A "keyed" rectangle: its <key frame=".." dx dy dz sx sy angle/> children pose it over "frames";
// "u" and "v" are the share of its picture it shows.
ModelFileData KeyedQuadOf(const XmlNode& m, uint32_t first) {
  std::vector<QuadKey> keys;
  for (const XmlNode* child = m.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() != "key") continue;
    const auto n = [child](const char* name, float fallback) { return RecipeNumber(*child, name, fallback); };
    QuadKey key;
    key.frame = static_cast<uint32_t>(std::max(0, RecipeInteger(*child, "frame", 0)));
    key.offset = Vector3(n("dx", 0), n("dy", 0), n("dz", 0));
    key.scale_x = n("sx", 1);
    key.scale_y = n("sy", 1);
    key.angle = n("angle", 0);
    keys.push_back(key);
  }
  if (keys.empty()) throw RecipeError{"a keyed model needs at least one <key>"};
  return MakeKeyedQuad(RecipeNumber(m, "x", 0), RecipeNumber(m, "y", 0), RecipeNumber(m, "width", 1),
                       RecipeNumber(m, "height", 1), RecipeNumber(m, "z", 0), Count(m, "frames", 2, 1000), first,
                       std::move(keys), RecipeNumber(m, "u", 1), RecipeNumber(m, "v", 1));
}

ModelFileData Shape(const XmlNode& m) {
  const std::string kind = RecipeText(m, "kind");
  const auto n = [&m](const char* name, float fallback = 0.0f) { return RecipeNumber(m, name, fallback); };
  const uint32_t first = static_cast<uint32_t>(RecipeInteger(m, "first_frame", 0));
  if (kind == "quad") return MakeQuad(n("x"), n("y"), n("width", 1), n("height", 1), n("z"), n("u", 1), n("v", 1));
  if (kind == "outline") {
    // The quad's box with triangles of no area: a text window lays its lines out in it, and a
    // click there is not taken by it (it is neither drawn nor picked).
    ModelFileData outline = MakeQuad(n("x"), n("y"), n("width", 1), n("height", 1), n("z"));
    outline.indices = {0, 3, 3, 1, 2, 2};
    return outline;
  }
  if (kind == "sails") {
    return MakeSails(Count(m, "blades", 4, 16), n("length", 100), n("width", 30), Count(m, "frames", 16, 1000), first);
  }
  if (kind == "banner") {
    return MakeBanner(Count(m, "columns", 8, 100), Count(m, "rows", 4, 100), n("width", 100), n("height", 60),
                      n("wave", 8), Count(m, "frames", 12, 1000), first);
  }
  if (kind == "gem") return MakeGem(Count(m, "facets", 8, 1000), n("radius", 20));
  if (kind == "keyed") return KeyedQuadOf(m, first);
  throw RecipeError{"unknown kind \"" + kind + "\""};
}

void MakeModel(const ContentPaths& paths, const XmlNode& root) {
  const std::string name = RecipeText(root, "name");
  if (name.empty()) throw RecipeError{"a model needs a name"};
  const ModelFileData data = Shape(root);
  std::string why;
  if (!IsWritableModel(data, &why)) throw RecipeError{"the shape cannot be written: " + why};
  cMemoryStream bytes;
  WriteModelFile(data, bytes);
  WriteRecipeOutput(paths.PathFor("data", ResourcePath(name) + ".mlf"), bytes.GetData(), bytes.GetSize());
}

bool MakeModels(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("models"), "model", [&paths](const XmlNode& root) { MakeModel(paths, root); });
}

}  // namespace

VELMARIS_CONTENT_STEP("models", 20, MakeModels);
