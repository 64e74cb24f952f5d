// The main loop over the headless window: frame times, one message per turn, the pending key,
// close requests and the focus.

#include "platform/window/VirtualKeys.h"
#include "tests/app/AppTestSupport.h"

namespace {

using window::Message;
using window::MessageType;
namespace headless = window::headless;

// The characters the frames were handed, in order.
std::u16string Typed(const std::vector<FrameRecord>& frames) {
  std::u16string typed;
  for (const FrameRecord& frame : frames) {
    if (frame.key_pending && frame.key_is_character) typed += frame.key_code;
  }
  return typed;
}

// A handler that counts its calls and keeps the argument of the last.
struct Counter {
  int count = 0;
  DelegateArg last = -1;
  DelegateArg Count(DelegateArg argument) {
    ++count;
    last = argument;
    return 0;
  }
};

// Turns of the loop while the window has no focus are counted; after `turns` of them the focus
// comes back.
void RefocusAfter(const cApplication* application, int turns, int& counted) {
  headless::SetFrameHook([application, turns, &counted] {
    if (!application->IsActive() && ++counted == turns) headless::PushMessage({MessageType::kActivate, 1});
  });
}

TEST_F(ApplicationTest, FirstFrameHasNoTimeAndLongPausesAreCutToATenth) {
  UseTicks({1000, 6000, 6000, 6050, 6149});
  QuitAfterFrames(5);
  EXPECT_EQ(application->Run(), 0);
  ASSERT_EQ(state.frames.size(), 5u);
  EXPECT_FLOAT_EQ(state.frames[0].dt, 0.0f);   // the first frame starts the count
  EXPECT_FLOAT_EQ(state.frames[1].dt, 0.1f);   // five seconds become a tenth
  EXPECT_FLOAT_EQ(state.frames[2].dt, 0.0f);   // two frames in one tick: no lower bound
  EXPECT_FLOAT_EQ(state.frames[3].dt, 0.05f);
  EXPECT_FLOAT_EQ(state.frames[4].dt, 0.099f);
}

TEST_F(ApplicationTest, TickCountWrapGivesTheRealDifference) {
  UseTicks({0xFFFFFFF0u, 0x10u});
  QuitAfterFrames(2);
  application->Run();
  ASSERT_EQ(state.frames.size(), 2u);
  EXPECT_FLOAT_EQ(state.frames[1].dt, 0.032f);
}

TEST_F(ApplicationTest, QuitBeforeRunRunsNoFrame) {
  application->Quit();
  EXPECT_EQ(application->Run(), 0);
  EXPECT_TRUE(state.frames.empty());
  EXPECT_TRUE(application->IsActive());
}

TEST_F(ApplicationTest, CloseRequestEndsTheLoopThroughTheQuitFlagAndKeepsTheWindow) {
  application->SetCloseHandler(MakeFunctionDelegate(&QuitApplication));
  state.on_update = [](std::size_t frames) {
    if (frames == 3) headless::PushMessage({MessageType::kCloseCommand, 0});
  };
  EXPECT_EQ(application->Run(), 0);
  EXPECT_EQ(state.frames.size(), 3u);
  EXPECT_TRUE(application->IsQuitting());
  EXPECT_NE(application->GetWindow(), nullptr);
  EXPECT_TRUE(headless::GetPlacement().exists);
}

TEST_F(ApplicationTest, CloseRequestWithoutAHandlerChangesNothing) {
  QuitAfterFrames(3);
  headless::PushMessage({MessageType::kCloseCommand, 0});
  application->Run();
  EXPECT_EQ(state.frames.size(), 3u);  // the loop went on until the test ended it
}

TEST_F(ApplicationTest, CloseHandlerIsGivenTheQuitFlag) {
  Counter counter;
  application->SetCloseHandler(MakeMemberDelegate(&counter, &Counter::Count));
  headless::PushMessage({MessageType::kCloseCommand, 0});
  QuitAfterFrames(1);
  application->Run();
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(counter.last, 0);
}

TEST_F(ApplicationTest, OneMessagePerTurnSoNothingAfterTheCloseIsTaken) {
  application->SetCloseHandler(MakeFunctionDelegate(&QuitApplication));
  Counter counter;
  application->SetDeactivateHandler(MakeMemberDelegate(&counter, &Counter::Count));
  headless::PushMessage({MessageType::kCloseCommand, 0});
  headless::PushMessage({MessageType::kActivate, 0});
  application->Run();
  EXPECT_EQ(counter.count, 0);
  EXPECT_TRUE(state.frames.empty());
}

TEST_F(ApplicationTest, DestroyedWindowPostsQuitAndQuitMessageCodeIsReturned) {
  headless::PushMessage({MessageType::kDestroy, 0});
  EXPECT_EQ(application->Run(), 0);
  EXPECT_FALSE(application->IsQuitting());  // ended by the quit message, not the flag
  DestroySingletons();
  SetUp();
  headless::PushMessage({MessageType::kQuit, 7});
  EXPECT_EQ(application->Run(), 7);
}

TEST_F(ApplicationTest, FocusLossCallsTheDeactivateHandlerOnceAndStopsUpdates) {
  Counter counter;
  application->SetDeactivateHandler(MakeMemberDelegate(&counter, &Counter::Count));
  int inactive_turns = 0;
  RefocusAfter(application, 3, inactive_turns);
  headless::PushMessage({MessageType::kActivate, 0});
  headless::PushMessage({MessageType::kActivate, 0});  // already inactive: no second call
  QuitAfterFrames(2);
  application->Run();
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(counter.last, 0);
  EXPECT_EQ(inactive_turns, 3);  // inactive turns ran no update pass
  EXPECT_EQ(state.frames.size(), 2u);
  EXPECT_TRUE(application->IsActive());
}

TEST_F(ApplicationTest, KeysAndCharactersArePendingForExactlyOneFrameEach) {
  headless::PushMessage({MessageType::kKeyDown, window::kVkLeft});
  headless::PushMessage({MessageType::kChar, 'a'});
  headless::PushMessage({MessageType::kChar, u'\u00e9'});
  headless::PushMessage({MessageType::kChar, 8});  // a control character is not text
  headless::PushMessage({MessageType::kKeyDown, window::kVkDelete});
  QuitAfterFrames(7);
  application->Run();
  ASSERT_EQ(state.frames.size(), 7u);
  const struct {
    bool pending, character;
    char16_t code;
  } seen[] = {{true, false, window::kVkLeft}, {true, true, u'a'},  {true, true, u'\u00e9'},         {false, false, 0},
              {true, false, window::kVkDelete}, {false, false, 0}, {false, false, 0}};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(state.frames[i].key_pending, seen[i].pending) << "frame " << i;
    if (!seen[i].pending) continue;
    EXPECT_EQ(state.frames[i].key_is_character, seen[i].character) << "frame " << i;
    EXPECT_EQ(state.frames[i].key_code, seen[i].code) << "frame " << i;
  }
}

