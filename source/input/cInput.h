#pragma once
// The input manager: the keyboard and the mouse, polled once a frame. For each source it keeps
// this poll's and the last poll's state side by side (InputState), a summary of the modifier keys,
// the mouse's movement and its position in client pixels. It sends no events: readers poll its
// fields. Characters for text entry come from the application's key messages, not from here.

#include <cstdint>

#include "source/core/Singleton.h"
#include "source/input/InputState.h"

class cInput : public Singleton<cInput> {
 public:
  // Device slots. Slots 3 to 6 are for game controllers, which this program never fills.
  static constexpr int kKeyboard = 0;
  static constexpr int kModifiers = 1;  // a summary of the keyboard, see below
  static constexpr int kMouse = 2;
  static constexpr int kDeviceCount = 7;

  // Bytes of the modifier state: 1 while either key of the pair is down.
  static constexpr int kModifierEnter = 0;
  static constexpr int kModifierAlt = 1;
  static constexpr int kModifierCtrl = 2;
  static constexpr int kModifierShift = 3;
  static constexpr int kModifierAnyKey = 255;  // 1 while any key at all is down

  // Bytes of the mouse state: the buttons, 1 while held.
  static constexpr int kMouseLeft = 0;
  static constexpr int kMouseRight = 1;
  static constexpr int kMouseMiddle = 2;
  static constexpr int kMouseX1 = 3;

  cInput();
  ~cInput() override;

  // Reaches the keyboard and the mouse and takes the mouse position; false when they cannot be
  // reached (the polls then report nothing).
  bool InitInput();
  // The per-frame poll; false when the keyboard or the mouse could not be read.
  bool UpdateInput();

  struct Delta {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;  // the mouse wheel, 120 a notch
  };
  struct Position {
    float x = 0.0f;
    float y = 0.0f;
  };

  // ---- read directly by the GUI and the game ---------------------------------------------------
  InputState m_states[kDeviceCount];
  Delta m_deltas[kDeviceCount];
  Position m_positions[kDeviceCount];  // for the mouse: client pixels, not clamped to the window
  // Where the left button last went down and came up, in client pixels: a slow frame may find the
  // pointer moved on from there.
  Position m_left_press;
  Position m_left_release;
  // This poll saw the left button go down (up) and the input recorded where: a frame then offers
  // the press (release) there. False for a state set by hand, which is offered at the pointer.
  bool m_left_press_recorded = false;
  bool m_left_release_recorded = false;
  bool m_changed = false;              // some source changed at the last poll

  const InputState& Keyboard() const { return m_states[kKeyboard]; }
  const InputState& Modifiers() const { return m_states[kModifiers]; }
  const InputState& Mouse() const { return m_states[kMouse]; }
  const Delta& MouseDelta() const { return m_deltas[kMouse]; }
  const Position& MousePosition() const { return m_positions[kMouse]; }
  const Position& LeftPress() const { return m_left_press; }
  const Position& LeftRelease() const { return m_left_release; }
  bool HasLeftPressRecorded() const { return m_left_press_recorded; }
  bool HasLeftReleaseRecorded() const { return m_left_release_recorded; }

 private:
  bool PollKeyboard();
  void UpdateModifiers();
  bool PollMouse();
  void TakeMousePosition();

  bool m_devices = false;  // the keyboard and the mouse are reached
  // A click made wholly between two polls is seen down at the first and up at the next: its
  // release, recorded at the first, is kept for the next.
  bool m_left_release_carried = false;
};
