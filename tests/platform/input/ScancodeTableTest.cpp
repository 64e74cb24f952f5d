// The SDL scancode table and the mouse conversions of the SDL input backend.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/input/input.h"
#include "platform/input/sdl/ScancodeTable.h"
#include "platform/input/sdl/SdlInput.h"

namespace input {
namespace {

using sdl::KeyCodeFromScancode;

std::vector<int> Letters(const char* row) {
  std::vector<int> keys;
  for (const char* c = row; *c != 0; ++c) keys.push_back(SDL_SCANCODE_A + (*c - 'A'));
  return keys;
}

std::vector<int> FunctionKeys(int first, int last) {
  std::vector<int> keys;
  for (int n = first; n <= last; ++n) keys.push_back(n <= 12 ? SDL_SCANCODE_F1 + n - 1 : SDL_SCANCODE_F13 + n - 13);
  return keys;
}

// Keys that sit side by side in the numbering have consecutive codes from the first one's: each row
// of the keyboard, the function keys and the keypad (single keys pin the codes the engine reads).
TEST(ScancodeTable, KeysInARowHaveConsecutiveCodes) {
  const struct {
    std::vector<int> keys;
    int first;
  } runs[] = {
      {{SDL_SCANCODE_ESCAPE, SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3, SDL_SCANCODE_4, SDL_SCANCODE_5,
        SDL_SCANCODE_6, SDL_SCANCODE_7, SDL_SCANCODE_8, SDL_SCANCODE_9, SDL_SCANCODE_0, SDL_SCANCODE_MINUS,
        SDL_SCANCODE_EQUALS, SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_TAB},
       0x01},
      {Letters("QWERTYUIOP"), 0x10},
      {{SDL_SCANCODE_RETURN, SDL_SCANCODE_LCTRL}, 0x1C},
      {Letters("ASDFGHJKL"), 0x1E},
      {{SDL_SCANCODE_LSHIFT}, 0x2A},
      {Letters("ZXCVBNM"), 0x2C},
      {{SDL_SCANCODE_RSHIFT, SDL_SCANCODE_KP_MULTIPLY, SDL_SCANCODE_LALT, SDL_SCANCODE_SPACE}, 0x36},
      {FunctionKeys(1, 10), 0x3B},
      {{SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_9, SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_KP_4,
        SDL_SCANCODE_KP_5, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_PLUS, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
        SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_PERIOD},
       0x47},
      {FunctionKeys(11, 12), 0x57},
      {FunctionKeys(13, 15), 0x64},
  };
  for (const auto& run : runs) {
    for (std::size_t i = 0; i < run.keys.size(); ++i) {
      EXPECT_EQ(+KeyCodeFromScancode(run.keys[i]), run.first + static_cast<int>(i))
          << SDL_GetScancodeName(static_cast<SDL_Scancode>(run.keys[i]));
    }
  }
}

// A key that sends the 0xE0 prefix has the code of its twin on the main block or keypad + 0x80.
TEST(ScancodeTable, PrefixedKeysAreTheirTwinsPlus0x80) {
  const std::pair<int, int> twins[] = {
      {SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN}, {SDL_SCANCODE_RCTRL, SDL_SCANCODE_LCTRL},
      {SDL_SCANCODE_RALT, SDL_SCANCODE_LALT}, {SDL_SCANCODE_KP_DIVIDE, SDL_SCANCODE_SLASH},
      {SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_KP_MULTIPLY}, {SDL_SCANCODE_HOME, SDL_SCANCODE_KP_7},
      {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8}, {SDL_SCANCODE_PAGEUP, SDL_SCANCODE_KP_9},
      {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4}, {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6},
      {SDL_SCANCODE_END, SDL_SCANCODE_KP_1}, {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2},
      {SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_KP_3}, {SDL_SCANCODE_INSERT, SDL_SCANCODE_KP_0},
      {SDL_SCANCODE_DELETE, SDL_SCANCODE_KP_PERIOD},
  };
  for (const auto& [key, twin] : twins) {
    EXPECT_EQ(KeyCodeFromScancode(key), KeyCodeFromScancode(twin) + 0x80)
        << SDL_GetScancodeName(static_cast<SDL_Scancode>(key));
  }
}

TEST(ScancodeTable, EveryCodeIsInRangeAndClaimedOnce) {
  std::map<int, int> owner;
  int mapped = 0;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int code = KeyCodeFromScancode(scancode);
    if (code == 0) continue;
    ++mapped;
    EXPECT_GT(code, 0);
    EXPECT_LT(code, kKeyCount);
    const auto [it, fresh] = owner.emplace(code, scancode);
    EXPECT_TRUE(fresh) << "code " << code << " claimed by scancodes " << it->second << " and "
                       << scancode;
  }
  EXPECT_GE(mapped, 104);  // a full PC keyboard
  // Unknown and out of range: no code.
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(KeyCodeFromScancode(-1), 0);
  EXPECT_EQ(KeyCodeFromScancode(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(KeyCodeFromScancode(1 << 20), 0);
}

TEST(SdlMouse, ButtonsComeLeftRightMiddleX1) {
  static_assert(kButtonLeft == 0 && kButtonRight == 1 && kButtonMiddle == 2);
  const struct {
    uint32_t mask;
    std::vector<uint8_t> buttons;
  } cases[] = {{0, {0, 0, 0, 0}},
               {SDL_BUTTON(SDL_BUTTON_RIGHT), {0, kDown, 0, 0}},
               {SDL_BUTTON(SDL_BUTTON_MIDDLE), {0, 0, kDown, 0}},
               {SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_X1), {kDown, 0, 0, kDown}},
               {SDL_BUTTON(SDL_BUTTON_X2), {0, 0, 0, 0}}};  // no fifth button
  for (const auto& c : cases) {
    uint8_t buttons[kMouseButtonCount] = {1, 1, 1, 1};
    sdl::ButtonsFromSdlMask(c.mask, buttons);
    EXPECT_EQ(std::vector<uint8_t>(buttons, buttons + kMouseButtonCount), c.buttons) << c.mask;
  }
}

TEST(SdlMouse, WheelStepsOf120ANotch) {
  EXPECT_EQ(sdl::WheelSteps(1, SDL_MOUSEWHEEL_NORMAL), 120);
  EXPECT_EQ(sdl::WheelSteps(-3, SDL_MOUSEWHEEL_NORMAL), -360);
  EXPECT_EQ(sdl::WheelSteps(2, SDL_MOUSEWHEEL_FLIPPED), -240);
  EXPECT_EQ(sdl::WheelSteps(0, SDL_MOUSEWHEEL_NORMAL), 0);
  EXPECT_EQ(sdl::WheelSteps(INT32_MAX, SDL_MOUSEWHEEL_NORMAL), 10000 * 120);  // no overflow
  EXPECT_EQ(sdl::WheelSteps(INT32_MIN, SDL_MOUSEWHEEL_FLIPPED), 10000 * 120);
}

}  // namespace
}  // namespace input
