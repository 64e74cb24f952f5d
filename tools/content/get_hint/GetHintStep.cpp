// The scenes of the search for hint charges: content/get_hint/objects.xml paints the things to
// find (root <objects>, each <object name=".." width=".." height=".."> with its strokes), and
// every content/get_hint/location_N.xml (root <search location="N">) paints the place's backdrop
// (<background> strokes on the 1024 x 688 screen above the panel, among them <clutter object=".."
// x=".." y=".." tint="#rrggbb[aa]"/>: a painted look-alike of a thing to find, which no click
// takes) and lays out its variants
// (<variant number="V"> with <place object=".." x=".." y=".."/>, top-left corners in pixels, y
// down). The step writes the pictures, their shaders ("shaders\get_hint") and one form a variant,
// "get_hint\location_N\location_N_V": the window "background" and one window a placed object,
// marked item="true", in the order placed.

#include <map>
#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/EffectRecipe.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/gui/GuiChecks.h"
#include "tools/content/images/Canvas.h"
#include "tools/content/images/Strokes.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 688;  // the screen above the panel
constexpr int kPanelHeight = 80;
constexpr uint32_t kBackgroundSize = 1024;  // clutter as sharp as the things among it
constexpr int kMostObjectSize = 256;

struct ObjectPicture {
  int width = 0;
  int height = 0;
  Canvas picture{1, 1};
};

uint32_t PowerOfTwoAtLeast(int size) {
  uint32_t power = 1;
  while (power < static_cast<uint32_t>(size)) power *= 2;
  return power;
}

