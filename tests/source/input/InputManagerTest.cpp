// The input manager over the headless input service: press and release edges, the modifier
// summary, the mouse buttons, movement, wheel and position, and failed polls.

#include <gtest/gtest.h>

#include "platform/input/headless/HeadlessInput.h"
#include "platform/input/input.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/input/cInput.h"

namespace {

namespace keys = input::headless;

class InputManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    input::Shutdown();
    window::Shutdown();
    manager = cInput::GetInstance();
    ASSERT_TRUE(manager->InitInput());
  }
  void TearDown() override {
    DestroySingletons();
    input::Shutdown();
    window::Shutdown();
  }

  const InputState& Keyboard() const { return manager->Keyboard(); }
  const InputState& Modifiers() const { return manager->Modifiers(); }
  const InputState& Mouse() const { return manager->Mouse(); }

  cInput* manager = nullptr;
};

TEST_F(InputManagerTest, StatesStartEmptyWithTheirLastIndices) {
  EXPECT_EQ(manager->m_states[cInput::kKeyboard].last_index, 255);
  EXPECT_EQ(manager->m_states[cInput::kModifiers].last_index, 4);
  EXPECT_EQ(manager->m_states[cInput::kMouse].last_index, 5);
  for (int slot = 3; slot < cInput::kDeviceCount; ++slot) {
    EXPECT_EQ(manager->m_states[slot].last_index, 15);
  }
  for (int k = 0; k < InputState::kSize; ++k) {
    ASSERT_EQ(Keyboard().current[k], 0);
    ASSERT_EQ(Keyboard().previous[k], 0);
  }
  EXPECT_FALSE(manager->m_changed);
}

TEST_F(InputManagerTest, PollSwapsTheBuffersInsteadOfCopying) {
  const uint8_t* first = Keyboard().current;
  const uint8_t* second = Keyboard().previous;
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_EQ(Keyboard().current, second);
  EXPECT_EQ(Keyboard().previous, first);
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_EQ(Keyboard().current, first);
}

TEST_F(InputManagerTest, HeldKeyGivesOnePressAndOneRelease) {
  keys::SetKey(input::kKeyEscape, true);
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_TRUE(Keyboard().IsDown(input::kKeyEscape));
  EXPECT_TRUE(Keyboard().IsPressed(input::kKeyEscape));
  EXPECT_TRUE(Keyboard().changed);
  EXPECT_TRUE(manager->m_changed);
  for (int frame = 0; frame < 5; ++frame) {
    ASSERT_TRUE(manager->UpdateInput());
    EXPECT_TRUE(Keyboard().IsDown(input::kKeyEscape));
    EXPECT_FALSE(Keyboard().IsPressed(input::kKeyEscape));
    EXPECT_FALSE(Keyboard().IsReleased(input::kKeyEscape));
    EXPECT_FALSE(Keyboard().changed);
  }
  keys::SetKey(input::kKeyEscape, false);
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_TRUE(Keyboard().IsReleased(input::kKeyEscape));
  EXPECT_FALSE(Keyboard().IsDown(input::kKeyEscape));
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_FALSE(Keyboard().IsReleased(input::kKeyEscape));
}

TEST_F(InputManagerTest, ModifierSummaryTakesEitherKeyOfEachPair) {
  struct Case {
    uint8_t key;
    int byte;
  } cases[] = {
      {input::kKeyReturn, cInput::kModifierEnter},   {input::kKeyNumpadEnter, cInput::kModifierEnter},
      {input::kKeyLMenu, cInput::kModifierAlt},      {input::kKeyRMenu, cInput::kModifierAlt},
      {input::kKeyLControl, cInput::kModifierCtrl},  {input::kKeyRControl, cInput::kModifierCtrl},
      {input::kKeyLShift, cInput::kModifierShift},   {input::kKeyRShift, cInput::kModifierShift},
  };
  for (const Case& c : cases) {
    keys::ReleaseAllKeys();
    manager->UpdateInput();
    keys::SetKey(c.key, true);
    ASSERT_TRUE(manager->UpdateInput());
    for (int byte = 0; byte < 4; ++byte) {
      EXPECT_EQ(Modifiers().current[byte], byte == c.byte ? 1 : 0) << int(c.key) << " byte " << byte;
    }
    EXPECT_TRUE(Modifiers().IsPressed(c.byte));
    EXPECT_TRUE(Modifiers().changed);
    EXPECT_EQ(Modifiers().current[cInput::kModifierAnyKey], 1);
  }
}

