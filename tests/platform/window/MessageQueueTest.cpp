// The queue shared by the window backends: keyboard messages one a frame, text as UTF-16 units.

#include <gtest/gtest.h>

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

TEST(MessageQueue, OtherMessagesAllPassInOneFrame) {
  MessageQueue queue;
  queue.Push({MessageType::kActivate, 1});
  queue.Push({MessageType::kPaint, 0});
  queue.Push({MessageType::kCloseCommand, 0});
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kActivate);
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kPaint);
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kCloseCommand);
  EXPECT_FALSE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kNone);
}

TEST(MessageQueue, KeyboardMessagesComeOneAFrameInOrder) {
  MessageQueue queue;
  queue.Push({MessageType::kKeyDown, 65});
  queue.Push({MessageType::kChar, 'a'});
  queue.Push({MessageType::kChar, 'b'});
  queue.Push({MessageType::kPaint, 0});

  // Frame 1: the paint and the first keyboard message.
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().type, MessageType::kPaint);
  ASSERT_TRUE(queue.Peek());
  const Message first = queue.Take();
  EXPECT_EQ(first.type, MessageType::kKeyDown);
  EXPECT_EQ(first.value, 65u);
  EXPECT_FALSE(queue.Peek());  // the frame runs; the next key waits for it

  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().value, static_cast<uint32_t>('a'));
  EXPECT_FALSE(queue.Peek());
  ASSERT_TRUE(queue.Peek());
  EXPECT_EQ(queue.Take().value, static_cast<uint32_t>('b'));
  EXPECT_FALSE(queue.Peek());
  EXPECT_FALSE(queue.Peek());
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

TEST(MessageQueue, AFocusChangeWaitsBehindTheKeysTypedBeforeIt) {
  MessageQueue queue;
  queue.Push({MessageType::kActivate, 1});  // nothing waits: passes at once
  queue.Push({MessageType::kChar, 'x'});
  queue.Push({MessageType::kChar, 'y'});
  queue.Push({MessageType::kActivate, 0});
  queue.Push({MessageType::kActivate, 1});
  std::vector<Message> frames[4];
  for (std::vector<Message>& frame : frames) {
    while (queue.Peek()) frame.push_back(queue.Take());
  }
  ASSERT_EQ(frames[0].size(), 2u);
  EXPECT_EQ(frames[0][0].type, MessageType::kActivate);
  EXPECT_EQ(frames[0][1].value, static_cast<uint32_t>('x'));
  ASSERT_EQ(frames[1].size(), 1u);
  EXPECT_EQ(frames[1][0].value, static_cast<uint32_t>('y'));
  ASSERT_EQ(frames[2].size(), 1u);
  EXPECT_EQ(frames[2][0].type, MessageType::kActivate);
  EXPECT_EQ(frames[2][0].value, 0u);
  ASSERT_EQ(frames[3].size(), 1u);
  EXPECT_EQ(frames[3][0].value, 1u);  // the order of the focus changes is kept
  EXPECT_FALSE(queue.Peek());
}

TEST(MessageQueue, NoneIsNeverQueued) {
  MessageQueue queue;
  queue.Push({});
  EXPECT_FALSE(queue.Peek());
}

TEST(MessageQueue, TextBecomesUtf16Units) {
  MessageQueue queue;
  queue.PushText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");  // a, e acute, euro, a smiling face
  EXPECT_EQ(TakeChars(queue), (std::vector<uint32_t>{'a', 0xE9, 0x20AC, 0xD83D, 0xDE00}));
}

TEST(MessageQueue, MalformedTextIsSkipped) {
  MessageQueue queue;
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
