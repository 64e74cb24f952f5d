#include "tests/e2e/gui/OptionsWindow.h"

#include <cmath>

#include "gui/include/GUICheckBox.h"
#include "gui/include/GUIEditBox.h"
#include "gui/include/GUISlider.h"
#include "source/log/cLog.h"
#include "source/text/TextConversion.h"

namespace {

GUIWindow* FindBelow(GUIWindow& window, const std::string& name) {
  for (GUIWindow* child : window.GetChildren()) {
    if (child->GetName() == name) return child;
    if (GUIWindow* found = FindBelow(*child, name)) return found;
  }
  return nullptr;
}

DelegateArg OnEvent(DelegateArg sender) {
  auto* window = reinterpret_cast<GUIWindow*>(sender);
  std::string value;
  if (auto* slider = dynamic_cast<GUISlider*>(window)) {
    value = std::to_string(static_cast<int>(std::lround(slider->GetCur())));
  } else if (auto* box = dynamic_cast<GUICheckBox*>(window)) {
    value = box->IsChecked() ? "true" : "false";
  } else if (auto* field = dynamic_cast<GUIEditBox*>(window)) {
    value.append(1, '[').append(WideToUtf8(field->GetText())).append(1, ']');
  } else {
    value = "chosen";
  }
  LogReport(kLogPlain, "gui sample", __LINE__, "options: %s %s", window->GetName().c_str(), value.c_str());
  return 0;
}

}  // namespace

OptionsWindow::OptionsWindow() : DialogWindow("options") {
  SetFormByName("gui\\samples\\options_board");
  Watch("music", "on_change");
  Watch("full_screen", "on_click");
  Watch("name", "on_change");
  Watch("lang_en", "on_click");
  Watch("lang_ru", "on_click");
}

void OptionsWindow::Watch(const std::string& window, const std::string& event) {
  if (GUIWindow* found = FindBelow(*this, window)) found->SetEvent(event, MakeFunctionDelegate(&OnEvent));
}
