#include "Sources/adventure/StageList.h"

#include "source/properties/NumberText.h"
#include "source/xml/XmlNode.h"

namespace {

bool IsTrueText(const std::string& text) { return text == "1" || text == "true"; }

// A plain decimal number (an optional minus sign and digits only), else `fallback`.
int DecimalOr(const std::string& text, int fallback) {
  size_t digits = text.size() > 0 && text[0] == '-' ? 1 : 0;
  if (digits == text.size() || text.size() > 9) return fallback;
  for (size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
  }
  return ParseDecimalInt(text);
}

}  // namespace

std::vector<StageRecord> ReadStageList(const XmlNode& root) {
  std::vector<StageRecord> stages;
  for (const XmlNode* element = root.GetFirstChild(); element != nullptr; element = element->GetNext()) {
    if (element->GetName() != "location") continue;
    StageRecord stage;
    for (const XmlNode* a = element->GetFirstAttribute(); a != nullptr; a = a->GetNext()) {
      const std::string& name = a->GetName();
      if (name == "name") stage.name = a->GetValue();
      else if (name == "start") stage.start_windows.push_back(a->GetValue());
      else if (name == "stop") stage.stop_windows.push_back(a->GetValue());
      else if (name == "music") stage.music = a->GetValue();
      else if (name == "skip") stage.skip = IsTrueText(a->GetValue());
    }
    stages.push_back(std::move(stage));
  }
  return stages;
}

bool IsMapTravelEntry(const std::string& entry) { return entry.compare(0, 3, "map") == 0; }

void ParseMapTravelEntry(const std::string& entry, int& from, int& to) {
  const std::string rest = entry.size() > 4 ? entry.substr(4) : std::string();
  const size_t split = rest.find('_');
  from = DecimalOr(rest.substr(0, split), 0);
  to = split == std::string::npos ? 0 : DecimalOr(rest.substr(split + 1), 0);
}

int StageIndexOf(const std::string& name) {
  const size_t underscore = name.rfind('_');
  if (underscore == std::string::npos) return -1;
  const int number = DecimalOr(name.substr(underscore + 1), 0);
  return number - 1;
}
