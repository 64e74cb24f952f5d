// The input service: headless state set by hand, and the SDL backend gathering the mouse from
// synthetic events under SDL's offscreen video driver.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/input/headless/HeadlessInput.h"
#include "platform/input/input.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"

namespace input {
namespace {

class HeadlessInputTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VELMARIS_HEADLESS", "1", 1);
    Shutdown();
    window::Shutdown();
    ASSERT_TRUE(Initialize());
  }
  void TearDown() override {
    Shutdown();
    window::Shutdown();
  }
};

TEST_F(HeadlessInputTest, KeysSetByHandAreReadBack) {
  uint8_t keys[kKeyCount];
  ASSERT_TRUE(PollKeyboard(keys));
  for (uint8_t key : keys) EXPECT_EQ(key, 0);
  ASSERT_TRUE(headless::SetKey(kKeyEscape, true));
  ASSERT_TRUE(headless::SetKey(kKeyNumpadEnter, true));
  ASSERT_TRUE(PollKeyboard(keys));
  EXPECT_EQ(keys[0x01], kDown);
  EXPECT_EQ(keys[0x9C], kDown);
  EXPECT_EQ(keys[0x1C], 0);
  ASSERT_TRUE(PollKeyboard(keys));  // held keys stay held
  EXPECT_EQ(keys[0x01], kDown);
  headless::ReleaseAllKeys();
  ASSERT_TRUE(PollKeyboard(keys));
  EXPECT_EQ(keys[0x01], 0);
}

TEST_F(HeadlessInputTest, MouseDeltasWheelAndChangeAreSinceTheLastPoll) {
  window::headless::SetMousePosition(100, 50);
  headless::MoveMouse(5, -3);
  headless::MoveMouse(1, 1);
  headless::TurnWheel(-2);
  headless::SetMouseButton(kButtonRight, true);
  MouseState state;
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.dx, 6);
  EXPECT_EQ(state.dy, -2);
  EXPECT_EQ(state.wheel, -240);
  EXPECT_EQ(state.buttons[kButtonRight], kDown);
  EXPECT_EQ(state.buttons[kButtonLeft], 0);
  EXPECT_EQ(state.x, 106);
  EXPECT_EQ(state.y, 48);
  EXPECT_TRUE(state.changed);

  ASSERT_TRUE(PollMouse(&state));  // nothing happened since: a held button is no change
  EXPECT_EQ(state.dx, 0);
  EXPECT_EQ(state.wheel, 0);
  EXPECT_EQ(state.buttons[kButtonRight], kDown);
  EXPECT_FALSE(state.changed);

  headless::SetMouseButton(kButtonRight, true);  // already down: no change
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_FALSE(state.changed);
  EXPECT_FALSE(headless::SetMouseButton(static_cast<MouseButton>(7), true));
}

TEST_F(HeadlessInputTest, ALeftClickBetweenPollsIsSeenWhereItWasMade) {
  window::headless::SetMousePosition(10, 20);
  headless::SetMouseButton(kButtonLeft, true);
  window::headless::SetMousePosition(30, 40);
  headless::SetMouseButton(kButtonLeft, false);
  window::headless::SetMousePosition(50, 60);
  MouseState state;
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.buttons[kButtonLeft], kDown);
  EXPECT_EQ(state.x, 50);
  EXPECT_TRUE(state.left_went_down && state.left_came_up) << "both since the last poll";
  ASSERT_TRUE(PollMouse(&state));  // up by then; where it happened is kept
  EXPECT_EQ(state.buttons[kButtonLeft], 0);
  EXPECT_FALSE(state.left_went_down || state.left_came_up) << "told once";
  EXPECT_EQ(std::vector<int32_t>({state.press_x, state.press_y, state.release_x, state.release_y}),
            std::vector<int32_t>({10, 20, 30, 40}));
}

// The player's keys and left clicks, in the order made ("ab*": a, b, then a click), reach the game
// in that order: frames (split by "|") as the main loop runs them, each taking what the window
// service releases to it (one key a frame) and then polling the mouse ("*" where the click is seen).
TEST_F(HeadlessInputTest, AClickWaitsForTheKeysTypedBeforeIt) {
  const struct {
    const char* made;
    const char* frames;
  } rows[] = {
      {"ab*", "a|b|*"},  // a name typed and OK clicked: the last letter first
      {"*ab", "a*|b"},   // a click then keys: the click is not held
      {"a*b", "a|b*"},
      {"*", "*"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.made);
    TearDown();
    SetUp();
    for (const char* made = row.made; *made != 0; ++made) {
      if (*made == '*') {
        ASSERT_TRUE(headless::SetMouseButton(kButtonLeft, true));
        ASSERT_TRUE(headless::SetMouseButton(kButtonLeft, false));
      } else {
        const char letter[2] = {*made, 0};
        ASSERT_TRUE(window::headless::PushText(letter));
      }
    }
    std::string frames;
    for (int frame = 0; frame < 6; ++frame) {
      std::string seen;
      while (window::PeekMessage()) seen += static_cast<char>(window::GetMessage().value);
      MouseState state;
      ASSERT_TRUE(PollMouse(&state));
      if (state.left_went_down) seen += '*';
      if (seen.empty()) continue;
      frames += (frames.empty() ? "" : "|") + seen;
    }
    EXPECT_EQ(frames, row.frames);
  }
}

