// Typed names: the name prompt takes as many characters as its field's "text_length", and the
// game draws the name in the field, in the players list, in the welcome line and in the delete
// question. The longest name of the widest letter a name may be typed in (Latin, Cyrillic,
// Hebrew letters and digits) must fit every one of those places in its font.

#include <string>
#include <vector>

#include "gui/include/TextFitting.h"
#include "source/text/TextConversion.h"
#include "tools/content/checks/FitSources.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

constexpr const char* kPromptForm = "gui\\windows\\profile_small_window";

// The lines the code writes a name into: "{id}" is a text, "@" the name.
struct NameLine {
  const char* form;
  const char* window;  // a name prefix: every "frame_..." of the list
  const char* pattern;
};

constexpr NameLine kNameLines[] = {
    {"gui\\windows\\users_menu", "frame_", "@"},
    {"gui\\windows\\main_menu", "profile", "{profile_welcome} @{profile_welcome_1}"},
    {"gui\\windows\\yes_no_small_window", "main_text_0",
     "{DELETE_PROFILE_TEXT_0} {DELETE_PROFILE_TEXT_1} \"@\"{DELETE_PROFILE_TEXT_3}"},
};

// The widest of the letters and digits a name may hold that the font has.
char16_t WidestLetter(const GUIFont& font) {
  static constexpr char16_t kRanges[][2] = {{u'0', u'9'}, {u'A', u'Z'}, {u'a', u'z'}, {0x0410, 0x044F}, {0x05D0, 0x05EA}};
  char16_t widest = u'W';
  float width = -1.0f;
  for (const auto& range : kRanges) {
    for (char16_t c = range[0]; c <= range[1]; ++c) {
      const float w = font.HasCharacter(c) ? font.GetTextWidth(std::u16string(1, c)) : -1.0f;
      if (w > width) width = w, widest = c;
    }
  }
  return widest;
}

std::u16string Compose(const FitSources& sources, const std::string& language, const std::string& pattern,
                       const std::u16string& name) {
  std::u16string line;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '@') {
      line += name;
    } else if (pattern[i] == '{') {
      const std::size_t end = pattern.find('}', i);
      const std::u16string* text = sources.Text(language, pattern.substr(i + 1, end - i - 1));
      if (text != nullptr) line += *text;
      i = end;
    } else {
      line += static_cast<char16_t>(pattern[i]);
    }
  }
  return line;
}

const PlacedForm* FindForm(const std::vector<PlacedForm>& forms, const std::string& name) {
  for (const PlacedForm& form : forms) {
    if (form.name == name) return &form;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> CheckNames(const std::vector<PlacedForm>& forms, const FitSources& sources) {
  std::vector<std::string> faults;
  const PlacedForm* prompt = FindForm(forms, kPromptForm);
  if (prompt == nullptr || prompt->fields.empty()) return faults;
  const PlacedField& field = prompt->fields.front();
  auto check = [&](const std::string& where, const std::string& language, int slot, const std::string& pattern,
                   const std::string& room, auto&& place) {
    std::string font_name;
    const GUIFont* font = sources.FontOf(language, slot, font_name);
    if (font == nullptr) return;
    const std::u16string name(static_cast<std::size_t>(field.length), WidestLetter(*font));
    const std::u16string line = Compose(sources, language, pattern, name);
    if (!place(*font, line)) {
      faults.push_back(where + " (" + language + "): a name of " + std::to_string(field.length) + " \"" +
                       WideToUtf8(name.substr(0, 1)) + "\" (the longest the name prompt takes) does not fit " + room);
    }
  };
  for (const auto& [language, texts] : sources.Languages()) {
    check(std::string(kPromptForm) + ": " + field.name, language, field.font_id, "@",
          "its " + std::to_string(static_cast<int>(field.text_width)) + " units",
          [&field](const GUIFont& font, const std::u16string& line) {
            return font.GetTextWidth(line) <= field.text_width + 0.5f;
          });
    for (const NameLine& shown : kNameLines) {
      const PlacedForm* form = FindForm(forms, shown.form);
      if (form == nullptr) continue;
      for (const PlacedStatic& text : form->statics) {
        if (text.name.rfind(shown.window, 0) != 0) continue;
        check(form->name + ": " + text.name, language, text.font_id, shown.pattern,
              text.place_name + " " + Describe(text.place), [&text](const GUIFont& font, const std::u16string& line) {
                if (text.chain.empty()) {
                  return Inside(TextBoxAt(text, font.GetTextWidth(line), font.GetSize()), text.place);
                }
                // Linked lines take word after word, each its own box.
                std::u16string rest = line;
                for (const TextRect& box : text.chain) {
                  rest = FitWords(rest, box.width, [&font](std::u16string_view part) { return font.GetTextWidth(part); }).rest;
                }
                return rest.empty();
              });
      }
    }
  }
  return faults;
}
