// The scenes of the game's locations: every recipe in content/levels (one XML file a location,
// root <location folder=".." name="..">) lists the location's objects back to front, each a
// rectangle on the 1024 x 768 screen (pixels from the top-left corner) with its kind letter ("i"
// an object the player may point at, "b" behind, "f" in front; "<object>_a" is the highlight of
// <object>) and either the strokes of its picture, painted in its own pixels, or the name of a
// picture the images step made, and the named animations a character plays on it. The step writes one flat model an object, its picture and
// opacity (powers of two, as the texture combiner needs them) and the scene's resource list
// "levels\<folder>\<name>", which the location and its script share.

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/os/os.h"
#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/images/Canvas.h"
#include "tools/content/images/Strokes.h"
#include "tools/content/models/ModelShapes.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr uint32_t kLargestPicture = 1024;

uint32_t PowerOfTwoAtLeast(int size) {
  uint32_t power = 1;
  while (power < static_cast<uint32_t>(size) && power < kLargestPicture) power *= 2;
  return power;
}

void WriteTga(const ContentPaths& paths, const std::string& name, const Image& image) {
  cMemoryStream bytes;
  if (!TgaImageLoader().Save(image, bytes)) throw RecipeError{"could not encode " + name};
  WriteRecipeOutput(paths.PathFor("data", ResourcePath(name) + ".tga"), bytes.GetData(), bytes.GetSize());
}

// The picture and its opacity (grey) at a power-of-two size; the model stretches it back.
void WritePictures(const ContentPaths& paths, const XmlNode& object, int width, int height, const std::string& diffuse,
                   const std::string& opacity) {
  Canvas canvas(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  for (const XmlNode* stroke = object.GetFirstChild(); stroke != nullptr; stroke = stroke->GetNext()) {
    if (stroke->GetName() != "state") PaintStroke(canvas, *stroke);
  }
  Image colour = canvas.ToImage(32);
  colour.Resize(PowerOfTwoAtLeast(width), PowerOfTwoAtLeast(height));
  Image alpha;
  alpha.Allocate(colour.GetWidth(), colour.GetHeight(), 24);
  const uint8_t* from = colour.GetPixels();
  uint8_t* to = alpha.GetPixels();
  const std::size_t pixels = std::size_t{colour.GetWidth()} * colour.GetHeight();
  for (std::size_t i = 0; i < pixels; ++i) to[i * 3] = to[i * 3 + 1] = to[i * 3 + 2] = from[i * 4 + 3];
  Image rgb;
  rgb.Allocate(colour.GetWidth(), colour.GetHeight(), 24);
  for (std::size_t i = 0; i < pixels; ++i) std::copy_n(from + i * 4, 3, rgb.GetPixels() + i * 3);
  WriteTga(paths, diffuse, rgb);
  WriteTga(paths, opacity, alpha);
}

// One object: its model and pictures, and its lines in the scene's list.
void MakeObject(const ContentPaths& paths, const std::string& folder, const std::string& location, const XmlNode& object,
                std::string& models, std::string& shaders) {
  // "folder" is the data folder of the scene and its models ("levels/<folder>" for a location).
  const std::string name = RecipeText(object, "name");
  const std::string kind = RecipeText(object, "kind", "i");
  const int x = RecipeInteger(object, "x", 0), y = RecipeInteger(object, "y", 0);
  const int width = RecipeInteger(object, "width", 0), height = RecipeInteger(object, "height", 0);
  if (name.empty() || kind.size() != 1 || name.find_first_of("\\/.\"<>& ") != std::string::npos) {
    throw RecipeError{"an object needs a plain name and a kind letter"};
  }
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > kScreenWidth || y + height > kScreenHeight) {
    throw RecipeError{name + ": the rectangle must lie on the 1024 x 768 screen"};
  }
  const ModelFileData quad = MakeQuad(static_cast<float>(x), static_cast<float>(kScreenHeight - y - height),
                                      static_cast<float>(width), static_cast<float>(height), 0.0f);
  cMemoryStream bytes;
  WriteModelFile(quad, bytes);
  WriteRecipeOutput(paths.PathFor("data", folder + "/" + name + ".mlf"), bytes.GetData(), bytes.GetSize());

  std::string diffuse = RecipeText(object, "picture");
  std::string opacity;
  if (diffuse.empty()) {
    // Picture names are unique by file name: the location's name goes first.
    diffuse = "textures\\levels\\" + location + "_" + name;
    opacity = diffuse + "_opacity";
    WritePictures(paths, object, width, height, diffuse, opacity);
  }
  // Named animations of the object (a character's): <state name=".." frames="first last" loop=".." speed=".."/>.
  std::string states;
  for (const XmlNode* state = object.GetFirstChild(); state != nullptr; state = state->GetNext()) {
    if (state->GetName() != "state") continue;
    states += "        <state name=\"" + RecipeText(*state, "name") + "\" frames=\"" + RecipeText(*state, "frames") +
              "\" loop=\"" + RecipeText(*state, "loop", "0") + "\" speed=\"" + RecipeText(*state, "speed", "0") +
              "\"/>\n";
  }
  models += "      <model name=\"" + name + "\" kind=\"" + kind + "\"" +
            (states.empty() ? "/>\n" : ">\n" + states + "      </model>\n");
  shaders += "      <shader name=\"" + name + "\" diffuse=\"" + diffuse + "\"" +
             (opacity.empty() ? std::string() : " opacity=\"" + opacity + "\"") + " clamp=\"1\"/>\n";
}

