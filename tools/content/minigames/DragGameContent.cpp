#include "tools/content/minigames/DragGameContent.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "gui/include/cFormResource.h"
#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/gui/GuiChecks.h"

namespace {

constexpr const char* kStep = "minigames";
constexpr float kTwoPi = 6.2831853f;
constexpr uint32_t kTurnFrames = 101;  // frame 100 is frame 0 again, a whole turn on

ModelBox BoxOfPoints(const std::vector<Vector3>& points) {
  ModelBox box{points.front(), points.front()};
  for (const Vector3& p : points) {
    box.minimum = {std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y), std::min(box.minimum.z, p.z)};
    box.maximum = {std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y), std::max(box.maximum.z, p.z)};
  }
  return box;
}

ModelFileSkinnedVertex NodeVertex(const ShapePoint& p) {
  return ModelFileSkinnedVertex{p.u, p.v, {ModelInfluence{0, 1.0f, Vector3(0, 0, -1), Vector3(p.x, p.y, 0)}}};
}

// One node carrying every vertex, with its key of each frame.
ModelFileData OneNodeModel(const std::string& node, const ModelBox& node_box, const std::vector<ShapePoint>& triangles,
                           const std::vector<ModelKey>& keys) {
  ModelFileData d;
  d.flags = kModelNodes | kModelTriangleList;
  d.frame_count = static_cast<uint32_t>(keys.size());
  d.first_frame = 0;
  d.nodes = {ModelFileNode{0, node, node_box, 0, 0}};
  d.node_keys = keys;
  // Corners shared by triangles are one vertex: fewer to pose every frame.
  for (const ShapePoint& p : triangles) {
    const ModelFileSkinnedVertex vertex = NodeVertex(p);
    const auto held = std::find(d.skinned.begin(), d.skinned.end(), vertex);
    d.indices.push_back(static_cast<uint16_t>(held - d.skinned.begin()));
    if (held == d.skinned.end()) d.skinned.push_back(vertex);
  }
  d.vertex_count = static_cast<uint32_t>(d.skinned.size());
  std::vector<Vector3> placed;
  for (const ModelKey& key : keys) {
    placed.push_back(key.position + node_box.minimum);
    placed.push_back(key.position + node_box.maximum);
  }
  d.bounds = {BoxOfPoints(placed)};
  return d;
}

bool Fail(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "%s: %s: %s\n", kStep, file.c_str(), why.c_str());
  return false;
}

}  // namespace

ModelFileData MakePictureQuad(float x, float y, float width, float height, float u0, float v0, float u1, float v1) {
  ModelFileData d;
  d.flags = kModelStatic | kModelTriangleList;
  const auto corner = [](float px, float py, float u, float v) {
    return ModelFileVertex{u, v, Vector3(0, 0, -1), Vector3(px, py, 0)};
  };
  d.vertices = {corner(x, y, u0, v0), corner(x + width, y, u1, v0), corner(x, y + height, u0, v1),
                corner(x + width, y + height, u1, v1)};
  d.vertex_count = 4;
  d.indices = {0, 2, 1, 1, 2, 3};
  d.bounds = {ModelBox{{x, y, 0}, {x + width, y + height, 0}}};
  return d;
}

ModelFileData MakeOutline(float x, float y, float width, float height) {
  ModelFileData d = MakePictureQuad(x, y, width, height);
  d.indices = {0, 3, 3, 1, 2, 2};
  return d;
}

ModelFileData MakeTurningShape(float pivot_x, float pivot_y, float reach, const std::vector<ShapePoint>& triangles,
                               bool clockwise) {
  std::vector<ModelKey> keys;
  for (uint32_t f = 0; f < kTurnFrames; ++f) {
    const float angle = kTwoPi * static_cast<float>(f) / static_cast<float>(kTurnFrames - 1) * (clockwise ? -1.0f : 1.0f);
    keys.push_back(ModelKey{Vector3(pivot_x, pivot_y, 0), Quaternion(0, 0, std::sin(angle * 0.5f), std::cos(angle * 0.5f)),
                            Vector3(1, 1, 1)});
  }
  return OneNodeModel("pivot", ModelBox{{-reach, -reach, 0}, {reach, reach, 0}}, triangles, keys);
}

ModelFileData MakeSlidingBlock(float x, float y, float width, float height, float step_x, float step_y, uint32_t stops,
                               float u0, float v0, float u1, float v1) {
  std::vector<ModelKey> keys;
  for (uint32_t f = 0; f <= stops; ++f) {
    keys.push_back(ModelKey{Vector3(x + step_x * static_cast<float>(f), y + step_y * static_cast<float>(f), 0),
                            Quaternion(), Vector3(1, 1, 1)});
  }
  const ShapePoint a{0, 0, u0, v0}, b{width, 0, u1, v0}, c{0, height, u0, v1}, e{width, height, u1, v1};
  return OneNodeModel("block", ModelBox{{0, 0, 0}, {width, height, 0}}, {a, c, b, b, c, e}, keys);
}

bool WriteGameModel(const ContentPaths& paths, const std::string& name, const ModelFileData& model) {
  std::string why;
  if (!IsWritableModel(model, &why)) return Fail(name, "the model cannot be written: " + why);
  cMemoryStream bytes;
  return WriteModelFile(model, bytes) &&
         WriteBuiltFile(kStep, paths.PathFor("data", ResourcePath(name) + ".mlf"), bytes);
}

bool WriteGameForm(const ContentPaths& paths, const std::string& file, const std::string& xml) {
  cMemoryStream text;
  text.Write(xml.data(), static_cast<uint32_t>(xml.size()));
  text.Seek(0, 0);
  XmlDocument list;
  if (!list.Load(text) || list.GetRoot().GetName() != "resources") return Fail(file, "the form does not read back");
  for (const XmlNode* element = list.GetRoot().GetFirstChild(); element != nullptr; element = element->GetNext()) {
    const std::string name = GetAttributeText(*element, "name");
    std::string why;
    if (!CheckGuiResource(*element, name, true, why)) return Fail(file, why);
    // A game finds its pieces by name among its direct children.
    std::set<std::string> pieces;
    for (const XmlNode* form = element->GetFirstChild(); form != nullptr; form = form->GetNext()) {
      if (form->GetName() != "form") continue;
      for (const XmlNode* piece = form->GetFirstChild(); piece != nullptr; piece = piece->GetNext()) {
        if (!pieces.insert(GetAttributeText(*piece, "name")).second) return Fail(file, "two pieces share a name");
      }
    }
  }
  cMemoryStream bytes;
  return list.SaveXmlDocument(bytes) && WriteBuiltFile(kStep, paths.PathFor("data", "minigames/" + file + ".resource"), bytes);
}

std::string FormNumber(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

bool AddGameRule(const ContentPaths& paths, const std::string& folder, const std::string& game, const RuleBox& box,
                 FormParts& parts) {
  const std::string model = game + "_rule";
  parts.models += "      <model name=\"" + model + "\"/>\n";
  parts.shaders += "      <shader name=\"" + model + "\"/>\n";
  parts.pieces += "      <text name=\"rule\" model=\"" + model + "\" font_id=\"2\" alignment=\"cc\" text_id=\"rule_" + game +
                  "\"/>\n";
  return WriteGameModel(paths, folder + model, MakeOutline(box.x, box.y, box.width, box.height));
}

bool HasMiniGames(const ContentPaths& paths) {
  std::error_code error;
  return std::filesystem::is_directory(paths.SourceFor("minigames"), error);
}
