#pragma once
// Where the statics and menu items of the GUI's forms draw their texts: each form of a resource
// list with its sized windows and its lines, placed on the 1024 x 768 GUI screen (y up), and for
// each line the place it must stay in (a menu item's is its own box, once in each of its fonts) (see TextFitStep.cpp for the order the place is chosen in).

#include <string>
#include <vector>

class XmlNode;

struct TextRect {
  float x = 0.0f, y = 0.0f;  // lower left corner
  float width = 0.0f, height = 0.0f;
};

struct PlacedStatic {
  std::string name;
  int font_id = 0;
  std::vector<std::string> ids;  // "text_id", then "shows" ("A+B": the texts joined by a space)
  std::vector<std::string> sections;  // "shows_section": every text of these sections
  std::string literal;           // "text": shown as it stands in every language
  float x = 0.0f, y = 0.0f;     // the anchor the alignment is taken from
  char horizontal = 'l';         // l, c, r
  char vertical = 'b';           // b, c, t
  TextRect place;
  std::string place_name;
  // A linked static: its helper box and those of the linked statics after it, in order.
  std::vector<TextRect> chain;
};

struct PlacedWindow {
  std::string name;
  TextRect rect;
};

// A one-line entry: it takes `length` characters and shows `text_width` of them.
struct PlacedField {
  std::string name;
  int font_id = 0;
  int length = 0;
  float text_width = 0.0f;
};

struct PlacedForm {
  std::string name;    // "gui\diary\diary_back"
  std::string over;    // the form it is laid over (its "over" attribute), whose windows it writes on
  std::vector<PlacedWindow> windows;
  std::vector<PlacedStatic> statics;  // and menu items
  std::vector<PlacedField> fields;
};

// The forms of a <resources> list, their statics' places not yet chosen.
std::vector<PlacedForm> PlaceForms(const XmlNode& list);
// Chooses every static's place among the windows of its form and of the form it is laid over.
void PlaceTexts(std::vector<PlacedForm>& forms);

// The rectangle a line `width` wide and `height` high takes at the static's anchor.
TextRect TextBoxAt(const PlacedStatic& text, float width, float height);
// Whether `inner` lies in `outer`, half a pixel either way forgiven.
bool Inside(const TextRect& inner, const TextRect& outer);
// The words of an attribute that lists ids separated by spaces.
std::vector<std::string> SpacedWords(const std::string& text);
// "(x0..x1, y0..y1)".
std::string Describe(const TextRect& rect);
