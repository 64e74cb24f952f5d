#pragma once
// The alpha-over-time curve of a GUI window: (time, value) keys sorted by time, evaluated by
// linear interpolation; the value becomes the window's colour (1, 1, 1, value).

#include <vector>

#include "source/math/Vector.h"

class GUIWindow;

class FloatCurve {
 public:
  struct Key {
    float time;
    float value;
  };

  // How a colour reaches a window. The maths layer sits below the GUI, so the GUI installs
  // this once at start-up (a function that calls GUIWindow::SetColor); until then Apply only
  // keeps the colour.
  using ColorHook = void (*)(GUIWindow* target, const Vector4& colour);
  static void SetColorHook(ColorHook hook);

  // The target is the window whose colour the curve sets; it is not owned.
  explicit FloatCurve(GUIWindow* target) : m_target(target) {}

  // Inserts a key in time order; a key whose time equals existing ones goes after them.
  void AddKey(float time, float value);
  // Evaluates the curve at t and sends (1, 1, 1, value) to the target. Before the first key the
  // first value holds, after the last key the last. An empty curve does nothing.
  void Apply(float t);

  GUIWindow* GetTarget() const { return m_target; }
  // The colour last sent to the target.
  const Vector4& GetColor() const { return m_colour; }
  const std::vector<Key>& GetKeys() const { return m_keys; }

 private:
  GUIWindow* m_target;
  Vector4 m_colour;
  std::vector<Key> m_keys;
};
