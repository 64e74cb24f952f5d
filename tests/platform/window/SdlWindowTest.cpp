// The SDL2 window backend: key codes, event translation, and the service itself under SDL's
// offscreen video driver fed with synthetic events.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/MessageQueue.h"
#include "platform/window/sdl/SdlEvents.h"
#include "platform/window/sdl/SdlKeys.h"
#include "platform/window/window.h"

namespace window {
namespace {

using sdl::VirtualKeyFromSdl;

SDL_Event KeyDown(SDL_Keycode key, SDL_Scancode scancode, uint16_t modifiers = 0) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = scancode;
  event.key.keysym.mod = modifiers;
  return event;
}

SDL_Event WindowEvent(uint8_t what, uint32_t window_id = 0) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = what;
  event.window.windowID = window_id;
  return event;
}

SDL_Event TextInput(const char* utf8, uint32_t window_id = 0) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  event.text.windowID = window_id;
  SDL_strlcpy(event.text.text, utf8, sizeof(event.text.text));
  return event;
}

std::vector<Message> Translate(const SDL_Event& event) {
  MessageQueue queue;
  sdl::TranslateEvent(event, queue);
  std::vector<Message> messages;
  for (int frame = 0; frame < 16; ++frame) {
    while (queue.Peek()) messages.push_back(queue.Take());
  }
  return messages;
}

TEST(SdlKeys, EditingKeysLettersDigitsAndTheKeypadGetTheirCodes) {
  const struct {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint16_t modifiers;
    int code;
  } cases[] = {
      // Editing keys have fixed codes.
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, 8}, {SDLK_RETURN, SDL_SCANCODE_RETURN, 0, 13},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0, 27},       {SDLK_END, SDL_SCANCODE_END, 0, 35},
      {SDLK_HOME, SDL_SCANCODE_HOME, 0, 36},           {SDLK_LEFT, SDL_SCANCODE_LEFT, 0, 37},
      {SDLK_UP, SDL_SCANCODE_UP, 0, 38},               {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0, 39},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, 0, 40},           {SDLK_INSERT, SDL_SCANCODE_INSERT, 0, 45},
      {SDLK_DELETE, SDL_SCANCODE_DELETE, 0, 46},       {SDLK_F1, SDL_SCANCODE_F1, 0, 112},
      {SDLK_F12, SDL_SCANCODE_F12, 0, 123},            {SDLK_F13, SDL_SCANCODE_F13, 0, 124},
      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0, 16},       {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0, 17},
      // Letters and digits follow the layout.
      {SDLK_a, SDL_SCANCODE_A, 0, 'A'},                {SDLK_z, SDL_SCANCODE_Z, KMOD_SHIFT, 'Z'},
      {SDLK_0, SDL_SCANCODE_0, 0, '0'},                {SDLK_7, SDL_SCANCODE_7, 0, '7'},
      // A French layout: the key at the US "Q" gives "a", the top-left digit key gives "&".
      {SDLK_a, SDL_SCANCODE_Q, 0, 'A'},                {SDLK_AMPERSAND, SDL_SCANCODE_1, 0, '1'},
      // A Cyrillic layout gives no Latin letter: the key's place decides.
      {0x0444, SDL_SCANCODE_A, 0, 'A'},                {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 0, 186},
      {SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, 0, 226},
      // The keypad follows Num Lock.
      {SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NUM, 103},   {SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM, 96},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, 0, 36},           {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, 0, 46},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0, 13},   {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 0, 111},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyFromSdl(c.key, c.scancode, c.modifiers), c.code)
        << SDL_GetScancodeName(c.scancode) << " key " << c.key << " modifiers " << c.modifiers;
  }
}

