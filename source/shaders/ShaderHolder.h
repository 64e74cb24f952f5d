#pragma once
// The shader every drawable (render objects, fonts) embeds: a reference to a shader and a private
// copy of its descriptor whose stages animate on the holder's own clock, once a frame in the render
// pass (net, sequence and rotatory frames). Applying the holder applies the shader with the copy;
// a holder without a shader leaves the drawable untextured (all eight texture stages unbound).

#include <cstdint>
#include <memory>

#include "source/render/Updatable.h"
#include "source/shaders/ShaderDescriptor.h"
#include "source/shaders/ShaderRef.h"

class ShaderHolder : public Updatable {
 public:
  ShaderHolder();
  // A copy refers to the same shader and animates on its own clock from freshly drawn start times.
  ShaderHolder(const ShaderHolder& other);
  ShaderHolder& operator=(const ShaderHolder& other);
  ~ShaderHolder() override;

  // Takes the reference and a copy of its descriptor, and draws the stages' start times. The holder
  // joins the render pass's update list with its first shader that has a stage to animate.
  void SetShader(const ShaderRef& shader);
  const ShaderRef& GetShader() const { return m_shader; }
  // The holder's own copy; null without a shader.
  ShaderDescriptor* GetDescriptor() const { return m_descriptor.get(); }

  // Advances by the timer's frame delta (the render pass calls it once a frame).
  void Update() override;
  // Advances every stage by dt seconds.
  void Update(float dt);
  void Apply();

  // Each stage's animation time: frames for net and rotatory stages, seconds for sequences. Writing
  // it picks a frame (a digit, a picture) of a stage that does not move by itself.
  float GetStartFrame(uint32_t stage) const { return stage < kMaxShaderStages ? m_time[stage] : 0.0f; }
  void SetStartFrame(uint32_t stage, float time);
  // Stages that start at random times (their own random-start flag, or the shader's "random") start
  // at frame count x a draw of the shared generator; the others at 0.
  void RandomizeStartFrames();

 private:
  void AdvanceNet(ShaderStage& stage, float& time, float dt) const;
  void AdvanceSequence(uint32_t index, ShaderStage& stage, float& time, float dt) const;
  void AdvanceRotatory(ShaderStage& stage, float& time, float dt) const;

  ShaderRef m_shader;
  std::unique_ptr<ShaderDescriptor> m_descriptor;
  float m_time[kMaxShaderStages] = {};
};
