// The scenes of the game's locations: every recipe in content/levels (one XML file a location,
// root <location folder=".." name="..">) lists the location's objects back to front, each a
// rectangle on the 1024 x 768 screen (pixels from the top-left corner) with its kind letter ("i"
// an object the player may point at, "b" behind, "f" in front; "<object>_a" is the highlight of
// <object>) and either the strokes of its picture, painted in its own pixels, or the name of a
// picture the images step made, and the named animations a character plays on it. The step writes
// one flat model an object, its picture and opacity (powers of two, as the texture combiner needs
// them, the picture unscaled in their corner) and the scene's resource list "levels\<folder>\<name>",
// which the location and its script share.

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

// The side of a painted picture's texture (the screen is at most 1024 pixels wide).
uint32_t PowerOfTwoAtLeast(int size) { return PaddedSide(static_cast<uint32_t>(size)); }

void WriteTga(const ContentPaths& paths, const std::string& name, const Image& image) {
  cMemoryStream bytes;
  if (!TgaImageLoader().Save(image, bytes)) throw RecipeError{"could not encode " + name};
  WriteRecipeOutput(paths.PathFor("data", ResourcePath(name) + ".tga"), bytes.GetData(), bytes.GetSize());
}

// The painted picture (RGB) and its opacity as an 8-bit grey picture, unless every pixel is opaque
// and the object never fades: such a picture's shader draws it without blending. Answers whether
// the opacity was written.
bool WritePictures(const ContentPaths& paths, const XmlNode& object, int width, int height, const std::string& diffuse,
                   const std::string& opacity, bool fades) {
  Canvas canvas(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  for (const XmlNode* stroke = object.GetFirstChild(); stroke != nullptr; stroke = stroke->GetNext()) {
    if (stroke->GetName() != "state") PaintStroke(canvas, *stroke);
  }
  const Image colour = canvas.ToImage(32);
  const std::size_t pixels = std::size_t{colour.GetWidth()} * colour.GetHeight();
  const uint8_t* from = colour.GetPixels();
  Image rgb, alpha;
  rgb.Allocate(colour.GetWidth(), colour.GetHeight(), 24);
  alpha.Allocate(colour.GetWidth(), colour.GetHeight(), 8);
  bool opaque = true;
  for (std::size_t i = 0; i < pixels; ++i) {
    std::copy_n(from + i * 4, 3, rgb.GetPixels() + i * 3);
    alpha.GetPixels()[i] = from[i * 4 + 3];
    opaque = opaque && from[i * 4 + 3] == 255;
  }
  WriteTga(paths, diffuse, PadToPowerOfTwo(rgb));
  if (opaque && !fades) return false;
  WriteTga(paths, opacity, PadToPowerOfTwo(alpha));
  return true;
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
  std::string diffuse = RecipeText(object, "picture");
  std::string opacity;
  // A painted picture fills the bottom-left part of its texture; a named one the whole texture, or
  // the part its "u" and "v" give (a padded picture of the images step).
  float u = RecipeNumber(object, "u", 1.0f), v = RecipeNumber(object, "v", 1.0f);
  if (!(u > 0.0f && u <= 1.0f && v > 0.0f && v <= 1.0f)) throw RecipeError{name + ": u and v must lie in (0, 1]"};
  if (diffuse.empty()) {
    // Picture names are unique by file name: the location's name goes first.
    diffuse = "textures\\levels\\" + location + "_" + name;
    opacity = diffuse + "_opacity";
    // Only the scene's backdrop ("b") never fades; highlights and characters fade through their
    // colour's alpha, which needs blending even where the picture is opaque.
    if (!WritePictures(paths, object, width, height, diffuse, opacity, kind != "b")) opacity.clear();
    u = static_cast<float>(width) / static_cast<float>(PowerOfTwoAtLeast(width));
    v = static_cast<float>(height) / static_cast<float>(PowerOfTwoAtLeast(height));
  }
  const ModelFileData quad = MakeQuad(static_cast<float>(x), static_cast<float>(kScreenHeight - y - height),
                                      static_cast<float>(width), static_cast<float>(height), 0.0f, u, v);
  cMemoryStream bytes;
  WriteModelFile(quad, bytes);
  WriteRecipeOutput(paths.PathFor("data", folder + "/" + name + ".mlf"), bytes.GetData(), bytes.GetSize());
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