SDL_Event Typed(uint32_t type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

SDL_Event Repeated(SDL_Event event) {
  event.key.repeat = 1;
  return event;
}

TEST(SdlEvents, CloseRequestsFocusExposureKeysAndTextBecomeTheirMessages) {
  using M = std::vector<std::pair<MessageType, uint32_t>>;
  const struct {
    const char* what;
    SDL_Event event;
    M messages;
  } cases[] = {
      // Asked by the system nothing may wait for the player (1); asked by the player, 0.
      {"quit", Typed(SDL_QUIT), {{MessageType::kCloseCommand, 1}}},
      {"window close", WindowEvent(SDL_WINDOWEVENT_CLOSE), {{MessageType::kCloseCommand, 0}}},
      {"Alt+F4", KeyDown(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT), {{MessageType::kCloseCommand, 0}}},
      {"Alt+F4 repeated", Repeated(KeyDown(SDLK_F4, SDL_SCANCODE_F4, KMOD_RALT)), {}},
      {"F4 alone is a key", KeyDown(SDLK_F4, SDL_SCANCODE_F4, 0), {{MessageType::kKeyDown, 115}}},
      {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {{MessageType::kActivate, 0}}},
      {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {{MessageType::kActivate, 1}}},
      {"exposed", WindowEvent(SDL_WINDOWEVENT_EXPOSED), {{MessageType::kPaint, 0}}},
      {"moved", WindowEvent(SDL_WINDOWEVENT_MOVED), {}},
      // Minimised, the game is inactive whether or not the desktop took the keyboard away.
      {"minimised", WindowEvent(SDL_WINDOWEVENT_MINIMIZED), {{MessageType::kActivate, 0}}},
      {"Alt with another key is still that key", KeyDown(SDLK_a, SDL_SCANCODE_A, KMOD_LALT),
       {{MessageType::kKeyDown, 'A'}}},
      {"unknown key", KeyDown(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), {}},
      {"key up", [] {
         SDL_Event up = KeyDown(SDLK_a, SDL_SCANCODE_A);
         up.type = SDL_KEYUP;
         return up;
       }(), {}},
      {"u umlaut, euro", TextInput("\xC3\xBC\xE2\x82\xAC"), {{MessageType::kChar, 0xFC}, {MessageType::kChar, 0x20AC}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    M messages;
    for (const Message& message : Translate(c.event)) messages.emplace_back(message.type, message.value);
    EXPECT_EQ(messages, c.messages);
  }
}

// The service itself on SDL's offscreen driver (no display needed).
class SdlWindow : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VELMARIS_HEADLESS", "0", 1);
    if (std::getenv("SDL_VIDEODRIVER") == nullptr) {
      setenv("SDL_VIDEODRIVER", "offscreen", 1);
      m_set_driver = true;
    }
    Shutdown();
    if (!Initialize()) {
      Restore();
      GTEST_SKIP() << "SDL video could not start: " << LastError();
    }
    ASSERT_FALSE(IsHeadless());
    if (!CreateMainWindow("Velmaris test")) {
      const std::string error = LastError();
      Shutdown();
      Restore();
      GTEST_SKIP() << "no OpenGL window here: " << error;
    }
    m_window = reinterpret_cast<SDL_Window*>(MainWindow());
    ASSERT_NE(m_window, nullptr);
    Drain();
  }
  void TearDown() override {
    SetWindowProcedure(nullptr);
    Shutdown();
    Restore();
  }
  void Restore() {
    if (m_set_driver) unsetenv("SDL_VIDEODRIVER");
    m_set_driver = false;
    setenv("VELMARIS_HEADLESS", "1", 1);
  }
  // Throws away what SDL queued on its own (shown, moved, ...).
  void Drain() {
    for (int turn = 0; turn < 1000; ++turn) {
      if (!PeekMessage() && !PeekMessage()) break;
      GetMessage();
    }
  }
  void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  uint32_t Id() const { return SDL_GetWindowID(m_window); }
  // Runs the loop's peek/get turns until nothing waits; the messages of this one frame.
  std::vector<Message> OneFrame() {
    std::vector<Message> messages;
    while (PeekMessage()) messages.push_back(GetMessage());
    return messages;
  }

  SDL_Window* m_window = nullptr;
  bool m_set_driver = false;
};

TEST_F(SdlWindow, TheWindowIsHiddenAndCarriesOpenGLAndFullScreenTakesOnlyAModeTheDisplayHas) {
  const uint32_t flags = SDL_GetWindowFlags(m_window);
  EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
  EXPECT_NE(flags & SDL_WINDOW_HIDDEN, 0u);
  EXPECT_STREQ(SDL_GetWindowTitle(m_window), "Velmaris test");
  ASSERT_TRUE(PlaceWindowed(0, 0, 320, 240));
  EXPECT_EQ(GetClientSize().width, 320);
  EXPECT_EQ(GetClientSize().height, 240);
  ShowMainWindow(true);
  EXPECT_EQ(SDL_GetWindowFlags(m_window) & SDL_WINDOW_HIDDEN, 0u);
  // Full screen takes only a mode the display has.
  const DesktopMode desktop = GetDesktopMode();
  ASSERT_GT(desktop.width, 0);
  // The offscreen driver makes up any mode it is asked for; real displays list theirs.
  if (std::string(SDL_GetCurrentVideoDriver()) != "offscreen") {
    EXPECT_FALSE(PlaceFullScreen(desktop.width + 7, desktop.height + 3, false));
    EXPECT_FALSE(LastError().empty());
  }
  EXPECT_TRUE(PlaceFullScreen(desktop.width + 7, desktop.height + 3, true));  // scaled instead
  EXPECT_NE(SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  ASSERT_TRUE(PlaceFullScreen(desktop.width, desktop.height, false));
  EXPECT_EQ(SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP, SDL_WINDOW_FULLSCREEN);
  ASSERT_TRUE(PlaceWindowed(20, 30, 400, 300));
  EXPECT_EQ(SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN, 0u);
  EXPECT_EQ(GetClientSize().width, 400);
  // SDL's own choice, to minimise a full-screen window in a mode of its own on focus loss, is not
  // the game's (unless the player's environment asks for it).
  if (std::getenv("SDL_VIDEO_MINIMIZE_ON_FOCUS_LOSS") == nullptr) {
    EXPECT_FALSE(SDL_GetHintBoolean(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, SDL_TRUE));
  }
}

TEST_F(SdlWindow, QuitWindowCloseAndAltF4BecomeCloseCommandsAndFocusLostDeactivates) {
  Push(Typed(SDL_QUIT));
  Push(WindowEvent(SDL_WINDOWEVENT_CLOSE, Id()));
  Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, Id()));
  SDL_Event alt_f4 = KeyDown(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT);
  alt_f4.key.windowID = Id();
  Push(alt_f4);
  using M = std::vector<std::pair<MessageType, uint32_t>>;
  M messages;
  for (const Message& message : OneFrame()) messages.emplace_back(message.type, message.value);
  EXPECT_EQ(messages, (M{{MessageType::kCloseCommand, 1}, {MessageType::kCloseCommand, 0},
                         {MessageType::kActivate, 0}, {MessageType::kCloseCommand, 0}}));
  EXPECT_NE(MainWindow(), nullptr);  // closing does not destroy the window
}

