#pragma once
// The shader copy every drawable embeds and applies before it draws. Shader resources are not
// part of the engine yet: a holder holds none, and applying it unbinds the eight texture stages,
// so the drawable shows its vertex colours (or its colour when drawn coloured).

class ShaderHolder {
 public:
  ShaderHolder() = default;
  ShaderHolder(const ShaderHolder&) = default;
  ShaderHolder& operator=(const ShaderHolder&) = default;
  virtual ~ShaderHolder() = default;

  void Apply();
};