Canvas Paint(const XmlNode& strokes, int width, int height) {
  Canvas canvas(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  for (const XmlNode* stroke = strokes.GetFirstChild(); stroke != nullptr; stroke = stroke->GetNext()) {
    PaintStroke(canvas, *stroke);
  }
  return canvas;
}

// The colour and, apart, its opacity as a grey picture, at a power-of-two size.
void WriteWithOpacity(const ContentPaths& paths, const std::string& texture, const Canvas& canvas) {
  Image colour = canvas.ToImage(32);
  colour.Resize(PowerOfTwoAtLeast(static_cast<int>(canvas.Width())), PowerOfTwoAtLeast(static_cast<int>(canvas.Height())));
  Image rgb, alpha;
  rgb.Allocate(colour.GetWidth(), colour.GetHeight(), 24);
  alpha.Allocate(colour.GetWidth(), colour.GetHeight(), 8);
  const std::size_t pixels = std::size_t{colour.GetWidth()} * colour.GetHeight();
  for (std::size_t i = 0; i < pixels; ++i) {
    for (int c = 0; c < 3; ++c) rgb.GetPixels()[i * 3 + c] = colour.GetPixels()[i * 4 + c];
    alpha.GetPixels()[i] = colour.GetPixels()[i * 4 + 3];
  }
  WriteRecipeTga(paths.PathFor("data", ResourcePath(texture) + ".tga"), rgb);
  WriteRecipeTga(paths.PathFor("data", ResourcePath(texture) + "_a.tga"), alpha);
}

void AddShader(XmlNode& list, const std::string& name, const std::string& texture, bool opacity) {
  XmlNode* shader = list.CreateChildByPath("resource");
  shader->AddAttribute("name")->SetValue(name);
  shader->AddAttribute("type")->SetValue("shader");
  shader->AddAttribute("diffuse")->SetValue(texture);
  if (opacity) shader->AddAttribute("opacity")->SetValue(texture + "_a");
  shader->AddAttribute("clamp")->SetValue("true");
}

std::string Matrix(int x, int y) {
  return "1 0 0 0 1 0 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " 0";
}

XmlNode& AddWindow(XmlNode& form, const std::string& name, const std::string& shader, int width, int height, int x,
                   int y) {
  XmlNode* window = form.CreateChildByPath("window");
  window->AddAttribute("name")->SetValue(name);
  window->AddAttribute("shader")->SetValue(shader);
  window->AddAttribute("size")->SetValue(std::to_string(width) + " " + std::to_string(height) + " 1");
  window->AddAttribute("matrix")->SetValue(Matrix(x, y));
  return *window;
}

std::map<std::string, ObjectPicture> PaintObjects(const ContentPaths& paths, XmlNode& shaders) {
  std::map<std::string, ObjectPicture> objects;
  const bool read = ForEachRecipe(paths.SourceFor("get_hint/objects"), "objects", [&](const XmlNode& root) {
    for (const XmlNode* object = root.GetFirstChild(); object != nullptr; object = object->GetNext()) {
      const std::string name = RecipeText(*object, "name");
      ObjectPicture size{RecipeInteger(*object, "width", 0), RecipeInteger(*object, "height", 0)};
      if (name.empty() || name.find_first_of("\\/.\"<>& ") != std::string::npos) {
        throw RecipeError{"an object needs a plain name"};
      }
      if (size.width <= 0 || size.height <= 0 || size.width > kMostObjectSize || size.height > kMostObjectSize) {
        throw RecipeError{name + ": objects are 1 to 256 pixels across"};
      }
      size.picture = Paint(*object, size.width, size.height);
      const auto [placed, fresh] = objects.emplace(name, std::move(size));
      if (!fresh) throw RecipeError{"two objects are called " + name};
      const std::string texture = "textures\\get_hint\\" + name;
      WriteWithOpacity(paths, texture, placed->second.picture);
      AddShader(shaders, "get_hint\\" + name, texture, true);
    }
  });
  if (!read) throw RecipeError{"the objects to find could not be painted"};
  return objects;
}

// The backdrop's strokes in order, a look-alike of a thing to find where a <clutter> names one.
Canvas PaintBackground(const XmlNode& strokes, const std::map<std::string, ObjectPicture>& objects) {
  Canvas canvas(kWidth, kHeight);
  for (const XmlNode* stroke = strokes.GetFirstChild(); stroke != nullptr; stroke = stroke->GetNext()) {
    if (stroke->GetName() != "clutter") {
      PaintStroke(canvas, *stroke);
      continue;
    }
    const std::string object = RecipeText(*stroke, "object");
    const auto found = objects.find(object);
    if (found == objects.end()) throw RecipeError{"clutter of no object " + object};
    canvas.Stamp(found->second.picture, RecipeInteger(*stroke, "x", 0), RecipeInteger(*stroke, "y", 0),
                 RecipeColor(*stroke, "tint", Vector4(1, 1, 1, 1)));
  }
  return canvas;
}

void MakeVariant(const XmlNode& variant, const std::string& location, const std::map<std::string, ObjectPicture>& objects,
                 XmlNode& forms) {
  const std::string number = std::to_string(RecipeInteger(variant, "number", 0));
  const std::string name = "get_hint\\location_" + location + "\\location_" + location + "_" + number;
  XmlNode* resource = forms.CreateChildByPath("resource");
  resource->AddAttribute("name")->SetValue(name);
  resource->AddAttribute("type")->SetValue("form");
  XmlNode* form = resource->CreateChildByPath("form");
  AddWindow(*form, "background", "get_hint\\location_" + location + "_back", kWidth, kHeight, 0, kPanelHeight);
  int placed = 0;
  for (const XmlNode* place = variant.GetFirstChild(); place != nullptr; place = place->GetNext()) {
    const std::string object = RecipeText(*place, "object");
    const auto found = objects.find(object);
    if (found == objects.end()) throw RecipeError{name + ": no object " + object};
    const int x = RecipeInteger(*place, "x", -1), y = RecipeInteger(*place, "y", -1);
    const ObjectPicture& size = found->second;
    if (x < 0 || y < 0 || x + size.width > kWidth || y + size.height > kHeight) {
      throw RecipeError{name + ": " + object + " must lie on the screen above the panel"};
    }
    XmlNode& window = AddWindow(*form, object, "get_hint\\" + object, size.width, size.height, x,
                                kPanelHeight + kHeight - y - size.height);
    window.AddAttribute("item")->SetValue("true");
    ++placed;
  }
  if (placed < 8) throw RecipeError{name + ": a search wants at least 8 objects, one a place on the list"};
  std::string why;
  if (!CheckGuiResource(*resource, name, true, why)) throw RecipeError{why};
}

void MakeSearch(const ContentPaths& paths, const XmlNode& root, const std::map<std::string, ObjectPicture>& objects,
                XmlNode& shaders, XmlNode& forms) {
  const std::string location = std::to_string(RecipeInteger(root, "location", 0));
  if (location == "0") throw RecipeError{"a search needs its location's number"};
  const std::string texture = "textures\\get_hint\\location_" + location + "_back";
  for (const XmlNode* part = root.GetFirstChild(); part != nullptr; part = part->GetNext()) {
    if (part->GetName() == "background") {
      Image back = PaintBackground(*part, objects).ToImage(24);
      back.Resize(kBackgroundSize, kBackgroundSize);
      WriteRecipeTga(paths.PathFor("data", ResourcePath(texture) + ".tga"), back);
      AddShader(shaders, "get_hint\\location_" + location + "_back", texture, false);
    } else if (part->GetName() == "variant") {
      MakeVariant(*part, location, objects, forms);
    } else {
      throw RecipeError{"<" + part->GetName() + "> is no <background> or <variant>"};
    }
  }
}

void WriteList(const ContentPaths& paths, XmlDocument& list, const std::string& relative) {
  cMemoryStream text;
  if (!list.SaveXmlDocument(text)) throw RecipeError{"cannot write " + relative};
  WriteRecipeOutput(paths.PathFor("data", relative), text.GetData(), text.GetSize());
}

bool MakeGetHint(const ContentPaths& paths) {
  XmlDocument shaders("resources");
  XmlDocument forms("resources");
  try {
    const std::map<std::string, ObjectPicture> objects = PaintObjects(paths, shaders.GetRoot());
    const bool made = ForEachRecipe(paths.SourceFor("get_hint"), "search", [&](const XmlNode& root) {
      MakeSearch(paths, root, objects, shaders.GetRoot(), forms.GetRoot());
    });
    if (!made) return false;
    WriteList(paths, shaders, "shaders/get_hint.resource");
    WriteList(paths, forms, "get_hint/get_hint.resource");
  } catch (const RecipeError& error) {
    std::fprintf(stderr, "velmaris-content: get_hint: %s\n", error.text.c_str());
    return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("get_hint", 45, MakeGetHint);
