#pragma once
// The "shader" resource: a shader described in a resource list's XML or read from a shader file
// (a pack's entry), and the run-time Shader built over a copy of it when the resource loads.
// Written into packs as a shader file, so packs carry binary shaders.

#include "source/Resources/cTypedResource.h"
#include "source/core/CountedPtr.h"
#include "source/shaders/Shader.h"
#include "source/shaders/ShaderDescriptor.h"

class cShaderResource : public cTypedResource<cShaderResource> {
 public:
  static constexpr const char* kTypeName = "shader";
  using cTypedResource::cTypedResource;

  static void RegisterType();

  void LoadFromXml(const XmlNode& node) override;
  // With data (a pack's entry) the descriptor is read from it as a shader file; a damaged file
  // leaves a default descriptor (logged). Then the run-time shader is built.
  bool Load() override;
  bool Unload() override;

  const ShaderDescriptor& GetDescriptor() const { return m_descriptor; }
  const CountedPtr<Shader>& GetShader() const { return m_shader; }
  bool IsDescribedInXml() const { return m_described_in_xml; }

 protected:
  bool WriteDeclaredData(cStream& stream) override;

 private:
  ShaderDescriptor m_descriptor;
  CountedPtr<Shader> m_shader;
  bool m_described_in_xml = false;
};
