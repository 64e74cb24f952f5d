// The queue shared by the window backends: keyboard messages one a frame, text as UTF-16 units.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/window/MessageQueue.h"

namespace window {
namespace {

std::vector<uint32_t> TakeChars(MessageQueue& queue) {
  std::vector<uint32_t> units;
  for (int frame = 0; frame < 64 && (queue.Peek() || queue.KeyboardWaiting() > 0); ++frame) {
    while (queue.Peek()) units.push_back(queue.Take().value);
  }
  return units;
}

using Frame = std::vector<std::pair<MessageType, uint32_t>>;

// What the loop takes in each of `count` frames: a frame ends where Peek says nothing waits.
std::vector<Frame> Frames(MessageQueue& queue, int count) {
  std::vector<Frame> frames(count);
  for (Frame& frame : frames) {
    while (queue.Peek()) {
      const Message message = queue.Take();
      frame.emplace_back(message.type, message.value);
    }
  }
  return frames;
}

TEST(MessageQueue, OtherMessagesAllPassInOneFrameAndNoneIsNeverQueued) {
  MessageQueue queue;
  queue.Push({});
  queue.Push({MessageType::kActivate, 1});
  queue.Push({MessageType::kPaint, 0});
  queue.Push({MessageType::kCloseCommand, 0});
  EXPECT_EQ(Frames(queue, 1),
            (std::vector<Frame>{{{MessageType::kActivate, 1}, {MessageType::kPaint, 0}, {MessageType::kCloseCommand, 0}}}));
  EXPECT_EQ(queue.Take().type, MessageType::kNone);
}

// The paint passes at once with the first keyboard message; each later one waits for a frame.
TEST(MessageQueue, KeyboardMessagesComeOneAFrameInOrder) {
  MessageQueue queue;
  queue.Push({MessageType::kKeyDown, 65});
  queue.Push({MessageType::kChar, 'a'});
  queue.Push({MessageType::kChar, 'b'});
  queue.Push({MessageType::kPaint, 0});
  EXPECT_EQ(Frames(queue, 5), (std::vector<Frame>{{{MessageType::kPaint, 0}, {MessageType::kKeyDown, 65}},
                                                  {{MessageType::kChar, 'a'}},
                                                  {{MessageType::kChar, 'b'}},
                                                  {},
                                                  {}}));
  EXPECT_EQ(queue.KeyboardWaiting(), 0u);
}

TEST(MessageQueue, AMessageArrivingAfterAKeyStillPassesThatFrame) {
  MessageQueue queue;
  queue.Push({MessageType::kChar, 'x'});
  queue.Push({MessageType::kChar, 'y'});
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().value, static_cast<uint32_t>('x'));
  queue.Push({MessageType::kCloseCommand, 0});
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kCloseCommand);
  EXPECT_FALSE(queue.Peek());
}

// A focus change with nothing waiting passes at once; the order of the focus changes is kept.
TEST(MessageQueue, AFocusChangeWaitsBehindTheKeysTypedBeforeIt) {
  MessageQueue queue;
  queue.Push({MessageType::kActivate, 1});
  queue.Push({MessageType::kChar, 'x'});
  queue.Push({MessageType::kChar, 'y'});
  queue.Push({MessageType::kActivate, 0});
  queue.Push({MessageType::kActivate, 1});
  EXPECT_EQ(Frames(queue, 5), (std::vector<Frame>{{{MessageType::kActivate, 1}, {MessageType::kChar, 'x'}},
                                                  {{MessageType::kChar, 'y'}},
                                                  {{MessageType::kActivate, 0}},
                                                  {{MessageType::kActivate, 1}},
                                                  {}}));
}

TEST(MessageQueue, TextBecomesUtf16UnitsAndMalformedTextIsSkipped) {
  MessageQueue queue;
  queue.PushText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");  // a, e acute, euro, a smiling face
  EXPECT_EQ(TakeChars(queue), (std::vector<uint32_t>{'a', 0xE9, 0x20AC, 0xD83D, 0xDE00}));
  queue.PushText("\xC0\xAF" "b\xE2\x82" "c\xED\xA0\x80\xF8\x88\x80\x80\x80" "d\x80");
  EXPECT_EQ(TakeChars(queue), (std::vector<uint32_t>{'b', 'c', 'd'}));
  queue.PushText(nullptr);
  queue.PushText("");
  EXPECT_FALSE(queue.Peek());
}

TEST(MessageQueue, AFloodOfKeysIsBounded) {
  MessageQueue queue;
  for (std::size_t i = 0; i < MessageQueue::kMaxKeyboardMessages + 50; ++i) {
    queue.Push({MessageType::kChar, 'q'});
  }
  EXPECT_EQ(queue.KeyboardWaiting(), MessageQueue::kMaxKeyboardMessages);
  queue.PushText("\xF0\x9F\x98\x80");  // no room: neither half of the pair goes in
  EXPECT_EQ(queue.KeyboardWaiting(), MessageQueue::kMaxKeyboardMessages);
  queue.Push({MessageType::kCloseCommand, 0});
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kCloseCommand);
  queue.Clear();
  EXPECT_EQ(queue.KeyboardWaiting(), 0u);
  EXPECT_FALSE(queue.Peek());
}

}  // namespace
}  // namespace window
