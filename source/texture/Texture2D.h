#pragma once
// A texture as shaders and fonts see it: a name, a surface built from an image, and binding to a
// texture stage.

#include <cstdint>
#include <string>

class Image;

class Texture2D {
 public:
  explicit Texture2D(std::string name) : m_name(std::move(name)) {}
  virtual ~Texture2D() = default;
  Texture2D(const Texture2D&) = delete;
  Texture2D& operator=(const Texture2D&) = delete;

  // Builds the surface from `image` (kept as a copy), or from the image kept before when null.
  // Nothing happens while a surface exists.
  virtual void CreateSurface(const Image* image) = 0;
  // Makes this the texture of a stage (no texture when it has no surface).
  virtual void Bind(uint32_t stage) = 0;

  const std::string& GetName() const { return m_name; }

 protected:
  std::string m_name;
};
