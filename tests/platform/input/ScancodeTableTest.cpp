// The SDL scancode table and the mouse conversions of the SDL input backend.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <map>

#include "platform/input/input.h"
#include "platform/input/sdl/ScancodeTable.h"
#include "platform/input/sdl/SdlInput.h"

namespace input {
namespace {

using sdl::KeyCodeFromScancode;

TEST(ScancodeTable, KeysTheEngineReadsHaveTheirCodes) {
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LCTRL), 0x1D);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RCTRL), 0x9D);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LSHIFT), 0x2A);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RSHIFT), 0x36);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LALT), 0x38);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RALT), 0xB8);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LEFT), 0xCB);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RIGHT), 0xCD);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_DOWN), 0xD0);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_SPACE), 0x39);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_A), 0x1E);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_Q), 0x10);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_M), 0x32);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_1), 0x02);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_0), 0x0B);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F1), 0x3B);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F10), 0x44);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F11), 0x57);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F12), 0x58);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_DIVIDE), 0xB5);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_7), 0x47);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_DELETE), 0xD3);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_PAGEDOWN), 0xD1);
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
}

TEST(ScancodeTable, UnknownAndOutOfRangeScancodesHaveNoCode) {
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(KeyCodeFromScancode(-1), 0);
  EXPECT_EQ(KeyCodeFromScancode(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(KeyCodeFromScancode(1 << 20), 0);
}

TEST(SdlMouse, ButtonsComeLeftRightMiddleX1) {
  uint8_t buttons[kMouseButtonCount] = {1, 1, 1, 1};
  sdl::ButtonsFromSdlMask(0, buttons);
  EXPECT_EQ(buttons[0] | buttons[1] | buttons[2] | buttons[3], 0);
  sdl::ButtonsFromSdlMask(SDL_BUTTON(SDL_BUTTON_RIGHT), buttons);
  EXPECT_EQ(buttons[kButtonRight], kDown);
  EXPECT_EQ(buttons[kButtonMiddle], 0);
  EXPECT_EQ(buttons[1], kDown);  // the right button is the second byte
  sdl::ButtonsFromSdlMask(SDL_BUTTON(SDL_BUTTON_MIDDLE), buttons);
  EXPECT_EQ(buttons[2], kDown);
  EXPECT_EQ(buttons[1], 0);
  sdl::ButtonsFromSdlMask(SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_X1), buttons);
  EXPECT_EQ(buttons[0], kDown);
  EXPECT_EQ(buttons[3], kDown);
  EXPECT_EQ(buttons[1] | buttons[2], 0);
  sdl::ButtonsFromSdlMask(SDL_BUTTON(SDL_BUTTON_X2), buttons);  // no fifth button
  EXPECT_EQ(buttons[0] | buttons[1] | buttons[2] | buttons[3], 0);
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