TEST_F(SdlWindow, MinimisingDeactivatesAndRestoringActivatesOnlyWithTheKeyboard) {
  // On a real display the shown window can be given the keyboard; the offscreen driver has none.
  if (std::string(SDL_GetCurrentVideoDriver()) != "offscreen") {
    ShowMainWindow(true);
    SDL_SetWindowInputFocus(m_window);
    for (int i = 0; i < 100 && SDL_GetKeyboardFocus() != m_window; ++i) {
      SDL_Delay(10);
      Drain();
    }
  }
  SDL_EnableScreenSaver();
  Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, Id()));
  std::vector<Message> messages = OneFrame();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_FALSE(SDL_IsScreenSaverEnabled());
  Push(WindowEvent(SDL_WINDOWEVENT_MINIMIZED, Id()));
  messages = OneFrame();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].type, MessageType::kActivate);
  EXPECT_EQ(messages[0].value, 0u);
  EXPECT_TRUE(SDL_IsScreenSaverEnabled());
  Push(WindowEvent(SDL_WINDOWEVENT_RESTORED, Id()));
  messages = OneFrame();
  if (SDL_GetKeyboardFocus() == m_window) {
    // It kept the keyboard while minimised: no focus event will come to activate it.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, MessageType::kActivate);
    EXPECT_EQ(messages[0].value, 1u);
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
  } else {
    EXPECT_TRUE(messages.empty());  // its focus event will activate it
  }
}

TEST_F(SdlWindow, TypedTextComesOneCharacterAFrame) {
  SDL_Event key = KeyDown(SDLK_h, SDL_SCANCODE_H);
  key.key.windowID = Id();
  Push(key);
  Push(TextInput("h", Id()));
  Push(TextInput("\xC3\xA9", Id()));
  Push(TextInput("lo", Id()));
  std::vector<uint32_t> frames;
  for (int frame = 0; frame < 8; ++frame) {
    const std::vector<Message> messages = OneFrame();
    ASSERT_LE(messages.size(), 1u);
    frames.push_back(messages.empty() ? 0 : messages[0].value);
  }
  EXPECT_EQ(frames, (std::vector<uint32_t>{'H', 'h', 0xE9, 'l', 'o', 0, 0, 0}));
}

TEST_F(SdlWindow, AWaitEndsForAWaitingEventAndOneWithATimeLimitAlsoAtTheLimit) {
  EXPECT_FALSE(WaitMessageTimeout(0));
  EXPECT_FALSE(WaitMessageTimeout(5)) << "nothing came";
  Push(WindowEvent(SDL_WINDOWEVENT_EXPOSED, Id()));
  EXPECT_TRUE(WaitMessageTimeout(60000));  // a wait that missed the event would last a minute
  ASSERT_TRUE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::kPaint);
  Push(WindowEvent(SDL_WINDOWEVENT_EXPOSED, Id()));
  WaitMessage();
  ASSERT_TRUE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::kPaint);
}

TEST_F(SdlWindow, CursorsFromPixels) {
  std::vector<uint8_t> pixels(16 * 16 * 4, 0xFF);
  Cursor* cursor = CreateCursor(pixels.data(), 16, 16, 3, 4);
  if (cursor == nullptr) GTEST_SKIP() << "this video driver has no cursors: " << SDL_GetError();
  SetCursor(cursor);
  EXPECT_EQ(SDL_GetCursor(), reinterpret_cast<SDL_Cursor*>(cursor));
  SetCursor(nullptr);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  DestroyCursor(cursor);
}

}  // namespace
}  // namespace window
