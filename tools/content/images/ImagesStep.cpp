// The pictures of the sample game: every recipe in content/images (one XML file a picture, root
// <image name=".." width=".." height=".." format="jpg|tga" bits="8|24|32" quality=".." group="data|splash"
// padded="true|false">, its children the strokes in painting order) painted on a canvas and written into
// "data" as a JPEG (through libjpeg's compressor) or a TGA (through the engine's writer). A padded
// picture lies in the bottom-left corner of a power-of-two texture: a full-screen picture stays
// unscaled, and whoever draws it takes texture coordinates up to its width and height.

#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/JpegWriter.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/images/Canvas.h"
#include "tools/content/images/Strokes.h"

namespace {
const Vector4 kBlack(0, 0, 0, 1);
}  // namespace

void PaintStroke(Canvas& canvas, const XmlNode& s) {
  const std::string& kind = s.GetName();
  const Vector4 color = RecipeColor(s, "color", kBlack);
  const auto n = [&s](const char* name, float fallback = 0.0f) { return RecipeNumber(s, name, fallback); };
  const auto seed = static_cast<uint32_t>(RecipeInteger(s, "seed", 1));
  if (kind == "fill") {
    canvas.Fill(color);
  } else if (kind == "gradient") {
    canvas.Gradient(n("top"), n("bottom", static_cast<float>(canvas.Height())), RecipeColor(s, "from", kBlack),
                    RecipeColor(s, "to", kBlack));
  } else if (kind == "circle") {
    canvas.Circle(n("x"), n("y"), n("radius"), color, n("soft"));
  } else if (kind == "ellipse") {
    canvas.Ellipse(n("x"), n("y"), n("rx"), n("ry"), color);
  } else if (kind == "rect") {
    canvas.Rect(n("x"), n("y"), n("width"), n("height"), color);
  } else if (kind == "polygon") {
    canvas.Polygon(RecipeNumbers(s, "points"), color);
  } else if (kind == "hills") {
    canvas.Hills(n("y"), n("amplitude"), n("wavelength", 300.0f), seed, color);
  } else if (kind == "streaks") {
    canvas.Streaks(n("x"), n("y"), n("width"), n("height"), static_cast<uint32_t>(n("count")), n("length", 20.0f), seed,
                   color);
  } else if (kind == "grain") {
    canvas.Grain(n("amount"), seed);
  } else {
    throw RecipeError{"unknown stroke <" + kind + ">"};
  }
}

namespace {

void MakePicture(const ContentPaths& paths, const XmlNode& root) {
  const std::string name = RecipeText(root, "name");
  const std::string format = RecipeText(root, "format", "tga");
  const int width = RecipeInteger(root, "width", 0), height = RecipeInteger(root, "height", 0);
  if (name.empty() || width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    throw RecipeError{"an image needs a name and a size of 1 to 4096"};
  }
  Canvas canvas(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  for (const XmlNode* stroke = root.GetFirstChild(); stroke != nullptr; stroke = stroke->GetNext()) PaintStroke(canvas, *stroke);
  const bool padded = RecipeText(root, "padded", "false") == "true";
  const auto picture = [&canvas, padded](uint32_t bits) {
    return padded ? PadToPowerOfTwo(canvas.ToImage(bits)) : canvas.ToImage(bits);
  };
  cMemoryStream bytes;
  bool encoded = false;
  if (format == "jpg") {
    JpegSettings settings;
    settings.quality = RecipeInteger(root, "quality", 90);
    encoded = WriteJpeg(picture(24), bytes, settings);
  } else if (format == "tga") {
    // 8 bits: a grey picture (its red channel), which is what an opacity map needs.
    const int bits = RecipeInteger(root, "bits", 24);
    encoded = TgaImageLoader().Save(picture(bits == 32 ? 32 : bits == 8 ? 8 : 24), bytes);
  } else {
    throw RecipeError{"format must be jpg or tga"};
  }
  if (!encoded) throw RecipeError{"could not encode " + name};
  const std::string group = RecipeText(root, "group", "data");  // the splash screens go to "splash"
  if (group != "data" && group != "splash") throw RecipeError{"group must be data or splash"};
  WriteRecipeOutput(paths.PathFor(group, ResourcePath(name) + "." + format), bytes.GetData(), bytes.GetSize());
}

bool MakePictures(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("images"), "image", [&paths](const XmlNode& root) { MakePicture(paths, root); });
}

}  // namespace

VELMARIS_CONTENT_STEP("images", 10, MakePictures);
