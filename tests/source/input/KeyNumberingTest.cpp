// The key numbers the game's checks rely on, as the SDL backend produces them from SDL's
// scancodes: they must match the PC scan-code numbering the input manager indexes by.

#include <gtest/gtest.h>

#include <SDL2/SDL_scancode.h>

#include <set>

#include "platform/input/KeyCodes.h"
#include "platform/input/sdl/ScancodeTable.h"

namespace {

using input::sdl::KeyCodeFromScancode;

TEST(KeyNumbering, KeysTheGameAndTheModifierSummaryUse) {
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LALT), 0x38);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RALT), 0xB8);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LCTRL), 0x1D);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RCTRL), 0x9D);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LSHIFT), 0x2A);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RSHIFT), 0x36);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_PAGEDOWN), 0xD1);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_LEFT), 0xCB);
  EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_SPACE), 0x39);
}

TEST(KeyNumbering, EveryKeyOfAFullKeyboardHasItsOwnNumber) {
  std::set<int> seen;
  auto expect_unique = [&](int scancode) {
    const int code = KeyCodeFromScancode(scancode);
    EXPECT_NE(code, 0) << "scancode " << scancode;
    EXPECT_TRUE(seen.insert(code).second) << "scancode " << scancode << " shares " << code;
  };
  for (int s = SDL_SCANCODE_A; s <= SDL_SCANCODE_Z; ++s) expect_unique(s);
  for (int s = SDL_SCANCODE_1; s <= SDL_SCANCODE_0; ++s) expect_unique(s);
  for (int s = SDL_SCANCODE_RETURN; s <= SDL_SCANCODE_SLASH; ++s) {
    if (s != SDL_SCANCODE_NONUSHASH) expect_unique(s);
  }
  for (int s = SDL_SCANCODE_CAPSLOCK; s <= SDL_SCANCODE_UP; ++s) expect_unique(s);
  for (int s = SDL_SCANCODE_NUMLOCKCLEAR; s <= SDL_SCANCODE_KP_PERIOD; ++s) expect_unique(s);
  for (int s = SDL_SCANCODE_LCTRL; s <= SDL_SCANCODE_RGUI; ++s) expect_unique(s);
  EXPECT_EQ(KeyCodeFromScancode(-1), 0);
  EXPECT_EQ(KeyCodeFromScancode(SDL_NUM_SCANCODES), 0);
}

}  // namespace
