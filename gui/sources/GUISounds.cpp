#include "gui/include/GUISounds.h"

#include "gui/include/GUIWindow.h"

namespace {

constexpr const char* kNames[] = {
    "GUI_SOUND_BUTTON_SELECT",           "GUI_SOUND_BUTTON_CLICK",
    "GUI_SOUND_CHECK_BOX_SELECT",        "GUI_SOUND_CHECK_BOX_CLICK",
    "GUI_SOUND_RADIO_BUTTON_SELECT",     "GUI_SOUND_RADIO_BUTTON_CLICK",
    "GUI_SOUND_SLIDER_TODDLER_SELECT",   "GUI_SOUND_SLIDER_TODDLER_CLICK",
    "GUI_SOUND_SCROLL_TODDLER_SELECT",   "GUI_SOUND_SCROLL_TODDLER_CLICK",
    "GUI_SOUND_SCROLL_NAVIGATION_SELECT", "GUI_SOUND_SCROLL_NAVIGATION_CLICK",
    "GUI_SOUND_EDIT_BOX_PRINT",
};

}  // namespace

const char* GetGUISoundName(int event) {
  if (event < 0 || event >= static_cast<int>(sizeof kNames / sizeof kNames[0])) return kNames[0];
  return kNames[event];
}

void SetGUISound(GUIWindow& button, const std::string& attribute, int event) {
  button.SetValue(attribute, GetGUISoundName(event));
}
