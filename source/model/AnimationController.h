#pragma once
// The named-animation player of a render object. An animation is a range of the scene's frame
// numbers, a length in seconds and a loop flag; playing it moves a time (in frames from the
// animation's first frame) by the frame delta at its rate, and each update turns that time into
// two model frames and a blend for the object's controllers.

#include <cstdint>
#include <map>
#include <string>

struct AnimationEntry {
  std::string name;
  float length = 0.0f;  // seconds
  bool loop = false;
  uint32_t first_frame = 0;  // scene frame numbers
  uint32_t last_frame = 0;

  // An entry played at `speed` frames a second: its length is (last - first) / speed, so that
  // selecting it gives back that rate. A speed of 0 or less holds the first frame.
  static AnimationEntry FromSpeed(std::string name, uint32_t first, uint32_t last, bool loop, float speed);
};

class AnimationController {
 public:
  AnimationController() = default;
  // Over a model of `frame_count` frames whose frame 0 is scene frame `model_first_frame`.
  AnimationController(uint32_t frame_count, uint32_t model_first_frame)
      : m_frame_count(frame_count), m_model_first_frame(model_first_frame) {}
  ~AnimationController() = default;

  // Kept when the name is new.
  void AddAnimation(const std::string& name, const AnimationEntry& entry);
  // Sets the loop flag of the named animation, and the current loop flag when it is the one
  // playing; false for an unknown name.
  bool SetAnimationLoop(const std::string& name, bool loop);
  // Selects the animation (rate, loop, first frame, length; time 0); an unknown name changes
  // nothing and answers false.
  bool SetAnimation(const std::string& name);
  void Play() { m_playing = true; }
  // Stops, at the start (forward) or the end (backward).
  void Rewind();
  // Advances by `delta` seconds while playing and computes frame A, frame B and the blend.
  void Update(float delta);

  uint32_t GetFrameA() const { return m_frame_a; }
  uint32_t GetFrameB() const { return m_frame_b; }
  float GetBlend() const { return m_blend; }
  float GetTime() const { return m_time; }
  void SetTime(float time) { m_time = time; }
  float GetFramesPerSecond() const { return m_fps; }
  float GetLength() const { return m_length; }
  bool IsPlaying() const { return m_playing; }
  void SetPlaying(bool playing) { m_playing = playing; }
  bool IsForward() const { return m_forward; }
  void SetForward(bool forward) { m_forward = forward; }
  bool IsLooping() const { return m_loop; }
  void SetLoop(bool loop) { m_loop = loop; }
  bool WasUpdated() const { return m_updated; }
  const std::string& GetCurrentName() const { return m_current_name; }
  const std::map<std::string, AnimationEntry>& GetAnimations() const { return m_animations; }
  uint32_t GetFrameCount() const { return m_frame_count; }

 private:
  // Frames of the current animation after its first (last - first; 0 when none is selected).
  uint32_t Span() const;
  // Scene frame `frame` of the current animation as a model frame, or false when it lies before
  // the model's first frame.
  bool ToModelFrame(uint32_t frame, uint32_t& model_frame) const;

  uint32_t m_frame_count = 0;
  uint32_t m_model_first_frame = 0;
  float m_fps = 0.0f;
  float m_time = 0.0f;
  float m_length = 0.0f;
  bool m_forward = true;
  bool m_loop = false;
  bool m_playing = false;
  bool m_updated = false;
  std::map<std::string, AnimationEntry> m_animations;
  std::string m_current_name;
  uint32_t m_current_first = 0;
  uint32_t m_current_last = 0;
  uint32_t m_frame_a = 0;
  uint32_t m_frame_b = 0;
  float m_blend = 0.0f;
};
