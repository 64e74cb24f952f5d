#include "tools/content/checks/TextPlaces.h"

#include <cstdio>
#include <map>
#include <memory>

#include "source/xml/XmlNode.h"
#include "tools/content/RecipeXml.h"

namespace {

constexpr TextRect kScreen{0.0f, 0.0f, 1024.0f, 768.0f};
constexpr float kForgiven = 0.5f;

struct Element {
  const XmlNode* node;
  float x, y;                 // the element's origin on the screen
  bool sized;
  TextRect rect;              // when sized
  const Element* parent;      // null at the form's top
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Contains(const TextRect& rect, float x, float y) {
  return x >= rect.x && x <= rect.x + rect.width && y >= rect.y && y <= rect.y + rect.height;
}

// Every element of the form in document order, placed.
void Collect(const XmlNode& parent, const Element* owner, float x, float y, std::vector<std::unique_ptr<Element>>& all) {
  for (const XmlNode* node = parent.GetFirstChild(); node != nullptr; node = node->GetNext()) {
    const std::vector<float> matrix = RecipeNumbers(*node, "matrix");
    const std::vector<float> size = RecipeNumbers(*node, "size");
    auto element = std::make_unique<Element>();
    element->node = node;
    element->x = x + (matrix.size() >= 12 ? matrix[9] : 0.0f);
    element->y = y + (matrix.size() >= 12 ? matrix[10] : 0.0f);
    element->sized = size.size() >= 2 && size[0] > 0.0f && size[1] > 0.0f;
    element->rect = element->sized ? TextRect{element->x, element->y, size[0], size[1]} : TextRect{};
    element->parent = owner;
    Element* placed = element.get();
    all.push_back(std::move(element));
    Collect(*node, placed, placed->x, placed->y, all);
  }
}

PlacedStatic MakeStatic(const Element& element, const std::map<std::string, TextRect>& helpers) {
  const XmlNode& node = *element.node;
  PlacedStatic text;
  text.name = RecipeText(node, "name");
  text.font_id = RecipeInteger(node, "font_id", 0);
  if (!RecipeText(node, "text_id").empty()) text.ids.push_back(RecipeText(node, "text_id"));
  for (const std::string& id : SpacedWords(RecipeText(node, "shows"))) text.ids.push_back(id);
  text.sections = SpacedWords(RecipeText(node, "shows_section"));
  text.literal = RecipeText(node, "text");
  text.x = element.x;
  text.y = element.y;
  const std::string alignment = RecipeText(node, "alignment");
  if (!alignment.empty()) {
    text.horizontal = alignment[0] == 'l' || alignment[0] == 'c' ? alignment[0] : 'r';
    text.vertical = alignment.size() > 1 && (alignment[1] == 't' || alignment[1] == 'c') ? alignment[1] : 'b';
  }
  auto helper = helpers.find(RecipeText(node, "helper"));
  if (helper != helpers.end()) {
    // The line stands at the corner of its box.
    text.x = helper->second.x;
    text.y = helper->second.y;
    text.place = helper->second;
    text.place_name = "its helper box \"" + helper->first + "\"";
  }
  return text;
}

// A menu item draws its line from its own corner, in its font and, when selected or pointed at,
// in its select font: the line stays in the item's box in both.
void AddMenuItem(const Element& element, std::vector<PlacedStatic>& lines) {
  PlacedStatic text = MakeStatic(element, {});
  text.place = element.rect;
  text.place_name = "its own box";
  lines.push_back(text);
  const int selected = RecipeInteger(*element.node, "select_font_id", text.font_id);
  if (selected == text.font_id) return;
  text.font_id = selected;
  text.name += " (selected)";
  lines.push_back(std::move(text));
}

}  // namespace

std::vector<PlacedForm> PlaceForms(const XmlNode& list) {
  std::vector<PlacedForm> forms;
  for (const XmlNode* resource = list.GetFirstChild(); resource != nullptr; resource = resource->GetNext()) {
    if (RecipeText(*resource, "type") != "form") continue;
    PlacedForm form;
    form.name = RecipeText(*resource, "name");
    form.over = RecipeText(*resource, "over");
    std::map<std::string, TextRect> helpers;
    const XmlNode* top = nullptr;
    for (const XmlNode* part = resource->GetFirstChild(); part != nullptr; part = part->GetNext()) {
      if (part->GetName() == "form") top = part;
      if (part->GetName() != "helpers") continue;
      for (const XmlNode* box = part->GetFirstChild(); box != nullptr; box = box->GetNext()) {
        helpers[RecipeText(*box, "name")] = TextRect{RecipeNumber(*box, "x", 0), RecipeNumber(*box, "y", 0),
                                                     RecipeNumber(*box, "width", 0), RecipeNumber(*box, "height", 0)};
      }
    }
    if (top == nullptr) continue;
    std::vector<std::unique_ptr<Element>> all;
    Collect(*top, nullptr, 0.0f, 0.0f, all);
    for (const auto& element : all) {
      if (element->sized) form.windows.push_back({RecipeText(*element->node, "name"), element->rect});
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
      const Element& element = *all[i];
      if (element.node->GetName() == "menuitem" && element.sized) AddMenuItem(element, form.statics);
      if (element.node->GetName() == "editbox") {
        form.fields.push_back({RecipeText(*element.node, "name"), RecipeInteger(*element.node, "font_id", 0),
                               RecipeInteger(*element.node, "text_length", 0),
                               RecipeNumber(*element.node, "text_width", 0.0f)});
      }
      if (element.node->GetName() != "static") continue;
      PlacedStatic text = MakeStatic(element, helpers);
      if (RecipeText(*element.node, "link") == "true" && !text.place_name.empty()) {
        // The words flow on into the linked siblings that follow, each in its own box.
        text.chain.push_back(text.place);
        for (std::size_t j = i + 1; j < all.size(); ++j) {
          const Element& next = *all[j];
          if (next.parent != element.parent || RecipeText(*next.node, "link") != "true") continue;
          // A linked static with a text of its own starts another chain.
          if (!RecipeText(*next.node, "text_id").empty() || !RecipeText(*next.node, "shows").empty()) break;
          auto box = helpers.find(RecipeText(*next.node, "helper"));
          if (box != helpers.end()) text.chain.push_back(box->second);
        }
      }
      // "fits_in": the sibling window the line must stay in, named by the form itself.
      if (const std::string cell = RecipeText(*element.node, "fits_in"); text.place_name.empty() && !cell.empty()) {
        for (const auto& other : all) {
          if (other->parent == element.parent && other->sized && RecipeText(*other->node, "name") == cell) {
            text.place = other->rect;
            text.place_name = "its cell \"" + cell + "\"";
          }
        }
      }
      if (text.place_name.empty() && element.parent != nullptr && element.parent->sized) {
        text.place = element.parent->rect;
        text.place_name = "its window \"" + RecipeText(*element.parent->node, "name") + "\"";
      }
      if (text.place_name.empty() && EndsWith(text.name, "_text")) {
        const std::string labelled = text.name.substr(0, text.name.size() - 5);
        for (const auto& other : all) {
          if (other->parent == element.parent && other->sized && RecipeText(*other->node, "name") == labelled) {
            text.place = other->rect;
            text.place_name = "the window \"" + labelled + "\" it labels";
          }
        }
      }
      form.statics.push_back(std::move(text));
    }
    forms.push_back(std::move(form));
  }
  return forms;
}

void PlaceTexts(std::vector<PlacedForm>& forms) {
  for (PlacedForm& form : forms) {
    for (PlacedStatic& text : form.statics) {
      if (!text.place_name.empty()) continue;
      text.place = kScreen;
      text.place_name = "the screen";
      float smallest = kScreen.width * kScreen.height;
      for (const PlacedForm& other : forms) {
        if (&other != &form && other.name != form.over) continue;
        for (const PlacedWindow& window : other.windows) {
          const float area = window.rect.width * window.rect.height;
          if (area < smallest && Contains(window.rect, text.x, text.y)) {
            smallest = area;
            text.place = window.rect;
            text.place_name = "the window \"" + window.name + "\" under it";
          }
        }
      }
    }
  }
}

TextRect TextBoxAt(const PlacedStatic& text, float width, float height) {
  TextRect box{text.x, text.y, width, height};
  if (text.horizontal == 'c') box.x -= width * 0.5f;
  if (text.horizontal == 'r') box.x -= width;
  if (text.vertical == 'c') box.y -= height * 0.5f;
  if (text.vertical == 't') box.y -= height;
  return box;
}

bool Inside(const TextRect& inner, const TextRect& outer) {
  return inner.x >= outer.x - kForgiven && inner.y >= outer.y - kForgiven &&
         inner.x + inner.width <= outer.x + outer.width + kForgiven &&
         inner.y + inner.height <= outer.y + outer.height + kForgiven;
}

std::string Describe(const TextRect& rect) {
  char text[96];
  std::snprintf(text, sizeof text, "(x %.0f..%.0f, y %.0f..%.0f)", rect.x, rect.x + rect.width, rect.y,
                rect.y + rect.height);
  return text;
}

std::vector<std::string> SpacedWords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find(' ', at);
    const std::string word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!word.empty()) words.push_back(word);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return words;
}
