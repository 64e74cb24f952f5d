// The shaders of the sample game: every recipe file in content/shaders (root <shaders name="..">)
// holds "resource" elements of type "shader", written as the resource list "shaders\<name>.resource"
// of "data" once each reads, packs and reads back through the engine's shader writer and reader
// unchanged and every texture it names exists; and <net> elements, animation nets painted here
// (flame frames across and down, a colour picture and its "_a" opacity picture).

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "source/shaders/ShaderFile.h"
#include "source/shaders/ShaderXml.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/EffectRecipe.h"
#include "tools/content/RecipeXml.h"

namespace {

constexpr float kTwoPi = 6.2831853f;

Vector4 Mix(const Vector4& a, const Vector4& b, float t) { return a * (1.0f - t) + b * t; }

// One flame in a cell: a teardrop standing on the cell's lower part that sways and stretches
// from frame to frame. Rows count from the bottom.
void PaintFlame(Image& color, Image& alpha, uint32_t x0, uint32_t y0, uint32_t cell, uint32_t frame, uint32_t frames) {
  const float phase = kTwoPi * static_cast<float>(frame) / static_cast<float>(frames);
  const float size = static_cast<float>(cell);
  const float base = size * 0.12f, height = size * (0.66f + 0.1f * std::sin(2.0f * phase));
  const float sway = size * 0.06f * std::sin(phase), width = size * 0.2f;
  const Vector4 core(1.0f, 0.97f, 0.8f, 1.0f), middle(1.0f, 0.75f, 0.25f, 1.0f), edge(0.88f, 0.3f, 0.06f, 1.0f);
  for (uint32_t y = 0; y < cell; ++y) {
    const float t = (static_cast<float>(y) - base) / height;  // 0 at the wick, 1 at the tip
    for (uint32_t x = 0; x < cell; ++x) {
      float cover = 0.0f;
      float inner = 1.0f;
      if (t > -0.15f && t < 1.0f) {
        const float half = width * std::sqrt(std::max(t + 0.15f, 0.0f)) * std::pow(1.0f - t, 0.9f) * 1.6f;
        const float dx = std::fabs(static_cast<float>(x) - size * 0.5f - sway * t * t);
        inner = half > 0.0f ? dx / half : 1.0f;
        cover = SoftDisc(inner, 1.0f, 0.5f);
      }
      const Vector4 c = inner < 0.5f ? Mix(core, middle, inner * 2.0f) : Mix(middle, edge, std::min(1.0f, inner * 2.0f - 1.0f));
      uint8_t* rgb = color.Row(y0 + y) + 3 * (x0 + x);
      rgb[0] = static_cast<uint8_t>(std::lround(c.x * 255.0f));
      rgb[1] = static_cast<uint8_t>(std::lround(c.y * 255.0f));
      rgb[2] = static_cast<uint8_t>(std::lround(c.z * 255.0f));
      alpha.Row(y0 + y)[x0 + x] = static_cast<uint8_t>(std::lround(std::clamp(cover, 0.0f, 1.0f) * 255.0f));
    }
  }
}

void PaintNet(const ContentPaths& paths, const XmlNode& net) {
  const std::string picture = RecipeText(net, "picture");
  const auto across = static_cast<uint32_t>(RecipeInteger(net, "across", 1));
  const auto down = static_cast<uint32_t>(RecipeInteger(net, "down", 1));
  const auto cell = static_cast<uint32_t>(RecipeInteger(net, "cell", 64));
  if (picture.empty() || across == 0 || down == 0 || cell < 8 || across * cell > 1024 || down * cell > 1024) {
    throw RecipeError{"<net> wants a picture and 1 or more cells of 8 to 1024 pixels across and down"};
  }
  Image color, alpha;
  color.Allocate(across * cell, down * cell, 24);
  alpha.Allocate(across * cell, down * cell, 8);
  for (uint32_t k = 0; k < across * down; ++k) {
    PaintFlame(color, alpha, (k % across) * cell, (k / across) * cell, cell, k, across * down);
  }
  const std::string base = ResourcePath(picture);
  WriteRecipeTga(paths.PathFor("data", base + ".tga"), color);
  WriteRecipeTga(paths.PathFor("data", base + "_a.tga"), alpha);
}

bool TextureExists(const ContentPaths& paths, const std::string& name) {
  const std::string base = paths.output + "/data/" + ResourcePath(name);
  return std::filesystem::exists(base + ".tga") || std::filesystem::exists(base + ".jpg");
}

// The shader as the game will read it, from its element and from the pack's shader file alike.
void CheckShader(const ContentPaths& paths, const XmlNode& element, const std::string& name) {
  const ShaderDescriptor described = ShaderDescriptorFromXml(element);
  cMemoryStream file;
  ShaderDescriptor packed;
  if (!WriteShaderFile(file, described) || (file.Seek(0, 0), !ReadShaderFile(file, name, packed)) ||
      !packed.SameDescription(described)) {
    throw RecipeError{name + " does not read back from its shader file as written"};
  }
  for (uint32_t i = 0; i < described.GetStageCount(); ++i) {
    for (const std::string* texture : {&described.GetStage(i).diffuse, &described.GetStage(i).opacity}) {
      if (!texture->empty() && !TextureExists(paths, *texture)) throw RecipeError{name + " names no texture " + *texture};
    }
  }
}

void CopyElement(const XmlNode& element, XmlNode& list) {
  XmlNode* copy = list.CreateChildByPath("resource");
  for (const XmlNode* a = element.GetFirstAttribute(); a != nullptr; a = a->GetNext()) {
    copy->AddAttribute(a->GetName())->SetValue(a->GetValue());
  }
}

void MakeShaderList(const ContentPaths& paths, const XmlNode& root) {
  const std::string list_name = RecipeText(root, "name");
  if (list_name.empty()) throw RecipeError{"<shaders> wants the name of its resource list"};
  for (const XmlNode* n = root.GetFirstChild(); n != nullptr; n = n->GetNext()) {
    if (n->GetName() == "net") PaintNet(paths, *n);
  }
  XmlDocument list("resources");
  for (const XmlNode* n = root.GetFirstChild(); n != nullptr; n = n->GetNext()) {
    if (n->GetName() != "resource") continue;
    const std::string name = RecipeText(*n, "name");
    if (name.empty() || RecipeText(*n, "type") != "shader") {
      throw RecipeError{"a <resource> wants a name and the type \"shader\""};
    }
    CheckShader(paths, *n, name);
    CopyElement(*n, list.GetRoot());
  }
  cMemoryStream text;
  if (!list.SaveXmlDocument(text)) throw RecipeError{"cannot write the resource list " + list_name};
  WriteRecipeOutput(paths.PathFor("data", "shaders/" + list_name + ".resource"), text.GetData(), text.GetSize());
}

bool MakeShaders(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("shaders"), "shaders",
                       [&paths](const XmlNode& root) { MakeShaderList(paths, root); });
}

}  // namespace

// After the pictures, whose names the shaders are checked against.
VELMARIS_CONTENT_STEP("shaders", 30, MakeShaders);
