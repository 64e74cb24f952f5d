#include "source/model/AnimationController.h"

#include <algorithm>
#include <cmath>

AnimationEntry AnimationEntry::FromSpeed(std::string name, uint32_t first, uint32_t last, bool loop, float speed) {
  AnimationEntry entry;
  entry.name = std::move(name);
  entry.first_frame = first;
  entry.last_frame = last;
  entry.loop = loop;
  const float frames = last > first ? static_cast<float>(last - first) : 0.0f;
  entry.length = speed > 0.0f && std::isfinite(speed) ? frames / speed : 0.0f;
  return entry;
}

void AnimationController::AddAnimation(const std::string& name, const AnimationEntry& entry) {
  m_animations.emplace(name, entry);
}

bool AnimationController::SetAnimationLoop(const std::string& name, bool loop) {
  auto found = m_animations.find(name);
  if (found == m_animations.end()) return false;
  found->second.loop = loop;
  if (m_current_name == name) m_loop = loop;
  return true;
}

bool AnimationController::SetAnimation(const std::string& name) {
  auto found = m_animations.find(name);
  if (found == m_animations.end()) return false;
  const AnimationEntry& entry = found->second;
  m_current_name = name;
  m_current_first = entry.first_frame;
  m_current_last = entry.last_frame;
  m_loop = entry.loop;
  m_length = entry.length;
  // A length of 0 (a speed of 0 or less) holds the first frame.
  m_fps = entry.length > 0.0f && std::isfinite(entry.length) ? static_cast<float>(Span()) / entry.length : 0.0f;
  m_time = 0.0f;
  return true;
}

void AnimationController::Rewind() {
  m_playing = false;
  m_time = m_forward ? 0.0f : m_length * m_fps;
}

uint32_t AnimationController::Span() const {
  return m_current_last > m_current_first ? m_current_last - m_current_first : 0;
}

bool AnimationController::ToModelFrame(uint32_t frame, uint32_t& model_frame) const {
  const uint64_t scene = uint64_t{frame} + m_current_first;
  if (scene < m_model_first_frame) return false;
  const uint64_t last = m_frame_count > 0 ? m_frame_count - 1 : 0;
  model_frame = static_cast<uint32_t>(std::min<uint64_t>(scene - m_model_first_frame, last));
  return true;
}

void AnimationController::Update(float delta) {
  m_updated = true;
  const uint32_t span = Span();
  const float last = static_cast<float>(span);
  uint32_t a = 0, b = 0;
  m_blend = 0.0f;
  if (!std::isfinite(m_time)) m_time = 0.0f;
  if (m_playing && std::isfinite(delta)) {
    const float step = delta * m_fps;
    if (m_forward) {
      m_time += step;
    } else {
      m_time -= step;
      if (m_time < 0.0f) {
        if (m_loop) {
          m_time = m_length * m_fps;
        } else {
          m_time = 0.0f;
          m_playing = false;
        }
      }
    }
  }
  if (!m_loop && m_time >= last) {
    // The end of a non-looping animation: its last frame, held.
    a = span;
    m_time = last;
    m_playing = false;
  } else {
    // A looping animation wraps around its span (its last frame is its first again).
    if (span > 0 && m_time >= last) m_time = std::fmod(m_time, last);
    if (!(m_time >= 0.0f)) m_time = 0.0f;
    a = static_cast<uint32_t>(m_time);
    m_blend = std::min(std::max(m_time - static_cast<float>(a), 0.0f), 1.0f);
    if (a > span) a = span;
    b = a + 1 > span ? 0 : a + 1;
  }
  const bool a_known = ToModelFrame(a, m_frame_a);
  const bool b_known = ToModelFrame(b, m_frame_b);
  if (!a_known) m_frame_a = 0;
  if (!b_known) m_frame_b = 0;
  if (!a_known || !b_known) m_blend = 0.0f;
}
