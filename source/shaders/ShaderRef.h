#pragma once
// How drawables refer to a shader: the run-time Shader, and the "shader" resource it came from (one
// reference held, so the resource stays loaded while anything draws with it). A shader made from a
// description outside any resource (a scene's inline shader) is held by the counted pointer alone.

#include <string>

#include "source/Resources/cResourcePtr.h"
#include "source/core/CountedPtr.h"
#include "source/shaders/Shader.h"
#include "source/shaders/cShaderResource.h"

class ShaderRef {
 public:
  ShaderRef() = default;
  explicit ShaderRef(CountedPtr<Shader> shader) : m_counted(std::move(shader)), m_shader(m_counted.Get()) {}
  // The shader of the "shader" resource of that name; empty when there is none.
  static ShaderRef FromResource(const std::string& name) {
    ShaderRef ref;
    if (ref.m_resource.Assign(name)) {
      ref.m_counted = ref.m_resource->GetShader();
      ref.m_shader = ref.m_counted.Get();
    }
    return ref;
  }
  // A shader of its own over the description.
  static ShaderRef FromDescriptor(const ShaderDescriptor& descriptor) {
    return ShaderRef(CountedPtr<Shader>(new Shader(descriptor)));
  }

  Shader* Get() const { return m_shader; }
  Shader* operator->() const { return m_shader; }
  explicit operator bool() const { return m_shader != nullptr; }
  const cResourcePtr<cShaderResource>& GetResource() const { return m_resource; }
  // The resource's name, or empty.
  std::string GetName() const { return m_resource ? m_resource->GetName() : std::string(); }

 private:
  cResourcePtr<cShaderResource> m_resource;
  CountedPtr<Shader> m_counted;
  Shader* m_shader = nullptr;
};
