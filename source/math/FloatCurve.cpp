#include "source/math/FloatCurve.h"

#include <algorithm>

#include "source/math/MathUtil.h"

namespace {

FloatCurve::ColorHook g_color_hook = nullptr;

}  // namespace

void FloatCurve::SetColorHook(ColorHook hook) { g_color_hook = hook; }

void FloatCurve::AddKey(float time, float value) {
  const auto later = std::find_if(m_keys.begin(), m_keys.end(), [time](const Key& k) { return k.time > time; });
  m_keys.insert(later, Key{time, value});
}

void FloatCurve::Apply(float t) {
  if (m_keys.empty()) return;
  float value = m_keys.back().value;
  const auto next = std::find_if(m_keys.begin(), m_keys.end(), [t](const Key& k) { return k.time >= t; });
  if (next == m_keys.begin()) {
    value = next->value;
  } else if (next != m_keys.end()) {
    const Key& previous = *(next - 1);
    const float f = Clamp((t - previous.time) / (next->time - previous.time), 0.0f, 1.0f);
    value = previous.value + f * (next->value - previous.value);
  }
  m_colour = Vector4(1.0f, 1.0f, 1.0f, value);
  if (m_target != nullptr && g_color_hook != nullptr) g_color_hook(m_target, m_colour);
}