TEST_F(ApplicationTest, TextTypedWithinOneFrameIsHandedOutOneCharacterAFrame) {
  headless::PushText("h\xC3\xA9llo");
  QuitAfterFrames(6);
  application->Run();
  EXPECT_EQ(Typed(state.frames), u"h\u00e9llo");
}

TEST_F(ApplicationTest, KeysTypedJustBeforeTheFocusGoesAreEachSeenByAnActiveFrame) {
  headless::PushText("abc");
  headless::PushMessage({MessageType::kActivate, 0});
  int inactive_turns = 0;
  RefocusAfter(application, 5, inactive_turns);
  QuitAfterFrames(6);
  application->Run();
  EXPECT_EQ(Typed(state.frames), u"abc");
  EXPECT_EQ(inactive_turns, 5);
}

TEST_F(ApplicationTest, AnInactiveTurnKeepsThePendingKey) {
  headless::PushMessage({MessageType::kActivate, 0});
  headless::PushMessage({MessageType::kKeyDown, window::kVkHome});
  int inactive_turns = 0;
  RefocusAfter(application, 2, inactive_turns);
  QuitAfterFrames(2);
  application->Run();
  ASSERT_EQ(state.frames.size(), 2u);
  EXPECT_TRUE(state.frames[0].key_pending);
  EXPECT_EQ(state.frames[0].key_code, window::kVkHome);
  EXPECT_FALSE(state.frames[1].key_pending);
}

}  // namespace