TEST_F(InputManagerTest, SecondShiftKeyAndReleasingOneGiveNoEdge) {
  keys::SetKey(input::kKeyLShift, true);
  manager->UpdateInput();
  keys::SetKey(input::kKeyRShift, true);
  manager->UpdateInput();
  EXPECT_FALSE(Modifiers().IsPressed(cInput::kModifierShift));
  EXPECT_FALSE(Modifiers().changed);
  EXPECT_TRUE(Keyboard().changed);
  keys::SetKey(input::kKeyLShift, false);
  manager->UpdateInput();
  EXPECT_TRUE(Modifiers().IsDown(cInput::kModifierShift));
  EXPECT_FALSE(Modifiers().IsReleased(cInput::kModifierShift));
}

TEST_F(InputManagerTest, AnyKeyByteHasEdgesOnlyWhenTheFirstKeyGoesDownOrTheLastComesUp) {
  keys::SetKey(input::kKeyA, true);
  manager->UpdateInput();
  EXPECT_TRUE(Modifiers().IsPressed(cInput::kModifierAnyKey));
  // Another key down, the first up: the set changes, the count stays above zero.
  keys::SetKey(input::kKeyB, true);
  keys::SetKey(input::kKeyA, false);
  manager->UpdateInput();
  EXPECT_FALSE(Modifiers().IsPressed(cInput::kModifierAnyKey));
  EXPECT_FALSE(Modifiers().IsReleased(cInput::kModifierAnyKey));
  EXPECT_TRUE(Keyboard().changed);
  EXPECT_FALSE(Modifiers().changed);  // byte 255 does not count
  EXPECT_TRUE(manager->m_changed);
  keys::SetKey(input::kKeyB, false);
  manager->UpdateInput();
  EXPECT_TRUE(Modifiers().IsReleased(cInput::kModifierAnyKey));
}

TEST_F(InputManagerTest, MouseButtonsAreLeftRightMiddleX1AsZeroOrOne) {
  keys::SetMouseButton(input::kButtonMiddle, true);
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_EQ(Mouse().current[cInput::kMouseLeft], 0);
  EXPECT_EQ(Mouse().current[cInput::kMouseRight], 0);
  EXPECT_EQ(Mouse().current[cInput::kMouseMiddle], 1);
  EXPECT_EQ(Mouse().current[cInput::kMouseX1], 0);
  keys::SetMouseButton(input::kButtonMiddle, false);
  keys::SetMouseButton(input::kButtonLeft, true);
  keys::SetMouseButton(input::kButtonRight, true);
  keys::SetMouseButton(input::kButtonX1, true);
  ASSERT_TRUE(manager->UpdateInput());
  EXPECT_EQ(Mouse().current[cInput::kMouseLeft], 1);
  EXPECT_EQ(Mouse().current[cInput::kMouseRight], 1);
  EXPECT_EQ(Mouse().current[cInput::kMouseX1], 1);
  EXPECT_TRUE(Mouse().IsPressed(cInput::kMouseLeft));
  EXPECT_TRUE(Mouse().IsReleased(cInput::kMouseMiddle));
  for (int k = 4; k < InputState::kSize; ++k) ASSERT_EQ(Mouse().current[k], 0) << k;
}