TEST_F(HeadlessInputTest, AFailedReadLeavesTheCallersStateAlone) {
  headless::SetKey(kKeySpace, true);
  headless::FailKeyboard(true);
  uint8_t keys[kKeyCount] = {};
  EXPECT_FALSE(PollKeyboard(keys));
  EXPECT_EQ(keys[kKeySpace], 0);
  headless::FailMouse(true);
  MouseState state;
  state.dx = 77;
  EXPECT_FALSE(PollMouse(&state));
  EXPECT_EQ(state.dx, 77);
  EXPECT_FALSE(PollKeyboard(nullptr));
  EXPECT_FALSE(PollMouse(nullptr));
}

class SdlInputTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VELMARIS_HEADLESS", "0", 1);
    if (std::getenv("SDL_VIDEODRIVER") == nullptr) {
      setenv("SDL_VIDEODRIVER", "offscreen", 1);
      m_set_driver = true;
    }
    Shutdown();
    window::Shutdown();
    if (!Initialize()) {
      TearDown();
      GTEST_SKIP() << "SDL could not start";
    }
    EXPECT_FALSE(headless::SetKey(kKeyEscape, true));  // the controls are headless only
  }
  void TearDown() override {
    Shutdown();
    window::Shutdown();
    if (m_set_driver) unsetenv("SDL_VIDEODRIVER");
    m_set_driver = false;
    setenv("VELMARIS_HEADLESS", "1", 1);
  }
  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  static void Motion(int dx, int dy) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = dx;
    motion.motion.yrel = dy;
    Push(motion);
  }
  static void Wheel(int notches) {
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = notches;
    wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(wheel);
  }
  static void Window(uint8_t what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    Push(event);
  }
  bool m_set_driver = false;
};

TEST_F(SdlInputTest, MouseEventsAddUpUntilThePollAndMovementInTheBackgroundIsNotCounted) {
  MouseState state;
  ASSERT_TRUE(PollMouse(&state));  // forget whatever SDL did at start
  Motion(4, -2);
  Motion(1, 8);  // counted: they came before the focus went
  Wheel(1);
  Wheel(1);
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  Motion(1000, -900);
  Wheel(3);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.dx, 5);
  EXPECT_EQ(state.dy, 6);
  EXPECT_EQ(state.wheel, 240);
  EXPECT_TRUE(state.changed);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.dx, 0);
  EXPECT_EQ(state.wheel, 0);
  EXPECT_FALSE(state.changed);

  Motion(1000, -900);  // still in the background
  Window(SDL_WINDOWEVENT_FOCUS_GAINED);
  Motion(2, 3);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.dx, 2);
  EXPECT_EQ(state.dy, 3);

  Window(SDL_WINDOWEVENT_MINIMIZED);
  Wheel(3);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.wheel, 0);
}

TEST_F(SdlInputTest, AClickBetweenPollsIsSeenAtTheNextPoll) {
  MouseState state;
  ASSERT_TRUE(PollMouse(&state));
  SDL_Event button{};
  button.type = SDL_MOUSEBUTTONDOWN;
  button.button.button = SDL_BUTTON_RIGHT;
  Push(button);
  button.type = SDL_MOUSEBUTTONUP;
  Push(button);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_TRUE(state.changed);
  EXPECT_EQ(state.buttons[kButtonRight], kDown);
  EXPECT_EQ(state.buttons[kButtonLeft], 0);
  EXPECT_EQ(state.buttons[kButtonMiddle], 0);
  ASSERT_TRUE(PollMouse(&state));  // released by then
  EXPECT_EQ(state.buttons[kButtonRight], 0);

  // The left button's press and release are kept where they were made.
  button.button.button = SDL_BUTTON_LEFT;
  button.button.x = 12;
  button.button.y = 34;
  button.type = SDL_MOUSEBUTTONDOWN;
  Push(button);
  button.button.x = 56;
  button.button.y = -78;  // dragged out of the window
  button.type = SDL_MOUSEBUTTONUP;
  Push(button);
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_EQ(state.buttons[kButtonLeft], kDown);
  EXPECT_EQ(std::vector<int32_t>({state.press_x, state.press_y, state.release_x, state.release_y}),
            std::vector<int32_t>({12, 34, 56, -78}));
  EXPECT_TRUE(state.left_went_down && state.left_came_up) << "both since the last poll";
  ASSERT_TRUE(PollMouse(&state));
  EXPECT_FALSE(state.left_went_down || state.left_came_up) << "told once";
}

TEST_F(SdlInputTest, AKeyTappedBetweenPollsIsSeenAtTheNextPoll) {
  uint8_t keys[kKeyCount];
  keys[0x01] = 0x55;
  ASSERT_TRUE(PollKeyboard(keys));
  for (uint8_t key : keys) EXPECT_TRUE(key == 0 || key == kDown) << "the keyboard is read whole every poll";
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  key.key.keysym.sym = SDLK_ESCAPE;
  Push(key);
  key.key.keysym.scancode = SDL_SCANCODE_KP_ENTER;
  Push(key);
  key.type = SDL_KEYUP;
  Push(key);
  ASSERT_TRUE(PollKeyboard(keys));
  EXPECT_EQ(keys[kKeyEscape], kDown);
  EXPECT_EQ(keys[kKeyNumpadEnter], kDown);
  EXPECT_EQ(keys[kKeyReturn], 0);
  ASSERT_TRUE(PollKeyboard(keys));
  EXPECT_EQ(keys[kKeyEscape], 0);
  EXPECT_EQ(keys[kKeyNumpadEnter], 0);
}

}  // namespace
}  // namespace input
