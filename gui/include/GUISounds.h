#pragma once
// The sounds of compound widgets are named by event, not by file: each event gives a fixed name,
// and that name is the name of a "sound" resource the game's data provides. Slider and scroll
// widgets give these names to the sound attributes of the buttons they build for themselves.

#include <string>

enum GUISoundEvent : int {
  kGUISoundButtonSelect = 0,
  kGUISoundButtonClick = 1,
  kGUISoundCheckBoxSelect = 2,
  kGUISoundCheckBoxClick = 3,
  kGUISoundRadioButtonSelect = 4,
  kGUISoundRadioButtonClick = 5,
  kGUISoundSliderToddlerSelect = 6,
  kGUISoundSliderToddlerClick = 7,
  kGUISoundScrollToddlerSelect = 8,
  kGUISoundScrollToddlerClick = 9,
  kGUISoundScrollNavigationSelect = 10,
  kGUISoundScrollNavigationClick = 11,
  kGUISoundEditBoxPrint = 12,
};

class GUIWindow;

// The event's sound name; any number outside the table gives "GUI_SOUND_BUTTON_SELECT".
const char* GetGUISoundName(int event);
// Gives a button's sound attribute ("select_sound", "click_sound") the event's sound name.
void SetGUISound(GUIWindow& button, const std::string& attribute, int event);