TEST_F(InputManagerTest, MouseChangedOnlyInThePollAfterAChange) {
  keys::SetMouseButton(input::kButtonLeft, true);
  manager->UpdateInput();
  EXPECT_TRUE(Mouse().changed);
  manager->UpdateInput();
  EXPECT_FALSE(Mouse().changed);  // held, but nothing changed
  EXPECT_TRUE(Mouse().IsDown(cInput::kMouseLeft));
  keys::MoveMouse(1, 0);
  keys::MoveMouse(2, 0);
  manager->UpdateInput();
  EXPECT_TRUE(Mouse().changed);
}

TEST_F(InputManagerTest, MovementWheelAndPositionInClientPixels) {
  window::headless::SetClientSize(800, 600);
  window::headless::SetMousePosition(100, 50);
  keys::SetMouseButton(input::kButtonLeft, true);  // pressed here, let go after the move
  manager->UpdateInput();
  keys::MoveMouse(-130, 20);
  keys::SetMouseButton(input::kButtonLeft, false);
  keys::TurnWheel(-2);
  manager->UpdateInput();
  EXPECT_FLOAT_EQ(manager->LeftPress().x, 100.0f);
  EXPECT_FLOAT_EQ(manager->LeftPress().y, 50.0f);
  EXPECT_FLOAT_EQ(manager->LeftRelease().x, -30.0f);
  EXPECT_FLOAT_EQ(manager->LeftRelease().y, 70.0f);
  EXPECT_FLOAT_EQ(manager->MouseDelta().x, -130.0f);
  EXPECT_FLOAT_EQ(manager->MouseDelta().y, 20.0f);
  EXPECT_FLOAT_EQ(manager->MouseDelta().z, -240.0f);
  // Outside the client area the position is not clamped.
  EXPECT_FLOAT_EQ(manager->MousePosition().x, -30.0f);
  EXPECT_FLOAT_EQ(manager->MousePosition().y, 70.0f);
  manager->UpdateInput();
  EXPECT_FLOAT_EQ(manager->MouseDelta().x, 0.0f);
  EXPECT_FLOAT_EQ(manager->MouseDelta().z, 0.0f);
  window::headless::SetMousePosition(800, 600);
  manager->UpdateInput();
  EXPECT_FLOAT_EQ(manager->MousePosition().x, 800.0f);
}

TEST_F(InputManagerTest, FailedKeyboardReadKeepsEverythingAndMakesUpNoEdge) {
  keys::SetKey(input::kKeySpace, true);
  keys::SetMouseButton(input::kButtonLeft, true);
  manager->UpdateInput();
  keys::FailKeyboard(true);
  keys::SetKey(input::kKeySpace, false);
  keys::SetMouseButton(input::kButtonLeft, false);
  EXPECT_FALSE(manager->UpdateInput());
  EXPECT_TRUE(Keyboard().IsDown(input::kKeySpace));
  EXPECT_FALSE(Keyboard().IsPressed(input::kKeySpace));
  EXPECT_TRUE(Mouse().IsDown(cInput::kMouseLeft));  // the mouse was not read
  keys::FailKeyboard(false);
  EXPECT_TRUE(manager->UpdateInput());
  EXPECT_TRUE(Keyboard().IsReleased(input::kKeySpace));
  EXPECT_TRUE(Mouse().IsReleased(cInput::kMouseLeft));
}

TEST_F(InputManagerTest, FailedMouseReadKeepsTheMouse) {
  keys::SetMouseButton(input::kButtonRight, true);
  manager->UpdateInput();
  keys::FailMouse(true);
  keys::MoveMouse(5, 5);
  EXPECT_FALSE(manager->UpdateInput());
  EXPECT_TRUE(Mouse().IsPressed(cInput::kMouseRight));  // still the last complete poll
  keys::FailMouse(false);
  EXPECT_TRUE(manager->UpdateInput());
  EXPECT_FLOAT_EQ(manager->MouseDelta().x, 5.0f);
}

TEST(InputManagerWithoutDevices, PollReportsFailureAndTouchesNothing) {
  DestroySingletons();
  cInput* manager = cInput::GetInstance();  // InitInput never ran
  EXPECT_FALSE(manager->UpdateInput());
  EXPECT_FALSE(manager->m_changed);
  DestroySingletons();
}

}  // namespace