void MakeLocation(const ContentPaths& paths, const XmlNode& root) {
  // A scene that is no location (the inventory's) names the folder it lies under: under="".
  const std::string under = RecipeText(root, "under", "levels");
  const std::string name = RecipeText(root, "name");
  if (RecipeText(root, "folder").empty() || name.empty()) throw RecipeError{"a location needs a folder and a name"};
  const std::string folder = (under.empty() ? "" : under + "/") + RecipeText(root, "folder");
  std::string models, shaders;
  for (const XmlNode* object = root.GetFirstChild(); object != nullptr; object = object->GetNext()) {
    if (object->GetName() != "object") throw RecipeError{"<" + object->GetName() + "> is not an <object>"};
    MakeObject(paths, folder, name, *object, models, shaders);
  }
  std::string scene = folder + "\\" + name;
  std::replace(scene.begin(), scene.end(), '/', '\\');
  const std::string list = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n  <resource name=\"" + scene + "\" type=\"scene\">\n    <models>\n" + models +
                           "    </models>\n    <shaders>\n" + shaders + "    </shaders>\n  </resource>\n</resources>\n";
  WriteRecipeOutput(paths.PathFor("data", folder + "/" + name + "_scene.resource"),
                    reinterpret_cast<const uint8_t*>(list.data()), static_cast<uint32_t>(list.size()));
}

// The characters of the locations' objects ("game_data\\characters"), read and written back.
bool CopyCharacters(const ContentPaths& paths) {
  const std::string source = paths.SourceFor("game_data/characters.xml");
  if (!os::FileExists(source)) return true;  // a game without characters
  XmlDocument characters;
  if (!ReadSourceXml("levels", source, "characters", characters)) return false;
  cMemoryStream bytes;
  characters.SaveXmlDocument(bytes);
  try {
    WriteRecipeOutput(paths.PathFor("data", "game_data/characters.xml"), bytes.GetData(), bytes.GetSize());
  } catch (const RecipeError& error) {
    std::fprintf(stderr, "velmaris-content: characters: %s\n", error.text.c_str());
    return false;
  }
  return true;
}

bool MakeLevels(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("levels"), "location",
                       [&paths](const XmlNode& root) { MakeLocation(paths, root); }) &&
         CopyCharacters(paths);
}

}  // namespace

VELMARIS_CONTENT_STEP("levels", 30, MakeLevels);
