// The window service on its headless backend, driven the way the main loop drives it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"

namespace window {
namespace {

class HeadlessWindow : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VELMARIS_HEADLESS", "1", 1);
    Shutdown();
    ASSERT_TRUE(Initialize());
    ASSERT_TRUE(IsHeadless());
  }
  void TearDown() override { Shutdown(); }
};

// The main loop's keyboard handling: each frame keeps the last key message that arrived since the
// frame before, then forgets it. Returns the key each frame saw (0 for none).
std::vector<uint32_t> RunFrames(int frames) {
  std::vector<uint32_t> seen;
  uint32_t pending = 0;
  SetWindowProcedure([&](const Message& message) {
    if (message.type == MessageType::kChar || message.type == MessageType::kKeyDown) {
      pending = message.value;
    }
  });
  while (frames > 0) {
    if (PeekMessage()) {
      DispatchMessage(GetMessage());
      continue;
    }
    seen.push_back(pending);
    pending = 0;
    --frames;
  }
  SetWindowProcedure(nullptr);
  return seen;
}

// A failed creation says why and leaves no window; the next makes it, hidden, and no other after it.
TEST_F(HeadlessWindow, TheMainWindowIsCreatedHiddenOnce) {
  ASSERT_TRUE(headless::FailNextCreate("no display"));
  EXPECT_FALSE(CreateMainWindow("Velmaris"));
  EXPECT_EQ(LastError(), "no display");
  EXPECT_EQ(MainWindow(), nullptr);
  ASSERT_TRUE(CreateMainWindow("Velmaris"));
  EXPECT_NE(MainWindow(), nullptr);
  headless::Placement placement = headless::GetPlacement();
  EXPECT_TRUE(placement.exists);
  EXPECT_FALSE(placement.shown);
  EXPECT_EQ(placement.title, "Velmaris");
  EXPECT_FALSE(CreateMainWindow("again"));
  EXPECT_NE(LastError().find("exists"), std::string::npos);
  ShowMainWindow(true);
  EXPECT_TRUE(headless::GetPlacement().shown);
}

TEST_F(HeadlessWindow, PlacementSetsTheClientSizeAndTestsSetTheMouseAndTheDesktop) {
  EXPECT_FALSE(PlaceWindowed(10, 20, 800, 600));  // no window yet
  ASSERT_TRUE(CreateMainWindow("Velmaris"));
  ASSERT_TRUE(PlaceWindowed(10, 20, 800, 600));
  EXPECT_EQ(GetClientSize().width, 800);
  EXPECT_EQ(GetClientSize().height, 600);
  headless::Placement placement = headless::GetPlacement();
  EXPECT_FALSE(placement.full_screen);
  EXPECT_EQ(placement.x, 10);
  EXPECT_EQ(placement.y, 20);

  ASSERT_TRUE(PlaceFullScreen(1024, 768, false));
  placement = headless::GetPlacement();
  EXPECT_TRUE(placement.full_screen);
  EXPECT_FALSE(placement.desktop_full_screen);
  EXPECT_EQ(GetClientSize().width, 1024);
  ASSERT_TRUE(PlaceFullScreen(1024, 768, true));
  EXPECT_TRUE(headless::GetPlacement().desktop_full_screen);

  EXPECT_FALSE(PlaceWindowed(0, 0, 0, 600));
  EXPECT_FALSE(PlaceFullScreen(-1, 600, false));
  // Tests set the mouse, the desktop and the client size.
  ASSERT_TRUE(headless::SetMousePosition(-5, 900));
  int x = 0;
  int y = 0;
  ASSERT_TRUE(GetMousePosition(&x, &y));
  EXPECT_EQ(x, -5);
  EXPECT_EQ(y, 900);
  EXPECT_EQ(GetDesktopMode().bits_per_pixel, 32);
  ASSERT_TRUE(headless::SetDesktopMode({2560, 1080, 32}));
  EXPECT_EQ(GetDesktopMode().width, 2560);
  ASSERT_TRUE(headless::SetClientSize(320, 200));
  EXPECT_EQ(GetClientSize().height, 200);
}

TEST_F(HeadlessWindow, MessagesReachTheWindowProcedureOneATurnAndDestroyAndQuitAreMessages) {
  std::vector<Message> got;
  SetWindowProcedure([&](const Message& message) { got.push_back(message); });
  headless::PushMessage({MessageType::kActivate, 0});
  headless::PushMessage({MessageType::kCloseCommand, 0});
  ASSERT_TRUE(PeekMessage());
  DispatchMessage(GetMessage());
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].type, MessageType::kActivate);
  EXPECT_EQ(got[0].value, 0u);
  ASSERT_TRUE(PeekMessage());
  DispatchMessage(GetMessage());
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].type, MessageType::kCloseCommand);
  EXPECT_FALSE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::kNone);  // nothing can come: no wait
  WaitMessage();                                       // returns at once headless
  // The window's destruction and a quit come as messages too.
  ASSERT_TRUE(CreateMainWindow("Velmaris"));
  DestroyMainWindow();
  EXPECT_EQ(MainWindow(), nullptr);
  ASSERT_TRUE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::kDestroy);
  DestroyMainWindow();  // no window: nothing more
  EXPECT_FALSE(PeekMessage());
  PostQuitMessage(3);
  const Message quit = GetMessage();
  EXPECT_EQ(quit.type, MessageType::kQuit);
  EXPECT_EQ(quit.value, 3u);
}

TEST_F(HeadlessWindow, CharactersTypedWithinOneFrameAreHandedOneAFrame) {
  headless::PushMessage({MessageType::kKeyDown, kVkShift});
  headless::PushText("Ab");
  headless::PushMessage({MessageType::kKeyDown, kVkBack});
  const std::vector<uint32_t> seen = RunFrames(6);
  EXPECT_EQ(seen, (std::vector<uint32_t>{kVkShift, 'A', 'b', kVkBack, 0, 0}));
}

TEST_F(HeadlessWindow, ATimedWaitNeverBlocksAndCountsOnlyMessagesThatMayBeTakenNow) {
  EXPECT_FALSE(WaitMessageTimeout(60000));  // nothing can ever arrive headless: no wait at all
  headless::PushText("ab");
  ASSERT_TRUE(PeekMessage());
  EXPECT_EQ(GetMessage().value, static_cast<uint32_t>('a'));
  EXPECT_FALSE(WaitMessageTimeout(10)) << "the second key waits for the next frame";
  EXPECT_FALSE(PeekMessage());  // the frame begins
  EXPECT_TRUE(WaitMessageTimeout(10));
  EXPECT_EQ(GetMessage().value, static_cast<uint32_t>('b'));
  EXPECT_FALSE(PeekMessage());
  headless::PushText("xy");
  ASSERT_TRUE(PeekMessage());
  EXPECT_EQ(GetMessage().value, static_cast<uint32_t>('x'));
  EXPECT_EQ(GetMessage().value, static_cast<uint32_t>('y'));  // with only held keys, a get takes the next
}

TEST_F(HeadlessWindow, TheFrameHookRunsOnceAFrameAndAProcedureMayReplaceItself) {
  int frames = 0;
  headless::SetFrameHook([&] {
    ++frames;
    if (frames == 2) headless::PushMessage({MessageType::kCloseCommand, 0});
  });
  bool closed = false;
  SetWindowProcedure([&](const Message& message) {
    closed = closed || message.type == MessageType::kCloseCommand;
  });
  for (int turn = 0; turn < 10 && !closed; ++turn) {
    if (PeekMessage()) DispatchMessage(GetMessage());
  }
  EXPECT_TRUE(closed);
  EXPECT_EQ(frames, 2);
  // A procedure may replace itself while it runs.
  int calls = 0;
  SetWindowProcedure([&](const Message&) {
    ++calls;
    SetWindowProcedure(nullptr);
  });
  DispatchMessage({MessageType::kPaint, 0});
  DispatchMessage({MessageType::kPaint, 0});
  EXPECT_EQ(calls, 1);
}

TEST_F(HeadlessWindow, Cursors) {
  const uint8_t pixels[4 * 4 * 4] = {};
  Cursor* arrow = CreateCursor(pixels, 4, 4, 0, 0);
  Cursor* lens = CreateCursor(pixels, 4, 4, 2, 2);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(lens, nullptr);
  EXPECT_NE(arrow, lens);
  EXPECT_EQ(CreateCursor(nullptr, 4, 4, 0, 0), nullptr);
  EXPECT_EQ(CreateCursor(pixels, 0, 4, 0, 0), nullptr);
  SetCursor(lens);
  EXPECT_EQ(headless::GetPlacement().cursor, lens);
  SetCursor(nullptr);
  EXPECT_EQ(headless::GetPlacement().cursor, nullptr);
  SetCursor(arrow);
  DestroyCursor(arrow);
  EXPECT_EQ(headless::GetPlacement().cursor, nullptr);
  EXPECT_EQ(headless::GetPlacement().cursors, 1);
  // lens is left for Shutdown to free.
}

}  // namespace
}  // namespace window
